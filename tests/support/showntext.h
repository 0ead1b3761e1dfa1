#pragma once

#include <QAccessible>
#include <QLabel>

namespace veltrix::test {

// A label's text as the desktop's accessibility interface reads it: markup
// that the label renders is gone from it.
inline QString shownText(QLabel *label)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(label);
    return face ? face->text(QAccessible::Name) : QStringLiteral("<no accessible>");
}

} // namespace veltrix::test
