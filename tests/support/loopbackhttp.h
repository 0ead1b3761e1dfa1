#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

#include <atomic>
#include <mutex>
#include <thread>

namespace veltrix::test {

// What the server does with one request.
struct ScriptedResponse {
    enum class Mode {
        Respond,     // sends raw, then closes
        Silent,      // accepts and never answers; holds the connection until the client leaves
        CloseAtOnce, // closes without a byte
    };
    Mode mode = Mode::Respond;
    QByteArray raw;   // the whole response as sent on the wire
    int delayMs = 0;  // wait before answering

    // A response with Content-Length and Connection: close.
    static ScriptedResponse status(int code, const QByteArray &reason, const QByteArray &body = {},
                                   const QList<QByteArray> &headers = {});
    static ScriptedResponse ok(const QByteArray &body) { return status(200, "OK", body); }
    static ScriptedResponse silent();
    static ScriptedResponse closeAtOnce();
    static ScriptedResponse rawBytes(const QByteArray &raw);
};

// A real HTTP/1.x server on 127.0.0.1 with a port of its own, answering from
// a script by request target and recording every request's raw bytes. It
// serves on a thread of its own, so a blocking client in the test's thread
// can talk to it.
class LoopbackHttpServer {
public:
    LoopbackHttpServer();
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer &) = delete;
    LoopbackHttpServer &operator=(const LoopbackHttpServer &) = delete;

    bool isListening() const { return m_listenFd >= 0; }
    quint16 port() const { return m_port; }
    QString baseUrl() const; // "http://127.0.0.1:<port>"

    // By request target, e.g. "/Downloads/version.txt"; unknown targets get 404.
    void setResponse(const QByteArray &target, const ScriptedResponse &response);

    QList<QByteArray> requests() const;
    int requestCount() const;
    void clearRequests();

    // A loopback port on which nothing listens.
    static quint16 closedPort();

private:
    void serve();
    void handle(int fd);
    ScriptedResponse responseFor(const QByteArray &target) const;
    bool waitReadable(int fd, int timeoutMs) const;

    int m_listenFd = -1;
    quint16 m_port = 0;
    std::atomic<bool> m_stop{false};
    mutable std::mutex m_mutex;
    QMap<QByteArray, ScriptedResponse> m_script;
    QList<QByteArray> m_requests;
    std::thread m_thread;
};

// The head of a raw request: request line and header lines, without the body.
struct RecordedRequest {
    QByteArray requestLine;
    QList<QPair<QByteArray, QByteArray>> headers; // names as sent
    QByteArray body;
    QList<QByteArray> headerValues(const QByteArray &name) const; // case-insensitive
};
RecordedRequest parseRequest(const QByteArray &raw);

} // namespace veltrix::test
