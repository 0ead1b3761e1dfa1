#include "lines.h"

namespace veltrix {

QStringList splitLines(QStringView text)
{
    QStringList lines;
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar ch = text[i];
        if (ch == QLatin1Char('\n') || ch == QLatin1Char('\r') || ch == QChar::ParagraphSeparator
            || ch == QChar::LineSeparator) {
            lines.append(text.mid(start, i - start).toString());
            if (ch == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n'))
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines.append(text.mid(start).toString());
    return lines;
}

namespace {

QString joinWith(const QStringList &lines, QStringView lineEnd)
{
    qsizetype size = 0;
    for (const QString &l : lines)
        size += l.size() + lineEnd.size();
    QString text;
    text.reserve(size);
    for (const QString &l : lines) {
        text += l;
        text += lineEnd;
    }
    return text;
}

} // namespace

QString joinLinesCrLf(const QStringList &lines)
{
    return joinWith(lines, u"\r\n");
}

QString joinLinesLf(const QStringList &lines)
{
    return joinWith(lines, u"\n");
}

} // namespace veltrix
