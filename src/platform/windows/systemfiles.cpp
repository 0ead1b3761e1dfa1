#include "platform/systemfiles.h"

#include <QDir>
#include <QScopeGuard>

#include <windows.h>

namespace veltrix {

namespace {

std::wstring nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

// The reason for a failed call, in German for the usual cases.
QString failure(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH: return QStringLiteral("Die Datei oder der Ordner existiert nicht.");
    case ERROR_ACCESS_DENIED: return QStringLiteral("Zugriff verweigert.");
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return QStringLiteral("Die Datei wird von einem anderen Programm verwendet.");
    case ERROR_FILENAME_EXCED_RANGE: return QStringLiteral("Der Dateiname ist zu lang.");
    case ERROR_TOO_MANY_OPEN_FILES: return QStringLiteral("Zu viele geöffnete Dateien.");
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY: return QStringLiteral("Zu wenig Arbeitsspeicher.");
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return QStringLiteral("Nicht genügend Speicherplatz auf dem Datenträger.");
    default: return qt_error_string(int(error));
    }
}

bool missing(DWORD error)
{
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

} // namespace

bool readBoundedFile(const QString &path, QByteArray &bytes, QString &reason, qint64 maxBytes)
{
    const std::wstring name = nativePath(path);
    // Refused before opening: a device name (CON, a pipe) would wait or never end.
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        reason = folderRefusal();
        return false;
    }
    // Others may go on reading and writing it; a file locked against
    // reading says so.
    HANDLE file = CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        reason = failure(GetLastError());
        return false;
    }
    const auto closeFile = qScopeGuard([file] { CloseHandle(file); });
    if (GetFileType(file) != FILE_TYPE_DISK) {
        reason = notAFileRefusal();
        return false;
    }
    BY_HANDLE_FILE_INFORMATION info {};
    if (!GetFileInformationByHandle(file, &info)) {
        reason = failure(GetLastError());
        return false;
    }
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        reason = folderRefusal();
        return false;
    }
    const qint64 declared = (qint64(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    if (declared > maxBytes) {
        reason = tooLargeRefusal();
        return false;
    }
    return readGrowing(declared, maxBytes, bytes, reason, [&](char *into, qint64 room) -> qint64 {
        DWORD got = 0;
        if (!ReadFile(file, into, DWORD(qMin<qint64>(room, 1 << 30)), &got, nullptr)) {
            reason = failure(GetLastError());
            return -1;
        }
        return got;
    });
}

bool entryPresent(const QString &path)
{
    if (GetFileAttributesW(nativePath(path).c_str()) != INVALID_FILE_ATTRIBUTES)
        return true;
    return !missing(GetLastError());
}

QString removeEntry(const QString &path)
{
    if (!DeleteFileW(nativePath(path).c_str()) && !missing(GetLastError()))
        return failure(GetLastError());
    return {};
}

QString renameEntry(const QString &from, const QString &to)
{
    if (!MoveFileExW(nativePath(from).c_str(), nativePath(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
        && !missing(GetLastError()))
        return failure(GetLastError());
    return {};
}

} // namespace veltrix
