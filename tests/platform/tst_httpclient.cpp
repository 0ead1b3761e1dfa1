#include "platform/curlhttp.h"
#include "platform/qtplatform.h"
#include "support/loopbackhttp.h"

#include <QProcessEnvironment>
#include <QtTest>

using namespace veltrix;
using veltrix::test::LoopbackHttpServer;
using veltrix::test::ScriptedResponse;

Q_DECLARE_METATYPE(veltrix::test::ScriptedResponse)

class TestHttpClient : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_server.isListening()); }
    void init() { m_server.clearRequests(); }

    void outcome_data()
    {
        QTest::addColumn<ScriptedResponse>("response");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("error");
        QTest::newRow("200") << ScriptedResponse::ok("Version 1.62") << true << QByteArray("Version 1.62") << "";
        QTest::newRow("200 binary body") << ScriptedResponse::ok(QByteArray("a\0b\r\n", 5)) << true
                                         << QByteArray("a\0b\r\n", 5) << "";
        QTest::newRow("204 empty") << ScriptedResponse::status(204, "No Content") << true << QByteArray() << "";
        QTest::newRow("chunked") << ScriptedResponse::rawBytes("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n"
                                                               "Connection: close\r\n\r\n5\r\nhallo\r\n3\r\n du\r\n0\r\n\r\n")
                                 << true << QByteArray("hallo du") << "";
        QTest::newRow("404 body not used") << ScriptedResponse::status(404, "Not Found", "Version 1.62") << false
                                           << QByteArray() << "HTTP/1.1 404 Not Found";
        QTest::newRow("302 not followed")
            << ScriptedResponse::status(302, "Found", "", {"Location: /moved"}) << false << QByteArray()
            << "HTTP/1.1 302 Found";
        QTest::newRow("500") << ScriptedResponse::status(500, "Internal Server Error", "oops") << false
                             << QByteArray() << "HTTP/1.1 500 Internal Server Error";
        // Only a block's first line is a status line.
        QTest::newRow("header pretending to be a status line")
            << ScriptedResponse::rawBytes("HTTP/1.1 404 Not Found\r\nHTTP/1.1 200 OK: ja\r\nContent-Length: 0\r\n"
                                          "Connection: close\r\n\r\n")
            << false << QByteArray() << "HTTP/1.1 404 Not Found";
        QTest::newRow("trailer pretending to be a status line")
            << ScriptedResponse::rawBytes("HTTP/1.1 404 Not Found\r\nTransfer-Encoding: chunked\r\nConnection: close\r\n\r\n"
                                          "0\r\nHTTP/1.1 404 Anders: ja\r\n\r\n")
            << false << QByteArray() << "HTTP/1.1 404 Not Found";
        QTest::newRow("closed without answer") << ScriptedResponse::closeAtOnce() << false << QByteArray() << "*";
        QTest::newRow("not HTTP") << ScriptedResponse::rawBytes("Version 1.62") << false << QByteArray() << "*";
    }
    void outcome()
    {
        QFETCH(ScriptedResponse, response);
        QFETCH(bool, ok);
        QFETCH(QByteArray, body);
        QFETCH(QString, error);
        m_server.setResponse("/x", response);
        m_server.setResponse("/moved", ScriptedResponse::ok("moved"));
        CurlHttpClient client;
        for (bool post : {false, true}) {
            const HttpResult r = post ? client.postForm(m_server.baseUrl() + "/x", "a=b") : client.get(m_server.baseUrl() + "/x");
            QCOMPARE(r.ok, ok);
            QCOMPARE(r.body, body);
            if (error == "*")
                QVERIFY(!r.error.isEmpty());
            else
                QCOMPARE(r.error, error);
        }
        for (const QByteArray &raw : m_server.requests())
            QVERIFY(!raw.contains("/moved"));
    }

    void getRequestBytes()
    {
        m_server.setResponse("/Downloads/version.txt", ScriptedResponse::ok("Version 1.61"));
        CurlHttpClient client;
        QVERIFY(client.get(m_server.baseUrl() + "/Downloads/version.txt").ok);
        QCOMPARE(m_server.requestCount(), 1);
        const auto req = test::parseRequest(m_server.requests().first());
        QCOMPARE(req.requestLine, QByteArray("GET /Downloads/version.txt HTTP/1.1"));
        // Only what the client itself needs; nothing of the program's own.
        for (const auto &[name, value] : req.headers)
            QVERIFY2(name == "Host" || name == "Accept", name.constData());
        QCOMPARE(req.headerValues("Host"), QList<QByteArray>{m_server.baseUrl().mid(7).toLatin1()});
        QVERIFY(req.body.isEmpty());
    }

    void refusedUnsafeOrDead_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("reachesServer");
        QTest::newRow("nothing listens") << QStringLiteral("http://127.0.0.1:%1/x").arg(LoopbackHttpServer::closedPort()) << false;
        QTest::newRow("file scheme") << "file:///etc/hostname" << false;
        QTest::newRow("ftp scheme") << QStringLiteral("ftp://127.0.0.1:%1/x").arg(m_server.port()) << false;
        QTest::newRow("silent server") << m_server.baseUrl() + "/silent" << true;
        QTest::newRow("too slow") << m_server.baseUrl() + "/slow" << true;
        QTest::newRow("too large, announced") << m_server.baseUrl() + "/large" << true;
        QTest::newRow("too large, chunked") << m_server.baseUrl() + "/largechunked" << true;
        QTest::newRow("malformed") << "http://127.0.0.1:99999/x" << false;
    }
    void refusedUnsafeOrDead()
    {
        QFETCH(QString, url);
        QFETCH(bool, reachesServer);
        m_server.setResponse("/silent", ScriptedResponse::silent());
        auto slow = ScriptedResponse::ok("late");
        slow.delayMs = 2000;
        m_server.setResponse("/slow", slow);
        m_server.setResponse("/large", ScriptedResponse::ok(QByteArray(5000, 'x')));
        QByteArray chunked = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nConnection: close\r\n\r\n";
        for (int i = 0; i < 10; ++i)
            chunked += "3e8\r\n" + QByteArray(1000, 'y') + "\r\n";
        m_server.setResponse("/largechunked", ScriptedResponse::rawBytes(chunked + "0\r\n\r\n"));

        CurlHttpClient::Limits limits;
        limits.totalTimeoutMs = 400;
        limits.maxResponseBytes = 4096;
        CurlHttpClient client(limits);
        const HttpResult r = client.get(url);
        QVERIFY(!r.ok);
        QVERIFY(r.body.isEmpty());
        QVERIFY(!r.error.isEmpty());
        QCOMPARE(m_server.requestCount() > 0, reachesServer);
    }

    void serverAddresses_data()
    {
        QTest::addColumn<QString>("variable");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("expected"); // <unset>: the build's default
        QTest::newRow("trailing slashes dropped") << "VELTRIX_UPDATE_URL" << "http://h:1//" << "http://h:1";
        QTest::newRow("empty falls back") << "VELTRIX_UPDATE_URL" << "" << "<unset>";
        QTest::newRow("contact") << "VELTRIX_CONTACT_URL" << "http://127.0.0.1:99/" << "http://127.0.0.1:99";
        QTest::newRow("recipient") << "VELTRIX_CONTACT_RECIPIENT" << "a@b.example" << "a@b.example";
    }
    void serverAddresses()
    {
        QFETCH(QString, variable);
        QFETCH(QString, value);
        QFETCH(QString, expected);
        const auto read = [&](const QProcessEnvironment &environment) {
            const ServerAddresses servers = RealPlatform(environment).platform().servers;
            return variable == u"VELTRIX_UPDATE_URL"    ? servers.updateUrl
                   : variable == u"VELTRIX_CONTACT_URL" ? servers.contactUrl
                                                        : servers.contactRecipient;
        };
        const QString builtIn = read(QProcessEnvironment());
        QProcessEnvironment environment;
        environment.insert(variable, value);
        QVERIFY(!builtIn.isEmpty());
        QCOMPARE(read(environment), expected == u"<unset>" ? builtIn : expected);
    }

private:
    LoopbackHttpServer m_server;
};

QTEST_GUILESS_MAIN(TestHttpClient)
#include "tst_httpclient.moc"
