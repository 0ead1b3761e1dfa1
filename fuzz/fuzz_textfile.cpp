// Decoding and encoding of report and settings files. Decoding takes any
// bytes; a decoded text written back and read again is the same text.

#include "fuzzcheck.h"

#include "core/cp1252.h"
#include "core/textfile.h"

#include <QStringDecoder>

using namespace veltrix;

namespace {

// Well-formed UTF-8 with at least one byte above ASCII, judged by Qt's own
// decoder: it replaces every ill-formed sequence, so only well-formed bytes
// come back unchanged.
bool referenceUtf8(QByteArrayView bytes)
{
    bool multiByte = false;
    for (char c : bytes)
        multiByte = multiByte || static_cast<unsigned char>(c) >= 0x80;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    const QString text = decoder(bytes);
    return multiByte && !decoder.hasError() && text.toUtf8() == bytes;
}

void checkRoundTrip(const QString &text)
{
    const QByteArray bytes = encodeFileText(text);
    const QString back = decodeFileText(bytes);
    FUZZ_CHECK_TEXT(back == text, text);
    // Windows-1252 whenever that keeps the text and cannot be mistaken for
    // UTF-8; otherwise UTF-8, with the signature in front of a leading U+FEFF.
    const std::optional<QByteArray> single = toWindows1252(text);
    if (single && !isUtf8WithMultiByte(*single))
        FUZZ_CHECK(bytes == *single);
    else if (text.startsWith(QChar(0xFEFF)))
        FUZZ_CHECK(bytes == QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8());
    else
        FUZZ_CHECK(bytes == text.toUtf8());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(data, static_cast<qsizetype>(size));
    const bool utf8 = isUtf8WithMultiByte(bytes);
    FUZZ_CHECK(utf8 == referenceUtf8(bytes));

    const QString text = decodeFileText(bytes);
    if (!utf8)
        FUZZ_CHECK(text == fromWindows1252(bytes) && text.size() == bytes.size());
    checkRoundTrip(text);
    // Any valid text, also one no file decodes to (characters outside
    // Windows-1252 next to ones it has, characters beyond U+FFFF).
    checkRoundTrip(fuzz::withoutLoneSurrogates(fuzz::utf16Text(data, size)));
    return 0;
}
