#include "platform/systemfiles.h"

#include <QFile>
#include <QScopeGuard>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace veltrix {

namespace {

// The reason for a failed call, in German for the usual cases.
QString failure(int error)
{
    switch (error) {
    case ENOENT: return QStringLiteral("Die Datei oder der Ordner existiert nicht.");
    case EACCES:
    case EPERM: return QStringLiteral("Zugriff verweigert.");
    case ENOTDIR: return QStringLiteral("Ein Teil des Pfades ist kein Ordner.");
    case ENAMETOOLONG: return QStringLiteral("Der Dateiname ist zu lang.");
    case ELOOP: return QStringLiteral("Zu viele symbolische Verknüpfungen im Pfad.");
    case EMFILE:
    case ENFILE: return QStringLiteral("Zu viele geöffnete Dateien.");
    case ENOMEM: return QStringLiteral("Zu wenig Arbeitsspeicher.");
    case EIO: return QStringLiteral("Ein-/Ausgabefehler beim Lesen.");
    default: return qt_error_string(error);
    }
}

} // namespace

bool readBoundedFile(const QString &path, QByteArray &bytes, QString &reason, qint64 maxBytes)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    // Refused before opening, as opening some devices already does something;
    // checked again on what was opened.
    const auto refused = [&] {
        if (S_ISDIR(info.st_mode))
            reason = folderRefusal();
        else if (!S_ISREG(info.st_mode))
            reason = notAFileRefusal();
        else if (info.st_size > maxBytes)
            reason = tooLargeRefusal();
        else
            return false;
        return true;
    };
    if (::stat(name.constData(), &info) == 0 && refused())
        return false;
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        reason = failure(errno);
        return false;
    }
    const auto closeFd = qScopeGuard([fd] { ::close(fd); });
    if (::fstat(fd, &info) != 0) {
        reason = failure(errno);
        return false;
    }
    if (refused())
        return false;
    return readGrowing(info.st_size, maxBytes, bytes, reason, [&](char *into, qint64 room) -> qint64 {
        for (;;) {
            const ssize_t n = ::read(fd, into, size_t(room));
            if (n >= 0)
                return n;
            if (errno != EINTR) {
                reason = failure(errno);
                return -1;
            }
        }
    });
}

bool entryPresent(const QString &path)
{
    // A link to nothing is something in the way too.
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 || (errno != ENOENT && errno != ENOTDIR);
}

QString removeEntry(const QString &path)
{
    if (::unlink(QFile::encodeName(path).constData()) != 0 && errno != ENOENT && errno != ENOTDIR)
        return failure(errno);
    return {};
}

QString renameEntry(const QString &from, const QString &to)
{
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0 && errno != ENOENT)
        return failure(errno);
    return {};
}

} // namespace veltrix
