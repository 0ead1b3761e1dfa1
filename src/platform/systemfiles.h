#pragma once

// The few file calls that differ between systems: a read that never waits on
// a pipe or device, and removing or renaming one entry. Reasons come back in
// German, for the program's messages.

#include <QByteArray>
#include <QString>

namespace veltrix {

inline QString folderRefusal() { return QStringLiteral("Das ist ein Ordner, keine Datei."); }
inline QString notAFileRefusal() { return QStringLiteral("Das ist keine gewöhnliche Datei."); }
inline QString tooLargeRefusal() { return QStringLiteral("Die Datei ist größer als 64 MiB."); }

// The bytes of a plain file of at most maxBytes, or why they cannot be read.
// Folders, devices and pipes are refused before anything could wait on them.
bool readBoundedFile(const QString &path, QByteArray &bytes, QString &reason, qint64 maxBytes);

// Anything at all lies at path, a link to nothing included.
bool entryPresent(const QString &path);

// Empty when done or when nothing was there; else why not.
QString removeEntry(const QString &path);
QString renameEntry(const QString &from, const QString &to);

} // namespace veltrix
