#pragma once

#include "ui/pagelayout.h"

#include <QApplication>

namespace veltrix::test {

// The windows as the program shows them: in the font they are designed for,
// where every designed size holds as it is.
inline void useDesignedFont()
{
    QFont font = QApplication::font();
    font.setPointSize(kDesignedPointSize);
    QApplication::setFont(font);
}

} // namespace veltrix::test
