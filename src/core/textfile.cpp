#include "textfile.h"

#include "cp1252.h"

#include <QStringDecoder>

namespace veltrix {

namespace {

constexpr QByteArrayView kUtf8Mark("\xEF\xBB\xBF");

// Length of the well-formed UTF-8 sequence starting at p (RFC 3629: no
// overlong forms, no surrogates, nothing above U+10FFFF), or 0.
int sequenceLength(const unsigned char *p, const unsigned char *end)
{
    const unsigned char b0 = p[0];
    int length;
    unsigned char lo = 0x80;
    unsigned char hi = 0xBF;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        length = 2;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3;
        if (b0 == 0xE0)
            lo = 0xA0;
        else if (b0 == 0xED)
            hi = 0x9F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4;
        if (b0 == 0xF0)
            lo = 0x90;
        else if (b0 == 0xF4)
            hi = 0x8F;
    } else {
        return 0;
    }
    if (end - p < length)
        return 0;
    if (p[1] < lo || p[1] > hi)
        return 0;
    for (int i = 2; i < length; ++i) {
        if (p[i] < 0x80 || p[i] > 0xBF)
            return 0;
    }
    return length;
}

} // namespace

bool isUtf8WithMultiByte(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const auto *end = p + bytes.size();
    bool multiByte = false;
    while (p < end) {
        if (*p < 0x80) {
            ++p;
            continue;
        }
        const int length = sequenceLength(p, end);
        if (length == 0)
            return false;
        multiByte = true;
        p += length;
    }
    return multiByte;
}

QString decodeFileText(QByteArrayView bytes)
{
    if (!isUtf8WithMultiByte(bytes))
        return fromWindows1252(bytes);
    // One mark is the encoding's signature; a second one is text, which
    // fromUtf8 would drop as well.
    if (bytes.startsWith(kUtf8Mark))
        bytes = bytes.sliced(kUtf8Mark.size());
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return utf8.decode(bytes);
}

QByteArray encodeFileText(QStringView text)
{
    if (auto single = toWindows1252(text)) {
        // Bytes such as "Ã¤" would come back as "ä"; UTF-8 keeps them apart.
        if (!isUtf8WithMultiByte(*single))
            return *single;
    }
    // A text that begins with U+FEFF gets the signature in front, as the
    // reader takes a leading mark for one.
    if (text.startsWith(QChar(0xFEFF)))
        return kUtf8Mark.toByteArray() + text.toUtf8();
    return text.toUtf8();
}

QString withTxtExtension(const QString &name)
{
    if (name.contains(QLatin1String(".txt")))
        return name;
    return name + QLatin1String(".txt");
}

} // namespace veltrix
