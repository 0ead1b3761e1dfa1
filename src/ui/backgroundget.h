#pragma once

#include "platform/platform.h"

#include <QObject>
#include <functional>
#include <memory>
#include <thread>

namespace veltrix {

// One GET at a time on a worker thread, its outcome handed back to the
// thread that created this object. Destroying it aborts the request and
// waits only for the worker to notice, never for the server.
class BackgroundGet {
public:
    BackgroundGet() = default;
    ~BackgroundGet();
    BackgroundGet(const BackgroundGet &) = delete;
    BackgroundGet &operator=(const BackgroundGet &) = delete;

    // From start until done is called.
    bool running() const { return m_running; }
    // False, and nothing started, while a request is under way. http must
    // outlive this object and be usable from another thread.
    bool start(HttpClient *http, const QString &url, std::function<void(const HttpResult &)> done);

private:
    QObject m_context; // receives the outcome; pending deliveries go with it
    std::unique_ptr<HttpAbort> m_abort;
    std::thread m_worker;
    bool m_running = false;
};

} // namespace veltrix
