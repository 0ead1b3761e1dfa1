// The contact form's encoding: only safe bytes and "%XX" escapes come out,
// and undoing the escapes gives the Windows-1252 bytes of the value.

#include "fuzzcheck.h"

#include "core/cp1252.h"
#include "core/formencode.h"

#include <fuzzer/FuzzedDataProvider.h>

using namespace veltrix;

namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1; // lower case is not written
}

bool mayStayRaw(unsigned char b)
{
    return b > 32 && b < 127 && !QByteArrayView("#%&*+<=>[]").contains(static_cast<char>(b));
}

QByteArray unescaped(const QByteArray &encoded)
{
    QByteArray out;
    for (qsizetype i = 0; i < encoded.size(); ++i) {
        const char c = encoded[i];
        if (c != '%') {
            FUZZ_CHECK(mayStayRaw(static_cast<unsigned char>(c)));
            out.append(c);
            continue;
        }
        FUZZ_CHECK(i + 2 < encoded.size()); // a whole escape
        const int hi = hexValue(encoded[i + 1]);
        const int lo = hexValue(encoded[i + 2]);
        FUZZ_CHECK(hi >= 0 && lo >= 0);
        const auto b = static_cast<unsigned char>(hi * 16 + lo);
        FUZZ_CHECK(!mayStayRaw(b)); // escaped without need
        out.append(static_cast<char>(b));
        i += 2;
    }
    return out;
}

// Characters as the user sees them: a surrogate pair is one.
qsizetype characterCount(QStringView text)
{
    qsizetype n = 0;
    for (qsizetype i = 0; i < text.size(); ++i, ++n) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
    }
    return n;
}

void checkValue(const QString &value)
{
    const QByteArray bytes = formBytes(value);
    FUZZ_CHECK(bytes.size() == characterCount(value));
    const std::optional<QByteArray> exact = toWindows1252(value);
    if (exact)
        FUZZ_CHECK(bytes == *exact);
    FUZZ_CHECK(unescaped(formEncodeValue(value)) == bytes);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    const bool wide = provider.ConsumeBool();
    const std::string rest = provider.ConsumeRemainingBytesAsString();
    const auto *raw = reinterpret_cast<const std::uint8_t *>(rest.data());
    const QString text = wide ? fuzz::utf16Text(raw, rest.size()) : fuzz::utf8Text(raw, rest.size());
    checkValue(text);

    // The fields of a form: "name=value" pairs joined by "&", values escaped.
    FormFields fields;
    QByteArray expected;
    for (const QString &part : text.split(u'\n')) {
        const QString name = QStringLiteral("f%1").arg(fields.size());
        if (!fields.isEmpty())
            expected += '&';
        expected += name.toLatin1() + '=' + formEncodeValue(part);
        fields.append({name, part});
    }
    FUZZ_CHECK(formEncode(fields) == expected);
    return 0;
}
