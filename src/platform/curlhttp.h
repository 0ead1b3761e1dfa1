#pragma once

#include "platform.h"

namespace veltrix {

// Synchronous HTTP on libcurl's easy interface. Each request uses a fresh
// handle and connection. Redirections are not followed; only a 2xx body
// counts, every other status is an error carrying the status line.
class CurlHttpClient : public HttpClient {
public:
    struct Limits {
        long connectTimeoutMs = 4000;  // keeps an unreachable update server from stalling start-up
        long stallSeconds = 5;         // no byte for this long ends the request
        long totalTimeoutMs = 30000;
        qint64 maxResponseBytes = 16 * 1024 * 1024;
    };

    CurlHttpClient();
    explicit CurlHttpClient(const Limits &limits);

    // HTTP/1.1, no request headers of the program's own.
    HttpResult get(const QString &url) override;
    HttpResult getAbortable(const QString &url, HttpAbort &abort) override;
    // HTTP/1.0 with Content-Type: application/x-www-form-urlencoded.
    HttpResult postForm(const QString &url, const QByteArray &body) override;

    const Limits &limits() const { return m_limits; }

private:
    Limits m_limits;
};

} // namespace veltrix
