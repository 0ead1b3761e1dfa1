#include "curlhttp.h"

#include "httpanswer.h"

#include <curl/curl.h>

#include <memory>

namespace veltrix {

namespace {

void ensureGlobalInit()
{
    static const bool done = (curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK);
    Q_UNUSED(done);
}

size_t onBody(char *data, size_t size, size_t count, void *userdata)
{
    const size_t n = size * count;
    // Refusing the piece ends the transfer with a write error.
    return static_cast<HttpAnswer *>(userdata)->addBody(QByteArrayView(data, qsizetype(n))) ? n : 0;
}

size_t onHeader(char *data, size_t size, size_t count, void *userdata)
{
    const size_t n = size * count;
    static_cast<HttpAnswer *>(userdata)->addHeaderLine(QByteArrayView(data, qsizetype(n)));
    return n;
}

struct EasyDeleter {
    void operator()(CURL *h) const { curl_easy_cleanup(h); }
};
struct SlistDeleter {
    void operator()(curl_slist *l) const { curl_slist_free_all(l); }
};
struct MultiDeleter {
    void operator()(CURLM *m) const { curl_multi_cleanup(m); }
};

// curl_easy_perform, with a wait that another thread can cut short.
CURLcode performAbortable(CURL *h, HttpAbort &abort)
{
    std::unique_ptr<CURLM, MultiDeleter> multi(curl_multi_init());
    if (!multi)
        return CURLE_OUT_OF_MEMORY;
    CURLM *m = multi.get();
    if (!abort.setWake([m] { curl_multi_wakeup(m); }))
        return CURLE_ABORTED_BY_CALLBACK;
    curl_multi_add_handle(m, h);
    CURLcode code = CURLE_OK;
    for (;;) {
        int running = 0;
        if (curl_multi_perform(m, &running) != CURLM_OK) {
            code = CURLE_RECV_ERROR;
            break;
        }
        if (running == 0) {
            int left = 0;
            code = CURLE_RECV_ERROR;
            while (CURLMsg *msg = curl_multi_info_read(m, &left)) {
                if (msg->msg == CURLMSG_DONE && msg->easy_handle == h)
                    code = msg->data.result;
            }
            break;
        }
        if (abort.aborted()) {
            code = CURLE_ABORTED_BY_CALLBACK;
            break;
        }
        curl_multi_poll(m, nullptr, 0, 1000, nullptr);
    }
    // No wake-up may reach the handle once it is gone.
    abort.setWake({});
    curl_multi_remove_handle(m, h);
    return code;
}

enum class Method { Get, PostForm };

HttpResult perform(const CurlHttpClient::Limits &limits, Method method, const QString &url,
                   const QByteArray &postBody, HttpAbort *abort = nullptr)
{
    ensureGlobalInit();
    HttpResult result;
    std::unique_ptr<CURL, EasyDeleter> easy(curl_easy_init());
    if (!easy) {
        result.error = QStringLiteral("HTTP client could not be initialised");
        return result;
    }
    CURL *h = easy.get();

    HttpAnswer answer(limits.maxResponseBytes);
    char errorBuffer[CURL_ERROR_SIZE] = {};
    const QByteArray urlBytes = url.toUtf8();

    curl_easy_setopt(h, CURLOPT_URL, urlBytes.constData());
    curl_easy_setopt(h, CURLOPT_ERRORBUFFER, errorBuffer);
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, limits.connectTimeoutMs);
    curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, limits.totalTimeoutMs);
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_TIME, limits.stallSeconds);
    curl_easy_setopt(h, CURLOPT_MAXFILESIZE_LARGE, curl_off_t(limits.maxResponseBytes));
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, onBody);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &answer);
    curl_easy_setopt(h, CURLOPT_HEADERFUNCTION, onHeader);
    curl_easy_setopt(h, CURLOPT_HEADERDATA, &answer);
    // A proxy's answer to CONNECT would come as one more header block.
    curl_easy_setopt(h, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);

    std::unique_ptr<curl_slist, SlistDeleter> headers;
    if (method == Method::PostForm) {
        headers.reset(curl_slist_append(nullptr, "Content-Type: application/x-www-form-urlencoded"));
        curl_easy_setopt(h, CURLOPT_HTTP_VERSION, long(CURL_HTTP_VERSION_1_0));
        curl_easy_setopt(h, CURLOPT_POST, 1L);
        curl_easy_setopt(h, CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(postBody.size()));
        curl_easy_setopt(h, CURLOPT_POSTFIELDS, postBody.constData());
        curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.get());
    } else {
        curl_easy_setopt(h, CURLOPT_HTTP_VERSION, long(CURL_HTTP_VERSION_1_1));
        curl_easy_setopt(h, CURLOPT_HTTPGET, 1L);
    }

    const CURLcode code = abort ? performAbortable(h, *abort) : curl_easy_perform(h);
    if (code != CURLE_OK) {
        if (code == CURLE_ABORTED_BY_CALLBACK)
            result.error = QStringLiteral("Abgebrochen");
        else if (answer.tooLarge() || code == CURLE_FILESIZE_EXCEEDED)
            result.error = answer.tooLargeError();
        else if (errorBuffer[0])
            result.error = QString::fromUtf8(errorBuffer).trimmed();
        else
            result.error = QString::fromUtf8(curl_easy_strerror(code));
        return result;
    }

    long status = 0;
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);
    return answer.finish(status);
}

} // namespace

CurlHttpClient::CurlHttpClient() = default;

CurlHttpClient::CurlHttpClient(const Limits &limits) : m_limits(limits) {}

HttpResult CurlHttpClient::get(const QString &url)
{
    return perform(m_limits, Method::Get, url, {});
}

HttpResult CurlHttpClient::getAbortable(const QString &url, HttpAbort &abort)
{
    return perform(m_limits, Method::Get, url, {}, &abort);
}

HttpResult CurlHttpClient::postForm(const QString &url, const QByteArray &body)
{
    return perform(m_limits, Method::PostForm, url, body);
}

} // namespace veltrix
