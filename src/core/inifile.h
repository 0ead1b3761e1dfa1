#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

namespace veltrix {

// A settings file of the usual "[section]" / "key=value" form, read and
// changed the way the classic profile functions do it: section and key
// names match without regard to case and surrounding blanks, a value is
// everything after the first "=", trimmed, less one matching pair of double
// or single quotes around it (";" inside a value is part of it; only whole
// lines are comments), and every other line (comments, unknown sections and keys,
// lines of no known form) stays as it was when the file is written back.
class IniFile {
public:
    IniFile() = default;

    // Any of CR LF, LF and CR end a line.
    static IniFile parse(QStringView text);
    // Bytes decoded as a report file would be (UTF-8 or Windows-1252).
    static IniFile fromBytes(QByteArrayView bytes);

    // The value of the first matching key in the first matching section;
    // empty optional when either is missing. A present empty value is "".
    std::optional<QString> value(QStringView section, QStringView key) const;

    // Replaces the first matching key's value (its name keeps its spelling),
    // or adds the key at the end of the section, or the section at the end
    // of the file. Line breaks in the value become blanks so that a value
    // can never split into further lines; a value that reading would trim
    // or unquote is written in quotes, so it reads back as it was.
    void setValue(QStringView section, QStringView key, QStringView value);

    // CR LF after every line.
    QString text() const;
    QByteArray toBytes() const;

    const QStringList &lines() const { return m_lines; }

private:
    // The section's header line and the end of its lines (the next header
    // or the end of the file); header == -1 when the section is missing.
    struct Range {
        qsizetype header = -1;
        qsizetype end = -1;
    };
    Range findSection(QStringView section) const;
    qsizetype findKey(const Range &range, QStringView key) const;

    QStringList m_lines;
};

} // namespace veltrix
