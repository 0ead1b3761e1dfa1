#pragma once

// The few file calls that differ between systems: a read that never waits on
// a pipe or device, and removing or renaming one entry. Reasons come back in
// German, for the program's messages.

#include <QByteArray>
#include <QString>
#include <functional>

namespace veltrix {

inline QString folderRefusal() { return QStringLiteral("Das ist ein Ordner, keine Datei."); }
inline QString notAFileRefusal() { return QStringLiteral("Das ist keine gewöhnliche Datei."); }
inline QString tooLargeRefusal() { return QStringLiteral("Die Datei ist größer als 64 MiB."); }

// The bytes of a plain file of at most maxBytes, or why they cannot be read.
// Folders, devices and pipes are refused before anything could wait on them.
bool readBoundedFile(const QString &path, QByteArray &bytes, QString &reason, qint64 maxBytes);

// Reads a file that may grow while it is read (or claim no size at all),
// starting from the size it claims: the limit holds whatever it turns out to
// hold. readSome fills at most the room given and returns how much, 0 at the
// end, or -1 with reason set.
bool readGrowing(qint64 claimed, qint64 maxBytes, QByteArray &bytes, QString &reason,
                 const std::function<qint64(char *into, qint64 room)> &readSome);

// Anything at all lies at path, a link to nothing included.
bool entryPresent(const QString &path);

// Empty when done or when nothing was there; else why not.
QString removeEntry(const QString &path);
QString renameEntry(const QString &from, const QString &to);

} // namespace veltrix
