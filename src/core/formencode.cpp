#include "formencode.h"

#include "cp1252.h"

namespace veltrix {

namespace {

bool needsEscape(unsigned char b)
{
    // 127 and 128 are escaped as well: left raw they would put DEL and a
    // non-ASCII byte into the body.
    if (b < 33 || b >= 127)
        return true;
    switch (b) {
    case '#': case '%': case '&': case '*': case '+':
    case '<': case '=': case '>': case '[': case ']':
        return true;
    default:
        return false;
    }
}

} // namespace

QByteArray formBytes(QStringView text)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i; // one character outside the code page, one "?"
        const int code = windows1252Code(ch);
        out.append(code < 0 ? '?' : static_cast<char>(code));
    }
    return out;
}

QByteArray formEncodeValue(QStringView value)
{
    static const char hex[] = "0123456789ABCDEF";
    const QByteArray bytes = formBytes(value);
    QByteArray out;
    out.reserve(bytes.size() * 3);
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (needsEscape(b)) {
            out.append('%');
            out.append(hex[b >> 4]);
            out.append(hex[b & 0x0F]);
        } else {
            out.append(c);
        }
    }
    return out;
}

QByteArray formEncode(const FormFields &fields)
{
    QByteArray out;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        const auto &[name, value] = fields[i];
        if (i > 0)
            out.append('&');
        out.append(name.toLatin1());
        out.append('=');
        out.append(formEncodeValue(value));
    }
    return out;
}

} // namespace veltrix
