#include "slotfile.h"

#include "intconv.h"

#include <QStringDecoder>

namespace veltrix {

namespace {

// The most bytes one UTF-16 unit of a string takes in the file: "\u0001".
constexpr qsizetype kMaxBytesPerUnit = 6;
// Long runs of plain text are decoded in pieces of about this size: the room
// made ahead of each piece (a unit a byte) stays small.
constexpr qsizetype kPieceBytes = qsizetype(1) << 20;

void appendEscape(QByteArray &out, char16_t u)
{
    switch (u) {
    case u'"': out += "\\\""; return;
    case u'\\': out += "\\\\"; return;
    case u'\b': out += "\\b"; return;
    case u'\f': out += "\\f"; return;
    case u'\n': out += "\\n"; return;
    case u'\r': out += "\\r"; return;
    case u'\t': out += "\\t"; return;
    default: break;
    }
    // The other controls, and unpaired surrogates, which UTF-8 cannot carry.
    static constexpr char kHex[] = "0123456789abcdef";
    const char escape[6] = {'\\', 'u', kHex[u >> 12], kHex[(u >> 8) & 15], kHex[(u >> 4) & 15], kHex[u & 15]};
    out.append(escape, 6);
}

void appendString(QByteArray &out, QStringView s)
{
    out += '"';
    qsizetype run = 0; // the first unit not yet written
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t u = s[i].unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < s.size() && s[i + 1].isLowSurrogate()) {
            ++i;
            continue;
        }
        if (u >= 0x20 && u != u'"' && u != u'\\' && !QChar::isSurrogate(u))
            continue;
        out += s.sliced(run, i - run).toUtf8();
        appendEscape(out, u);
        run = i + 1;
    }
    out += s.sliced(run).toUtf8();
    out += '"';
}

// Just enough JSON for a slot file: blanks, single characters, strings.
class Reader {
public:
    explicit Reader(QByteArrayView bytes) : m_p(bytes.data()), m_end(bytes.data() + bytes.size()) {}

    bool take(char c)
    {
        skipBlanks();
        if (m_p == m_end || *m_p != c)
            return false;
        ++m_p;
        return true;
    }
    bool atEnd()
    {
        skipBlanks();
        return m_p == m_end;
    }
    // A string of at most maxLength UTF-16 units; false for anything else.
    bool string(QString &out, qsizetype maxLength);

private:
    void skipBlanks()
    {
        while (m_p != m_end && (*m_p == ' ' || *m_p == '\t' || *m_p == '\n' || *m_p == '\r'))
            ++m_p;
    }
    bool appendUtf8(QString &out, const char *from, const char *to, qsizetype maxLength);
    bool appendEscaped(QString &out, const char *&p, const char *close);

    const char *m_p;
    const char *m_end;
    // Stateless, as every run ends at a whole character; a byte-order mark
    // inside the text is a character like any other.
    QStringDecoder m_utf8{QStringConverter::Utf8,
                          QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom};
};

bool Reader::string(QString &out, qsizetype maxLength)
{
    if (!take('"'))
        return false;
    // The closing quote is sought no further than the longest string of
    // maxLength units could reach, so a string far too long costs little.
    const char *const limit = m_p + qMin<qsizetype>(m_end - m_p, maxLength * kMaxBytesPerUnit + 1);
    const char *close = m_p;
    while (close != limit && *close != '"') {
        if (*close == '\\' && ++close == limit)
            return false;
        ++close;
    }
    if (close == limit)
        return false;

    out.clear();
    out.reserve(qMin<qsizetype>(close - m_p, maxLength));
    const char *p = m_p;
    while (p != close) {
        const char *run = p;
        while (p != close && *p != '\\' && static_cast<unsigned char>(*p) >= 0x20)
            ++p;
        if (!appendUtf8(out, run, p, maxLength))
            return false;
        if (p != close && !appendEscaped(out, p, close))
            return false;
        if (out.size() > maxLength)
            return false;
    }
    // Room for a byte a unit was kept; text of many multi-byte characters
    // gives it back.
    if (out.capacity() - out.size() > out.size() / 4)
        out.squeeze();
    m_p = close + 1;
    return true;
}

bool Reader::appendUtf8(QString &out, const char *from, const char *to, qsizetype maxLength)
{
    while (from != to) {
        const char *end = to;
        if (to - from > kPieceBytes) {
            // Cut before a character's first byte, not inside it.
            end = from + kPieceBytes;
            while (end != from && (static_cast<unsigned char>(*end) & 0xC0) == 0x80)
                --end;
            if (end == from)
                end = from + kPieceBytes; // not UTF-8 at all: the decoder says so
        }
        // Decoded in place: never more units than bytes.
        const QByteArrayView piece(from, end - from);
        const qsizetype at = out.size();
        out.resize(at + m_utf8.requiredSpace(piece.size()));
        const QChar *const written = m_utf8.appendToBuffer(out.data() + at, piece);
        out.truncate(written - out.constData());
        if (m_utf8.hasError() || out.size() > maxLength)
            return false;
        from = end;
    }
    return true;
}

// p is at a backslash or a control character (which a string cannot hold).
bool Reader::appendEscaped(QString &out, const char *&p, const char *close)
{
    if (*p++ != '\\')
        return false;
    switch (*p++) { // the closing quote lies beyond the escaped character
    case '"': out += u'"'; return true;
    case '\\': out += u'\\'; return true;
    case '/': out += u'/'; return true;
    case 'b': out += u'\b'; return true;
    case 'f': out += u'\f'; return true;
    case 'n': out += u'\n'; return true;
    case 'r': out += u'\r'; return true;
    case 't': out += u'\t'; return true;
    case 'u': break;
    default: return false;
    }
    if (close - p < 4)
        return false;
    char16_t u = 0;
    for (int i = 0; i < 4; ++i) {
        const int digit = hexDigit(static_cast<unsigned char>(*p++));
        if (digit < 0)
            return false;
        u = char16_t(u << 4 | digit);
    }
    // Surrogates pair up as they stand, or stay alone as they were written.
    out += QChar(u);
    return true;
}

} // namespace

std::optional<QByteArray> slotFileBytes(const StoredSlot &slot)
{
    if (slot.caption.isEmpty() || slot.caption.size() > kMaxSlotCaptionLength || slot.text.size() > kMaxSlotTextLength)
        return std::nullopt;
    QByteArray out;
    out.reserve(slot.text.size() + 64); // most lists are mostly ASCII
    out += "{\n    \"caption\": ";
    appendString(out, slot.caption);
    out += ",\n    \"text\": ";
    appendString(out, slot.text);
    out += "\n}\n";
    return out;
}

std::optional<StoredSlot> readSlotFile(QByteArrayView bytes)
{
    if (bytes.size() > kMaxSlotFileBytes)
        return std::nullopt;
    Reader reader(bytes);
    if (!reader.take('{'))
        return std::nullopt;
    std::optional<QString> caption;
    std::optional<QString> text;
    QString name;
    do {
        if (!reader.string(name, 8) || !reader.take(':'))
            return std::nullopt;
        std::optional<QString> *member = name == u"caption" ? &caption : name == u"text" ? &text : nullptr;
        if (!member || member->has_value())
            return std::nullopt;
        QString value;
        if (!reader.string(value, member == &caption ? kMaxSlotCaptionLength : kMaxSlotTextLength))
            return std::nullopt;
        *member = std::move(value);
    } while (reader.take(','));
    if (!reader.take('}') || !reader.atEnd() || !caption || !text || caption->isEmpty())
        return std::nullopt;
    StoredSlot slot{std::move(*text), std::move(*caption)};
    // A restore writes the text whole: every line ends with a break.
    if (!slot.text.isEmpty() && !slot.text.endsWith(u'\n'))
        slot.text += u'\n';
    return slot;
}

} // namespace veltrix
