#pragma once

#include <QString>

namespace veltrix {

// The program's name and version: the caption, the message boxes and the
// version check must all say the same.
inline const QString kProgramName = QStringLiteral("Veltrix Professional");
inline const QString kProgramTitle = kProgramName + QStringLiteral(" by Morwen");
inline const QString kVersionText = QStringLiteral("Version 1.61");

} // namespace veltrix
