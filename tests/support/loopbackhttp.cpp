#include "loopbackhttp.h"

#ifdef _WIN32
// Winsock names the same calls a little differently; its handles are small
// numbers, kept as int like a descriptor.
#include <winsock2.h>
#include <ws2tcpip.h>
namespace {
constexpr int MSG_NOSIGNAL = 0;
constexpr int SOCK_CLOEXEC = 0;
constexpr int SHUT_WR = SD_SEND;
int closeSocket(int fd) { return ::closesocket(SOCKET(fd)); }
int pollSockets(pollfd *fds, unsigned long count, int timeoutMs) { return ::WSAPoll(fds, count, timeoutMs); }
int acceptSocket(int fd) { return int(::accept(SOCKET(fd), nullptr, nullptr)); }
const bool winsockStarted = [] {
    WSADATA data;
    return ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
}();
} // namespace
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
namespace {
int closeSocket(int fd) { return ::close(fd); }
int pollSockets(pollfd *fds, nfds_t count, int timeoutMs) { return ::poll(fds, count, timeoutMs); }
int acceptSocket(int fd) { return ::accept4(fd, nullptr, nullptr, SOCK_CLOEXEC); }
} // namespace
#endif

#include <chrono>

namespace veltrix::test {

namespace {

constexpr int kTick = 20; // ms between checks of the stop flag
constexpr qsizetype kMaxRequest = 1 << 20;

void writeAll(int fd, const QByteArray &data)
{
    qsizetype sent = 0;
    while (sent < data.size()) {
        const ssize_t n = ::send(fd, data.constData() + sent, size_t(data.size() - sent), MSG_NOSIGNAL);
        if (n <= 0)
            return;
        sent += n;
    }
}

qsizetype contentLength(const QByteArray &head)
{
    for (const QByteArray &line : head.split('\n')) {
        const QByteArray l = line.trimmed();
        const qsizetype colon = l.indexOf(':');
        if (colon > 0 && l.left(colon).trimmed().toLower() == "content-length")
            return l.mid(colon + 1).trimmed().toLongLong();
    }
    return 0;
}

} // namespace

ScriptedResponse ScriptedResponse::status(int code, const QByteArray &reason, const QByteArray &body,
                                          const QList<QByteArray> &headers)
{
    QByteArray raw = "HTTP/1.1 " + QByteArray::number(code) + ' ' + reason + "\r\n";
    raw += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    raw += "Connection: close\r\n";
    for (const QByteArray &h : headers)
        raw += h + "\r\n";
    raw += "\r\n" + body;
    return rawBytes(raw);
}

ScriptedResponse ScriptedResponse::silent()
{
    ScriptedResponse r;
    r.mode = Mode::Silent;
    return r;
}

ScriptedResponse ScriptedResponse::closeAtOnce()
{
    ScriptedResponse r;
    r.mode = Mode::CloseAtOnce;
    return r;
}

ScriptedResponse ScriptedResponse::rawBytes(const QByteArray &raw)
{
    ScriptedResponse r;
    r.raw = raw;
    return r;
}

LoopbackHttpServer::LoopbackHttpServer()
{
    m_listenFd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_listenFd < 0)
        return;
    const int one = 1;
    ::setsockopt(m_listenFd, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char *>(&one), sizeof one);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    socklen_t len = sizeof addr;
    if (::bind(m_listenFd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) != 0 || ::listen(m_listenFd, 16) != 0
        || ::getsockname(m_listenFd, reinterpret_cast<sockaddr *>(&addr), &len) != 0) {
        closeSocket(m_listenFd);
        m_listenFd = -1;
        return;
    }
    m_port = ntohs(addr.sin_port);
    m_thread = std::thread([this] { serve(); });
}

LoopbackHttpServer::~LoopbackHttpServer()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
    if (m_listenFd >= 0)
        closeSocket(m_listenFd);
}

QString LoopbackHttpServer::baseUrl() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(m_port);
}

void LoopbackHttpServer::setResponse(const QByteArray &target, const ScriptedResponse &response)
{
    std::lock_guard lock(m_mutex);
    m_script.insert(target, response);
}

QList<QByteArray> LoopbackHttpServer::requests() const
{
    std::lock_guard lock(m_mutex);
    return m_requests;
}

int LoopbackHttpServer::requestCount() const
{
    std::lock_guard lock(m_mutex);
    return int(m_requests.size());
}

void LoopbackHttpServer::clearRequests()
{
    std::lock_guard lock(m_mutex);
    m_requests.clear();
}

quint16 LoopbackHttpServer::closedPort()
{
    // Bind a free port and give it up again: nothing listens there then.
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    ::bind(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr);
    ::getsockname(fd, reinterpret_cast<sockaddr *>(&addr), &len);
    closeSocket(fd);
    return ntohs(addr.sin_port);
}

ScriptedResponse LoopbackHttpServer::responseFor(const QByteArray &target) const
{
    std::lock_guard lock(m_mutex);
    const auto it = m_script.constFind(target);
    if (it != m_script.constEnd())
        return *it;
    return ScriptedResponse::status(404, "Not Found", "not found");
}

bool LoopbackHttpServer::waitReadable(int fd, int timeoutMs) const
{
    pollfd p{fd, POLLIN, 0};
    return pollSockets(&p, 1, timeoutMs) > 0;
}

void LoopbackHttpServer::serve()
{
    while (!m_stop) {
        if (!waitReadable(m_listenFd, kTick))
            continue;
        const int fd = acceptSocket(m_listenFd);
        if (fd < 0)
            continue;
        handle(fd);
        closeSocket(fd);
    }
}

void LoopbackHttpServer::handle(int fd)
{
    // Read the head, then as much body as Content-Length announces.
    QByteArray raw;
    qsizetype headEnd = -1;
    qsizetype wanted = -1;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!m_stop && std::chrono::steady_clock::now() < deadline) {
        if (wanted >= 0 && raw.size() >= wanted)
            break;
        if (!waitReadable(fd, kTick))
            continue;
        char buf[4096];
        const ssize_t n = ::recv(fd, buf, sizeof buf, 0);
        if (n <= 0)
            break;
        raw.append(buf, n);
        if (raw.size() > kMaxRequest)
            break;
        if (headEnd < 0 && (headEnd = raw.indexOf("\r\n\r\n")) >= 0)
            wanted = headEnd + 4 + contentLength(raw.left(headEnd));
    }
    if (raw.isEmpty())
        return;
    {
        std::lock_guard lock(m_mutex);
        m_requests.append(raw);
    }

    const QByteArray requestLine = raw.left(raw.indexOf("\r\n"));
    const QList<QByteArray> parts = requestLine.split(' ');
    const ScriptedResponse response = responseFor(parts.size() > 1 ? parts.at(1) : QByteArray());

    // A client that gives up while the server waits ends the wait.
    for (int waited = 0; waited < response.delayMs && !m_stop; waited += kTick) {
        if (waitReadable(fd, kTick)) {
            char buf[256];
            if (::recv(fd, buf, sizeof buf, 0) <= 0)
                return;
        }
    }

    switch (response.mode) {
    case ScriptedResponse::Mode::CloseAtOnce:
        return;
    case ScriptedResponse::Mode::Silent:
        // Until the client gives up (end of stream) or the server stops.
        while (!m_stop) {
            if (waitReadable(fd, kTick)) {
                char buf[256];
                if (::recv(fd, buf, sizeof buf, 0) <= 0)
                    return;
            }
        }
        return;
    case ScriptedResponse::Mode::Respond:
        writeAll(fd, response.raw);
        ::shutdown(fd, SHUT_WR);
        // Let the client read to the end before the socket goes.
        for (int i = 0; i < 50 && !m_stop; ++i) {
            if (waitReadable(fd, kTick)) {
                char buf[256];
                if (::recv(fd, buf, sizeof buf, 0) <= 0)
                    return;
            }
        }
        return;
    }
}

QList<QByteArray> RecordedRequest::headerValues(const QByteArray &name) const
{
    QList<QByteArray> values;
    for (const auto &[n, v] : headers) {
        if (n.compare(name, Qt::CaseInsensitive) == 0)
            values << v;
    }
    return values;
}

RecordedRequest parseRequest(const QByteArray &raw)
{
    RecordedRequest r;
    const qsizetype headEnd = raw.indexOf("\r\n\r\n");
    const QByteArray head = headEnd < 0 ? raw : raw.left(headEnd);
    r.body = headEnd < 0 ? QByteArray() : raw.mid(headEnd + 4);
    const QList<QByteArray> lines = head.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QByteArray line = lines[i];
        if (line.endsWith('\r'))
            line.chop(1);
        if (i == 0) {
            r.requestLine = line;
            continue;
        }
        const qsizetype colon = line.indexOf(':');
        if (colon > 0)
            r.headers.append({line.left(colon), line.mid(colon + 1).trimmed()});
    }
    return r;
}

} // namespace veltrix::test
