#include "files.h"

#include "system.h"

#include "core/error.h"
#include "core/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QSaveFile>
#include <QScopeGuard>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace veltrix {

namespace {

constexpr qint64 kMaxReadBytes = kMaxTextFileBytes;

// The reason for a failed open or read, in German for the usual cases.
QString readFailure(int error)
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

const QString kFolder = QStringLiteral("Das ist ein Ordner, keine Datei.");
const QString kNotAFile = QStringLiteral("Das ist keine gewöhnliche Datei.");
const QString kTooLarge = QStringLiteral("Die Datei ist größer als 64 MiB.");

// The bytes of a file, or why they cannot be read. Only regular files up to
// the limit are read: a device or pipe could give bytes without end, and
// opening a pipe would wait for a writer.
bool readBytes(const QString &path, QByteArray &bytes, QString &reason, qint64 maxBytes = kMaxReadBytes)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    // Refused before opening, as opening some devices already does something;
    // checked again on what was opened.
    const auto refused = [&] {
        if (S_ISDIR(info.st_mode))
            reason = kFolder;
        else if (!S_ISREG(info.st_mode))
            reason = kNotAFile;
        else if (info.st_size > maxBytes)
            reason = kTooLarge;
        else
            return false;
        return true;
    };
    if (::stat(name.constData(), &info) == 0 && refused())
        return false;
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        reason = readFailure(errno);
        return false;
    }
    const auto closeFd = qScopeGuard([fd] { ::close(fd); });
    if (::fstat(fd, &info) != 0) {
        reason = readFailure(errno);
        return false;
    }
    if (refused())
        return false;
    // The file may grow while it is read (or claim no size at all): the
    // limit holds whatever it turns out to hold.
    qsizetype size = 0;
    bytes.resize(qsizetype(info.st_size) + 1);
    for (;;) {
        if (size == bytes.size()) {
            if (size > maxBytes)
                break;
            bytes.resize(qMin<qint64>(qint64(size) * 2, maxBytes + 1));
        }
        const ssize_t n = ::read(fd, bytes.data() + size, size_t(bytes.size() - size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            reason = readFailure(errno);
            bytes.clear();
            return false;
        }
        if (n == 0)
            break;
        size += n;
    }
    if (size > maxBytes) {
        reason = kTooLarge;
        bytes.clear();
        return false;
    }
    bytes.resize(size);
    return true;
}

bool writeBytes(const QString &path, const QByteArray &bytes, QString &reason)
{
    QSaveFile file(path);
    // Unbuffered: a failing write shows at once, before the rename could
    // replace the old file.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        reason = file.errorString();
        return false;
    }
    errno = 0;
    if (file.write(bytes) != bytes.size()) {
        // A short write sets no error of its own; errno holds the reason.
        const int error = errno;
        reason = file.error() != QFileDevice::NoError ? file.errorString() : qt_error_string(error);
        file.cancelWriting(); // the temporary file goes with the object
        return false;
    }
    if (!file.commit()) {
        reason = file.errorString();
        return false;
    }
    return true;
}

} // namespace

QString readTextFile(const QString &path)
{
    QByteArray bytes;
    QString reason;
    if (!readBytes(path, bytes, reason))
        throw VeltrixError(QStringLiteral("Datei %1 kann nicht geöffnet werden. %2").arg(path, reason));
    return decodeFileText(bytes);
}

void writeTextFile(const QString &path, const QString &text)
{
    writeBinaryFile(path, encodeFileText(text));
}

void writeBinaryFile(const QString &path, const QByteArray &bytes)
{
    QString reason;
    if (!writeBytes(path, bytes, reason))
        throw VeltrixError(QStringLiteral("Datei \"%1\" kann nicht erstellt werden. %2").arg(path, reason));
}

QString settingsFilePath(const QProcessEnvironment &environment)
{
    const QString explicitPath = environment.value(QStringLiteral("VELTRIX_INI"));
    if (!explicitPath.isEmpty())
        return explicitPath;
    return systemSettingsFilePath(environment);
}

std::optional<IniFile> readSettingsFile(const QString &path)
{
    QByteArray bytes;
    QString reason;
    if (!readBytes(path, bytes, reason))
        return QFileInfo::exists(path) ? std::nullopt : std::optional<IniFile>(IniFile());
    return IniFile::fromBytes(bytes);
}

void writeSettingsFile(const QString &path, const IniFile &ini)
{
    QString reason;
    // A fresh home may not have its configuration folder yet.
    const bool folder = QDir().mkpath(QFileInfo(path).absolutePath());
    if (!folder || !writeBytes(path, ini.toBytes(), reason))
        throw VeltrixError(QStringLiteral("In %1 kann nicht geschrieben werden").arg(path));
}

bool DiskFiles::exists(const QString &path)
{
    const QFileInfo target(path);
    return target.exists() && !target.isDir();
}

FileBytes DiskFiles::readData(const QString &path, qint64 maxBytes)
{
    FileBytes found;
    QByteArray bytes;
    QString reason;
    if (readBytes(path, bytes, reason, maxBytes)) {
        found.present = true;
        found.bytes = std::move(bytes);
        return found;
    }
    // A link to nothing is something in the way too.
    struct stat info {};
    found.present = ::lstat(QFile::encodeName(path).constData(), &info) == 0 || (errno != ENOENT && errno != ENOTDIR);
    return found;
}

void DiskFiles::writeData(const QString &path, const QByteArray &bytes)
{
    // A first run may not have the folder yet; if it cannot be made, the
    // write says why.
    QDir().mkpath(QFileInfo(path).absolutePath());
    writeBinaryFile(path, bytes);
}

void DiskFiles::remove(const QString &path)
{
    if (::unlink(QFile::encodeName(path).constData()) != 0 && errno != ENOENT && errno != ENOTDIR) {
        const int error = errno;
        throw VeltrixError(QStringLiteral("Datei \"%1\" kann nicht gelöscht werden. %2").arg(path, readFailure(error)));
    }
}

void DiskFiles::rename(const QString &from, const QString &to)
{
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0 && errno != ENOENT) {
        const int error = errno;
        throw VeltrixError(QStringLiteral("Datei \"%1\" kann nicht umbenannt werden. %2").arg(from, readFailure(error)));
    }
}

} // namespace veltrix
