// A server's answer as the HTTP client takes it in: header lines, body pieces
// up to the limit, the status line an error names. The body never passes the
// limit and comes back only with a 2xx status; an error is short, printable
// and names a status line of the transfer's status, never one a header or a
// trailer only pretends to be.
// Input: an answer as a server sends it (header blocks, an empty line, the
// body), after a NUL byte trailer lines; parameters from the end.

#include "fuzzcheck.h"

#include "platform/httpanswer.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QList>

using namespace veltrix;

namespace {

// The lines of a text, each with its "\n" if it had one.
QList<QByteArray> linesOf(const QByteArray &text)
{
    QList<QByteArray> lines;
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = text.indexOf('\n', start);
        end = end < 0 ? text.size() : end + 1;
        lines << text.mid(start, end - start);
        start = end;
    }
    return lines;
}

bool isBlank(const QByteArray &line)
{
    return line == "\r\n" || line == "\n";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    const qint64 limit = provider.ConsumeIntegralInRange<qint64>(0, 4096);
    const std::size_t pieceSize = provider.ConsumeIntegralInRange<std::size_t>(1, 512);
    const bool statusFromLine = provider.ConsumeBool();
    const long otherStatus = provider.ConsumeIntegralInRange<long>(-1, 1000);
    const std::string rest = provider.ConsumeRemainingBytesAsString();
    const QByteArray input(rest.data(), static_cast<qsizetype>(rest.size()));
    const qsizetype nul = input.indexOf('\0');
    const QByteArray answerBytes = nul < 0 ? input : input.left(nul);
    const QList<QByteArray> trailers = nul < 0 ? QList<QByteArray>() : linesOf(input.mid(nul + 1));

    for (const QByteArray &line : linesOf(input)) {
        if (const auto status = parseStatusLine(line)) {
            FUZZ_CHECK(status->code >= 0 && status->code <= 999);
            FUZZ_CHECK(status->shown.startsWith("HTTP/") && status->shown.size() <= kMaxShownStatusLine);
            for (const char c : status->shown) {
                const auto u = static_cast<unsigned char>(c);
                FUZZ_CHECK(u >= 0x20 && (u < 0x7F || u > 0x9F));
            }
        }
    }

    // Header blocks as curl hands them over: one after another while the
    // answers are interim (1xx), then the body, then trailers.
    HttpAnswer answer(limit);
    QList<QByteArray> statusLines; // the first line of each block
    const QList<QByteArray> lines = linesOf(answerBytes);
    qsizetype i = 0;
    long finalStatus = 0;
    bool blockStart = true;
    bool headersDone = false;
    for (; i < lines.size(); ++i) {
        answer.addHeaderLine(lines[i]);
        if (isBlank(lines[i])) {
            if (blockStart || finalStatus < 100 || finalStatus > 199) {
                headersDone = true;
                ++i;
                break;
            }
            blockStart = true;
            continue;
        }
        if (blockStart) {
            statusLines << lines[i];
            const auto status = parseStatusLine(lines[i]);
            finalStatus = status ? status->code : 0;
        }
        blockStart = false;
    }
    QByteArray body;
    for (; i < lines.size(); ++i)
        body += lines[i];
    QByteArray taken;
    bool refused = false;
    for (qsizetype at = 0; at < body.size(); at += qsizetype(pieceSize)) {
        const QByteArray piece = body.mid(at, qsizetype(pieceSize));
        const bool took = answer.addBody(piece);
        FUZZ_CHECK(!(refused && took)); // once too large, always
        if (took)
            taken += piece;
        refused = refused || !took;
    }
    FUZZ_CHECK(taken.size() <= limit);
    FUZZ_CHECK(refused == (body.size() > limit));
    FUZZ_CHECK(answer.tooLarge() == refused);
    // Trailers come only after the final answer's header block.
    if (headersDone)
        for (const QByteArray &line : trailers)
            answer.addHeaderLine(line);

    const long status = statusFromLine ? finalStatus : otherStatus;
    const HttpResult result = answer.finish(status);
    FUZZ_CHECK(result.ok == (!refused && status >= 200 && status <= 299));
    FUZZ_CHECK(result.ok || result.body.isEmpty());
    if (result.ok) {
        FUZZ_CHECK(result.body == taken);
        FUZZ_CHECK(result.error.isEmpty());
        return 0;
    }
    FUZZ_CHECK(!result.error.isEmpty() && result.error.size() <= kMaxShownStatusLine);
    for (const QChar ch : result.error)
        FUZZ_CHECK(ch.unicode() >= 0x20 && (ch.unicode() < 0x7F || ch.unicode() > 0x9F));
    if (refused) {
        FUZZ_CHECK(result.error == answer.tooLargeError());
        return 0;
    }
    if (result.error.startsWith(QLatin1String("HTTP status "))) {
        FUZZ_CHECK(result.error == QStringLiteral("HTTP status %1").arg(status));
        return 0;
    }
    // The last status line of that status among the blocks' first lines.
    QByteArray expected;
    for (const QByteArray &line : statusLines)
        if (const auto parsed = parseStatusLine(line); parsed && parsed->code == status)
            expected = parsed->shown;
    FUZZ_CHECK_TEXT(result.error == QString::fromLatin1(expected), result.error);
    return 0;
}
