#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace veltrix {

// Splits a text into lines the way the report list counts them: CR LF, LF or
// a lone CR end a line, and a final line break opens no further line.
QStringList splitLines(QStringView text);

// Joins lines with CR LF after each line, the form in which list texts are
// written back and saved.
QString joinLinesCrLf(const QStringList &lines);

// Joins lines with LF after each line (the text area's own form).
QString joinLinesLf(const QStringList &lines);

} // namespace veltrix
