#pragma once

#include <QVBoxLayout>
#include <QWidget>

namespace veltrix {

// The column every sidebar page stacks its groups in.
inline QVBoxLayout *makePageLayout(QWidget *page)
{
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(6);
    return layout;
}

} // namespace veltrix
