#include "lines.h"

namespace veltrix {

QStringList splitLines(QStringView text)
{
    QStringList lines;
    forEachLine(text, [&lines](QStringView line) { lines.append(line.toString()); });
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
