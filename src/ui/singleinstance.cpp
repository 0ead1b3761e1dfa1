#include "singleinstance.h"

#include "platform/system.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

namespace veltrix {

Q_LOGGING_CATEGORY(lcHandOver, "veltrix.handover", QtWarningMsg)

namespace {

// A request: the magic number, the length of the file name in UTF-8 and the
// name. The answer: one byte, once the request is taken.
constexpr quint32 kMagic = 0x56524831;
constexpr quint32 kMaxName = 64 * 1024;
constexpr int kHeader = 8;
constexpr int kConnectMs = 1000;
// While the lock holder is starting and not yet listening.
constexpr unsigned long kRetryMs = 50;

// The same file however it is named: relative, through a linked folder.
QString stablePath(const QString &path)
{
    if (path.isEmpty())
        return {};
    const QFileInfo info(path);
    QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    if (folder.isEmpty())
        folder = QDir::cleanPath(info.absolutePath());
    QString stable = folder + QLatin1Char('/') + info.fileName();
#ifdef Q_OS_WIN
    stable = stable.toLower();
#endif
    return stable;
}

QString lockPath(const QString &dataFolder, const QString &name)
{
    if (!dataFolder.isEmpty() && QDir().mkpath(dataFolder))
        return QDir(dataFolder).filePath(name + QStringLiteral(".lock"));
    return QDir::temp().filePath(name + QStringLiteral(".lock"));
}

} // namespace

QString SingleInstance::serverName(const QString &dataFolder, const QString &settingsPath)
{
    const QByteArray key = (stablePath(dataFolder) + QLatin1Char('\n') + stablePath(settingsPath)).toUtf8();
    return QStringLiteral("veltrix-")
        + QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(16));
}

SingleInstance::SingleInstance(const QString &dataFolder, const QString &settingsPath, QObject *parent)
    : QObject(parent),
      m_name(serverName(dataFolder, settingsPath)),
      m_lock(lockPath(dataFolder, m_name))
{
    // Held for the whole run: only a holder that is gone makes it stale.
    m_lock.setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

SingleInstance::Role SingleInstance::start(const QString &reportFile, int waitMs)
{
    const QDeadlineTimer deadline(waitMs);
    for (;;) {
        if (m_lock.tryLock(0)) {
            // A socket still there was left by a program that has ended.
            QLocalServer::removeServer(m_name);
            listen();
            return Role::Serving;
        }
        // No lock can be made here at all: the program runs on its own, as
        // it did before there was one.
        if (m_lock.error() != QLockFile::LockFailedError) {
            listen();
            return Role::Serving;
        }
        if (deliver(reportFile, int(qMax<qint64>(deadline.remainingTime(), kConnectMs))) == Delivery::Taken)
            return Role::HandedOver;
        if (deadline.hasExpired())
            return Role::Unanswered;
        QThread::msleep(kRetryMs);
    }
}

SingleInstance::Delivery SingleInstance::deliver(const QString &reportFile, int waitMs) const
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(kConnectMs))
        return Delivery::NoServer;
    // The player started this one: the running program may come to the front.
    letOtherProgramToFront();
    const QByteArray name = reportFile.toUtf8();
    QByteArray request;
    QDataStream out(&request, QIODevice::WriteOnly);
    out << kMagic << quint32(name.size());
    request += name;
    socket.write(request);
    const QDeadlineTimer deadline(waitMs);
    while (socket.bytesAvailable() < 1) {
        if (socket.state() != QLocalSocket::ConnectedState)
            // Closed unanswered: the holder is ending. Its lock goes with it.
            return Delivery::NoServer;
        if (deadline.hasExpired())
            // Busy, but the request waits in its queue.
            return Delivery::Taken;
        socket.waitForReadyRead(int(qMin<qint64>(deadline.remainingTime(), 100)));
    }
    return Delivery::Taken;
}

void SingleInstance::listen()
{
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
    // Without the server the program still runs; a later start finds no one
    // to hand over to and waits in vain.
    if (m_server->listen(m_name))
        qCInfo(lcHandOver, "serving");
}

void SingleInstance::acceptConnections()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readRequest(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        readRequest(socket);
    }
}

void SingleInstance::readRequest(QLocalSocket *socket)
{
    if (socket->bytesAvailable() < kHeader)
        return;
    QDataStream head(socket->peek(kHeader));
    quint32 magic = 0;
    quint32 size = 0;
    head >> magic >> size;
    if (magic != kMagic || size > kMaxName) {
        socket->abort();
        return;
    }
    if (socket->bytesAvailable() < kHeader + qint64(size))
        return;
    socket->skip(kHeader);
    const QString reportFile = QString::fromUtf8(socket->read(size));
    qCInfo(lcHandOver, "request: \"%s\"", qUtf8Printable(reportFile));
    socket->write("1", 1);
    socket->flush();
    // Outside the socket's signal: the request may ask a question first.
    QMetaObject::invokeMethod(this, [this, reportFile] { emit requested(reportFile); }, Qt::QueuedConnection);
}

} // namespace veltrix
