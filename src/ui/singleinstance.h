#pragma once

#include <QLockFile>
#include <QLoggingCategory>
#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;
class QLocalSocket;

namespace veltrix {

// What later starts handed over; off unless QT_LOGGING_RULES turns it on.
Q_DECLARE_LOGGING_CATEGORY(lcHandOver)

// One program per data folder and settings file, as desktop programs are:
// they have one owner each (slots, settings, global keys). The first start
// serves; a later one hands its request to it and ends. The lock decides
// who serves when two start at once; a crashed program's lock and socket
// are taken over.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    // The lock lies in the data folder, or in the temporary folder when
    // that cannot be made.
    SingleInstance(const QString &dataFolder, const QString &settingsPath, QObject *parent = nullptr);
    ~SingleInstance() override;

    enum class Role {
        Serving,    // this program is the one; requests come as requested()
        HandedOver, // the running program has the request
        Unanswered, // one holds the lock but took no request in the time given
    };
    // reportFile: absolute, or empty for "to the front" alone.
    Role start(const QString &reportFile, int waitMs = 5000);

    // Short and from a hash, so that it is a valid pipe name on every system.
    static QString serverName(const QString &dataFolder, const QString &settingsPath);

signals:
    // Empty: only to the front.
    void requested(const QString &reportFile);

private:
    enum class Delivery { Taken, NoServer };
    Delivery deliver(const QString &reportFile, int waitMs) const;
    void listen();
    void acceptConnections();
    void readRequest(QLocalSocket *socket);

    QString m_name;
    QLockFile m_lock;
    QLocalServer *m_server = nullptr;
};

} // namespace veltrix
