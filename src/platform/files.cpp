#include "files.h"

#include "core/error.h"
#include "core/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

namespace veltrix {

namespace {

// The bytes of a file, or the system's reason why they cannot be read.
bool readBytes(const QString &path, QByteArray &bytes, QString &reason)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        reason = file.errorString();
        return false;
    }
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        reason = file.errorString();
        return false;
    }
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
    QString reason;
    if (!writeBytes(path, encodeFileText(text), reason))
        throw VeltrixError(QStringLiteral("Datei \"%1\" kann nicht erstellt werden. %2").arg(path, reason));
}

QString settingsFilePath()
{
    const QString explicitPath = qEnvironmentVariable("VELTRIX_INI");
    if (!explicitPath.isEmpty())
        return explicitPath;
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    // Relative values are invalid for this variable and are ignored.
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/veltrix.ini");
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

} // namespace veltrix
