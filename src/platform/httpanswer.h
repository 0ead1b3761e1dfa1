#pragma once

#include "platform.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <optional>

namespace veltrix {

// A status line, "HTTP/1.1 404 Not Found" or "HTTP/2 200".
struct HttpStatusLine {
    int code = 0;
    // The line as an error names it: controls as blanks, at most
    // kMaxShownStatusLine bytes, since it comes from the server.
    QByteArray shown;
};
inline constexpr qsizetype kMaxShownStatusLine = 160;

// The status line in a header line (its line break may still end it), or
// none when the line is not one.
std::optional<HttpStatusLine> parseStatusLine(QByteArrayView line);

// A server's answer gathered as its header lines and body pieces arrive, and
// what the program makes of it. Free of the transfer itself, so that the
// client and its fuzz target take the same decisions.
class HttpAnswer {
public:
    explicit HttpAnswer(qint64 maxBodyBytes) : m_maxBodyBytes(maxBodyBytes) {}

    // One header line as it came. The first line of each block is a
    // response's status line; interim answers (1xx) come before the final
    // one, trailers after it (a proxy's answer is not handed over).
    void addHeaderLine(QByteArrayView line);
    // Takes a piece of the body; false, and nothing taken, once the body
    // would grow past the limit.
    bool addBody(QByteArrayView piece);
    bool tooLarge() const { return m_tooLarge; }
    QString tooLargeError() const;

    // The outcome of a transfer that ended with the given status: the body
    // of a 2xx answer, otherwise the error names the answer's status line
    // of that status (the last one, if the server sent several).
    HttpResult finish(long status);

private:
    qint64 m_maxBodyBytes;
    QByteArray m_body;
    bool m_tooLarge = false;
    bool m_atBlockStart = true;
    bool m_final = false; // the final answer's status line has come
    QHash<int, QByteArray> m_shownByCode;
};

} // namespace veltrix
