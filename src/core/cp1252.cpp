#include "cp1252.h"

namespace veltrix {

namespace {

// 0x80..0x9F; undefined positions keep their C1 control value.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

int windows1252Code(QChar ch)
{
    const char16_t u = ch.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] == u)
            return 0x80 + i;
    }
    return -1;
}

std::optional<QByteArray> toWindows1252(QStringView text)
{
    QByteArray out;
    out.resize(text.size());
    char *p = out.data();
    for (QChar ch : text) {
        const int code = windows1252Code(ch);
        if (code < 0)
            return std::nullopt;
        *p++ = static_cast<char>(code);
    }
    return out;
}

QString fromWindows1252(QByteArrayView bytes)
{
    QString out;
    out.resize(bytes.size());
    QChar *p = out.data();
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *p++ = QChar(b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : char16_t(b));
    }
    return out;
}

} // namespace veltrix
