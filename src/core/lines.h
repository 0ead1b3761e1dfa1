#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace veltrix {

// Calls f with a view of every line of a text, split as splitLines does.
template <typename F>
void forEachLine(QStringView text, F &&f)
{
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar ch = text[i];
        if (ch == QLatin1Char('\n') || ch == QLatin1Char('\r') || ch == QChar::ParagraphSeparator
            || ch == QChar::LineSeparator) {
            f(text.mid(start, i - start));
            if (ch == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n'))
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        f(text.mid(start));
}

// Splits a text into lines the way the report list counts them: CR LF, LF or
// a lone CR end a line, and a final line break opens no further line.
QStringList splitLines(QStringView text);

// Joins lines with CR LF after each line, the form in which list texts are
// written back and saved.
QString joinLinesCrLf(const QStringList &lines);

// Joins lines with LF after each line (the text area's own form).
QString joinLinesLf(const QStringList &lines);

} // namespace veltrix
