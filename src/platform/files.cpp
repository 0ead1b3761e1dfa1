#include "files.h"

#include "system.h"
#include "systemfiles.h"

#include "core/error.h"
#include "core/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QSaveFile>

#include <cerrno>

namespace veltrix {

namespace {

constexpr qint64 kMaxReadBytes = kMaxTextFileBytes;

bool readBytes(const QString &path, QByteArray &bytes, QString &reason, qint64 maxBytes = kMaxReadBytes)
{
    return readBoundedFile(path, bytes, reason, maxBytes);
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

bool readGrowing(qint64 claimed, qint64 maxBytes, QByteArray &bytes, QString &reason,
                 const std::function<qint64(char *, qint64)> &readSome)
{
    qsizetype size = 0;
    bytes.resize(qsizetype(qMin(claimed, maxBytes)) + 1);
    for (;;) {
        if (size == bytes.size()) {
            if (size > maxBytes)
                break;
            bytes.resize(qMin<qint64>(qint64(size) * 2, maxBytes + 1));
        }
        const qint64 n = readSome(bytes.data() + size, bytes.size() - size);
        if (n < 0) {
            bytes.clear();
            return false;
        }
        if (n == 0)
            break;
        size += n;
    }
    if (size > maxBytes) {
        reason = tooLargeRefusal();
        bytes.clear();
        return false;
    }
    bytes.resize(size);
    return true;
}

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
    found.present = entryPresent(path);
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
    const QString reason = removeEntry(path);
    if (!reason.isEmpty())
        throw VeltrixError(QStringLiteral("Datei \"%1\" kann nicht gelöscht werden. %2").arg(path, reason));
}

void DiskFiles::rename(const QString &from, const QString &to)
{
    const QString reason = renameEntry(from, to);
    if (!reason.isEmpty())
        throw VeltrixError(QStringLiteral("Datei \"%1\" kann nicht umbenannt werden. %2").arg(from, reason));
}

} // namespace veltrix
