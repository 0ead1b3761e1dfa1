// The settings file: whatever it holds, writing it out and reading it back
// keeps every value, and setting one value changes no other.

#include "fuzzcheck.h"

#include "core/inifile.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QList>
#include <QPair>

#include <algorithm>

using namespace veltrix;

namespace {

using Name = QPair<QString, QString>;

// Every section and key the lines name, in the spelling of the file.
QList<Name> namesIn(const IniFile &ini)
{
    QList<Name> names;
    QString section;
    bool inSection = false;
    for (const QString &line : ini.lines()) {
        const QString t = line.trimmed();
        if (t.startsWith(u'[')) {
            const qsizetype close = t.indexOf(u']');
            section = (close >= 0 ? t.mid(1, close - 1) : t.mid(1)).trimmed();
            inSection = true;
            continue;
        }
        const qsizetype eq = t.indexOf(u'=');
        if (inSection && eq > 0 && !t.startsWith(u';'))
            names.append({section, t.left(eq).trimmed()});
    }
    return names;
}

void checkSameValues(const IniFile &a, const IniFile &b, const QList<Name> &names)
{
    for (const Name &n : names)
        FUZZ_CHECK_TEXT(a.value(n.first, n.second) == b.value(n.first, n.second), n.first + u'/' + n.second);
}

IniFile written(const IniFile &ini)
{
    return IniFile::fromBytes(ini.toBytes());
}

bool breaksLine(QChar c)
{
    return c == u'\r' || c == u'\n' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

// Names a file line can hold: a section name without "]", a key that does
// not begin a comment or a section and holds no "="; neither breaks a line.
bool usableSection(const QString &name)
{
    return !name.contains(u']') && std::none_of(name.begin(), name.end(), breaksLine);
}

bool usableKey(const QString &name)
{
    const QString t = name.trimmed();
    return !t.isEmpty() && !t.startsWith(u';') && !t.startsWith(u'[') && !t.contains(u'=')
        && std::none_of(name.begin(), name.end(), breaksLine);
}

QString consumeText(FuzzedDataProvider &provider, std::size_t maxLength)
{
    const std::string s = provider.ConsumeRandomLengthString(maxLength);
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    const QString section = consumeText(provider, 16);
    const QString key = consumeText(provider, 16);
    const QString value = consumeText(provider, 32);
    const std::string rest = provider.ConsumeRemainingBytesAsString();

    const IniFile ini = IniFile::fromBytes(QByteArrayView(rest.data(), static_cast<qsizetype>(rest.size())));
    const QList<Name> names = namesIn(ini);
    const IniFile again = written(ini);
    FUZZ_CHECK(again.lines() == ini.lines());
    checkSameValues(ini, again, names);

    if (!usableSection(section) || !usableKey(key))
        return 0;
    IniFile changed = ini;
    changed.setValue(section, key, value);
    QString expected = value;
    for (QChar &c : expected) {
        if (breaksLine(c))
            c = u' ';
    }
    // Blanks around the value survive: it is written quoted then.
    FUZZ_CHECK_TEXT(changed.value(section, key) == expected, changed.text());
    const IniFile changedAgain = written(changed);
    FUZZ_CHECK_TEXT(changedAgain.value(section, key) == expected, changed.text());

    // Every other value stays as it was.
    QList<Name> others;
    for (const Name &n : names) {
        if (n.first.compare(section.trimmed(), Qt::CaseInsensitive) != 0
            || n.second.compare(key.trimmed(), Qt::CaseInsensitive) != 0)
            others.append(n);
    }
    checkSameValues(ini, changedAgain, others);
    return 0;
}
