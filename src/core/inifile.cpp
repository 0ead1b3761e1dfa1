#include "inifile.h"

#include "lines.h"
#include "textfile.h"

namespace veltrix {

namespace {

bool isComment(QStringView trimmed)
{
    return trimmed.startsWith(QLatin1Char(';'));
}

// The name of a "[name]" line, or an empty optional for any other line.
std::optional<QStringView> sectionName(QStringView line)
{
    const QStringView t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')))
        return std::nullopt;
    QStringView inner = t.mid(1);
    const qsizetype close = inner.indexOf(QLatin1Char(']'));
    if (close >= 0)
        inner = inner.left(close);
    return inner.trimmed();
}

struct KeyLine {
    QStringView key;
    QStringView value;
};

std::optional<KeyLine> keyLine(QStringView line)
{
    const QStringView t = line.trimmed();
    if (t.isEmpty() || isComment(t) || t.startsWith(QLatin1Char('[')))
        return std::nullopt;
    const qsizetype eq = t.indexOf(QLatin1Char('='));
    if (eq <= 0)
        return std::nullopt;
    const QStringView key = t.left(eq).trimmed();
    if (key.isEmpty())
        return std::nullopt;
    return KeyLine{key, t.mid(eq + 1).trimmed()};
}

bool isQuote(QChar ch)
{
    return ch == QLatin1Char('"') || ch == QLatin1Char('\'');
}

bool isQuoted(QStringView value)
{
    return value.size() >= 2 && isQuote(value.front()) && value.back() == value.front();
}

// One matching pair of quotes around the value is not part of it.
QStringView unquoted(QStringView value)
{
    return isQuoted(value) ? value.mid(1, value.size() - 2) : value;
}

// The written form that reads back as the value: quoted when reading would
// otherwise trim its blanks or take away its own quotes.
QString written(const QString &value)
{
    if (value.isEmpty() || (!isQuoted(value) && value.trimmed().size() == value.size()))
        return value;
    return QLatin1Char('"') + value + QLatin1Char('"');
}

bool sameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString singleLine(QStringView value)
{
    QString v = value.toString();
    for (QChar &ch : v) {
        if (ch == QLatin1Char('\r') || ch == QLatin1Char('\n') || ch == QChar::LineSeparator
            || ch == QChar::ParagraphSeparator)
            ch = QLatin1Char(' ');
    }
    return v;
}

} // namespace

IniFile IniFile::parse(QStringView text)
{
    IniFile ini;
    ini.m_lines = splitLines(text);
    return ini;
}

IniFile IniFile::fromBytes(QByteArrayView bytes)
{
    return parse(decodeFileText(bytes));
}

IniFile::Range IniFile::findSection(QStringView section) const
{
    Range range;
    const QStringView wanted = section.trimmed();
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const auto name = sectionName(m_lines[i]);
        if (!name)
            continue;
        if (range.header >= 0) {
            range.end = i;
            return range;
        }
        if (sameName(*name, wanted))
            range.header = i;
    }
    if (range.header >= 0)
        range.end = m_lines.size();
    return range;
}

qsizetype IniFile::findKey(const Range &range, QStringView key) const
{
    const QStringView wanted = key.trimmed();
    for (qsizetype i = range.header + 1; i < range.end; ++i) {
        const auto kv = keyLine(m_lines[i]);
        if (kv && sameName(kv->key, wanted))
            return i;
    }
    return -1;
}

std::optional<QString> IniFile::value(QStringView section, QStringView key) const
{
    const Range range = findSection(section);
    if (range.header < 0)
        return std::nullopt;
    const qsizetype i = findKey(range, key);
    if (i < 0)
        return std::nullopt;
    return unquoted(keyLine(m_lines[i])->value).toString();
}

void IniFile::setValue(QStringView section, QStringView key, QStringView value)
{
    const QString v = written(singleLine(value));
    const Range range = findSection(section);
    if (range.header < 0) {
        m_lines << QLatin1Char('[') + singleLine(section.trimmed()) + QLatin1Char(']');
        m_lines << singleLine(key.trimmed()) + QLatin1Char('=') + v;
        return;
    }
    const qsizetype i = findKey(range, key);
    if (i >= 0) {
        m_lines[i] = keyLine(m_lines[i])->key.toString() + QLatin1Char('=') + v;
        return;
    }
    // New keys go after the section's last non-blank line, so a blank line
    // that separates it from the next section stays in place.
    qsizetype at = range.end;
    while (at > range.header + 1 && m_lines[at - 1].trimmed().isEmpty())
        --at;
    m_lines.insert(at, singleLine(key.trimmed()) + QLatin1Char('=') + v);
}

QString IniFile::text() const
{
    return joinLinesCrLf(m_lines);
}

QByteArray IniFile::toBytes() const
{
    return encodeFileText(text());
}

} // namespace veltrix
