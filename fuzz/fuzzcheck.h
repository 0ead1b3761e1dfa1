#pragma once

// Shared by the fuzz targets: turning raw input into text and failing loudly
// when an invariant breaks (libFuzzer keeps the input that aborted).

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace fuzz {

// Report lines arrive as text; invalid UTF-8 still reaches the code as
// replacement characters, which is what a paste of broken bytes gives.
inline QString utf8Text(const std::uint8_t *data, std::size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
}

// Every UTF-16 code unit, surrogates included.
inline QString utf16Text(const std::uint8_t *data, std::size_t size)
{
    QString text(static_cast<qsizetype>(size / 2), Qt::Uninitialized);
    std::memcpy(text.data(), data, size / 2 * 2); // the input need not be aligned for char16_t
    return text;
}

// A text as valid Unicode: unpaired surrogates become U+FFFD.
inline QString withoutLoneSurrogates(QString text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (ch.isSurrogate())
            text[i] = QChar::ReplacementCharacter;
    }
    return text;
}

[[noreturn]] inline void fail(const char *condition, const char *file, int line, QStringView detail = {})
{
    std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line, condition);
    if (!detail.isEmpty())
        std::fprintf(stderr, "  %s\n", detail.toUtf8().constData());
    std::abort();
}

} // namespace fuzz

#define FUZZ_CHECK(cond)                                                                                               \
    do {                                                                                                               \
        if (!(cond))                                                                                                   \
            ::fuzz::fail(#cond, __FILE__, __LINE__);                                                                   \
    } while (0)

#define FUZZ_CHECK_TEXT(cond, text)                                                                                    \
    do {                                                                                                               \
        if (!(cond))                                                                                                   \
            ::fuzz::fail(#cond, __FILE__, __LINE__, (text));                                                           \
    } while (0)
