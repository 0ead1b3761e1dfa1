#pragma once

#include "core/inifile.h"
#include "platform.h"

#include <QByteArray>
#include <QString>
#include <optional>

class QProcessEnvironment;

namespace veltrix {

// Reads a report file as text (UTF-8 or Windows-1252, line ends as they
// are). Throws "Datei %s kann nicht geöffnet werden. %s".
QString readTextFile(const QString &path);

// Writes a report file atomically: on failure the old file stays whole.
// Throws "Datei "%s" kann nicht erstellt werden. %s".
void writeTextFile(const QString &path, const QString &text);

// The same for bytes already encoded, with the same error.
void writeBinaryFile(const QString &path, const QByteArray &bytes);

// $VELTRIX_INI, else the system's place: $XDG_CONFIG_HOME/veltrix.ini
// (~/.config when unset), %APPDATA%\\veltrix.ini on Windows.
QString settingsFilePath(const QProcessEnvironment &environment);

// A missing settings file reads as empty, so every key falls back to its
// default. One that exists but cannot be read gives an empty optional:
// writing over it would lose what it holds.
std::optional<IniFile> readSettingsFile(const QString &path);

// Throws "In %s kann nicht geschrieben werden".
void writeSettingsFile(const QString &path, const IniFile &ini);

// The files above, for the windows.
class DiskFiles : public Files {
public:
    QString readText(const QString &path) override { return readTextFile(path); }
    void writeText(const QString &path, const QString &text) override { writeTextFile(path, text); }
    bool exists(const QString &path) override;
    std::optional<IniFile> readSettings(const QString &path) override { return readSettingsFile(path); }
    void writeSettings(const QString &path, const IniFile &ini) override { writeSettingsFile(path, ini); }
    FileBytes readData(const QString &path, qint64 maxBytes) override;
    void writeData(const QString &path, const QByteArray &bytes) override;
    void remove(const QString &path) override;
    void rename(const QString &from, const QString &to) override;
};

} // namespace veltrix
