#include "backgroundget.h"

namespace veltrix {

BackgroundGet::~BackgroundGet()
{
    if (m_abort)
        m_abort->abort();
    if (m_worker.joinable())
        m_worker.join();
}

bool BackgroundGet::start(HttpClient *http, const QString &url, std::function<void(const HttpResult &)> done)
{
    if (m_running || !http)
        return false;
    if (m_worker.joinable())
        m_worker.join();
    m_abort = std::make_unique<HttpAbort>();
    m_running = true;
    HttpAbort *abort = m_abort.get();
    m_worker = std::thread([this, http, url, abort, done = std::move(done)] {
        HttpResult result = http->getAbortable(url, *abort);
        if (abort->aborted())
            return; // the owner is going away
        QMetaObject::invokeMethod(
            &m_context,
            [this, result = std::move(result), done] {
                // The worker has nothing left to do but to end.
                m_worker.join();
                m_running = false;
                done(result);
            },
            Qt::QueuedConnection);
    });
    return true;
}

} // namespace veltrix
