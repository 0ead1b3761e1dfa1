#pragma once

// What the program needs of the operating system, as small interfaces. Each
// has one real implementation; windows receive them through their
// constructor and tests hand in recording fakes.

#include "core/inifile.h"

#include <QByteArray>
#include <QDateTime>
#include <QImage>
#include <QKeySequence>
#include <QList>
#include <QString>
#include <functional>
#include <mutex>
#include <optional>

class QObject;
class QWidget;

namespace veltrix {

enum class MsgButtons { Ok, YesNo, YesNoCancel };
enum class MsgIcon { None, Information, Question, Warning, Critical };
enum class MsgResult { Ok, Yes, No, Cancel };

struct MessageRequest {
    QString title;
    QString text; // line breaks as "\n"
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
};

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Modal message box owned by no window; returns the button pressed.
    virtual MsgResult show(const MessageRequest &request) = 0;
    // Message box owned by no window that leaves every window usable: returns
    // at once, and closed runs once the box has been dismissed.
    virtual void showModeless(const MessageRequest &request, std::function<void()> closed) = 0;
};

class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void setText(const QString &text) = 0;
    virtual QString text() const = 0;
    // Calls changed, while context lives, whenever the text changes other
    // than by setText: the program's own copies are no news to it.
    virtual void watch(QObject *context, std::function<void()> changed) = 0;
};

class Feedback {
public:
    virtual ~Feedback() = default;
    virtual void beep() = 0;                  // the default beep
    virtual void flash(QWidget *window) = 0;  // taskbar flash
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // Empty text when the user cancels. Filters in Qt's form ("Textdateien (*.txt);;...").
    // The save dialog takes an existing file's name without asking.
    virtual QString openFileName(QWidget *parent, const QString &filter) = 0;
    virtual QString saveFileName(QWidget *parent, const QString &filter, const QString &initialName) = 0;
    // The same dialog under its own title; selectedFilter comes back as the
    // filter entry chosen last.
    virtual QString saveFileNameAndFilter(QWidget *parent, const QString &title, const QString &filter,
                                          const QString &initialName, QString &selectedFilter) = 0;
};

class UrlOpener {
public:
    virtual ~UrlOpener() = default;
    // Hands the address to the desktop's default handler; the result is ignored.
    virtual void open(const QString &url) = 0;
};

class Audio {
public:
    virtual ~Audio() = default;
    // Volume of the program's sounds, 0..65535 per channel (low word left,
    // high word right); empty when there is no audio output device.
    virtual std::optional<quint32> waveVolume() = 0;
    // False (and nothing changed) when there is no audio output device.
    virtual bool setWaveVolume(quint32 volume) = 0;
    // Plays a built-in sound looked up by name without regard to case,
    // asynchronously; false when there is no such sound.
    virtual bool playSound(const QString &name) = 0;
};

struct HttpResult {
    bool ok = false;
    QByteArray body;    // the body of a 2xx response
    QString error;      // message text when not ok
};

// Lets one thread end a request that another thread is waiting on, so that
// quitting never waits for a server that does not answer.
class HttpAbort {
public:
    // Thread-safe; the request under way fails at once, later ones at start.
    void abort()
    {
        std::lock_guard lock(m_mutex);
        m_aborted = true;
        if (m_wake)
            m_wake();
    }
    bool aborted() const
    {
        std::lock_guard lock(m_mutex);
        return m_aborted;
    }
    // For the client: how to wake its wait (empty when the request ends).
    // False, and nothing kept, once aborted.
    bool setWake(std::function<void()> wake)
    {
        std::lock_guard lock(m_mutex);
        if (m_aborted && wake)
            return false;
        m_wake = std::move(wake);
        return true;
    }

private:
    mutable std::mutex m_mutex;
    bool m_aborted = false;
    std::function<void()> m_wake;
};

class HttpClient {
public:
    virtual ~HttpClient() = default;
    virtual HttpResult get(const QString &url) = 0;
    virtual HttpResult postForm(const QString &url, const QByteArray &body) = 0;
    // get for a worker thread: abort ends it early, as a failure. Clients
    // that never wait long may ignore abort.
    virtual HttpResult getAbortable(const QString &url, HttpAbort &abort)
    {
        if (abort.aborted())
            return {false, {}, QStringLiteral("Abgebrochen")};
        return get(url);
    }
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    // The user's short date and long time, as shown on the save slots.
    virtual QString shortDate(const QDateTime &t) const = 0;
    virtual QString longTime(const QDateTime &t) const = 0;
};

class ImageDecoder {
public:
    virtual ~ImageDecoder() = default;
    // Null image when the data is not a decodable JPEG.
    virtual QImage decodeJpeg(const QByteArray &data) = 0;
};

// What a bounded read of a file found.
struct FileBytes {
    bool present = false; // something lies at the path (a file, a folder, ...)
    // Its bytes, when it is a plain file of at most the limit that could be read.
    std::optional<QByteArray> bytes;
};

// Report, settings and the program's data files on disk.
class Files {
public:
    virtual ~Files() = default;
    // UTF-8 or Windows-1252, line ends as they are. Throws "Datei %s kann
    // nicht geöffnet werden. %s".
    virtual QString readText(const QString &path) = 0;
    // Atomic: on failure the old file stays whole. Throws "Datei "%s" kann
    // nicht erstellt werden. %s".
    virtual void writeText(const QString &path, const QString &text) = 0;
    // Something other than a folder is there, which a write would replace.
    virtual bool exists(const QString &path) = 0;
    // A missing file reads as empty; one that cannot be read gives nothing,
    // as writing over it would lose what it holds.
    virtual std::optional<IniFile> readSettings(const QString &path) = 0;
    // Throws "In %s kann nicht geschrieben werden".
    virtual void writeSettings(const QString &path, const IniFile &ini) = 0;

    // The program's own data files (the save slots). Only a plain file is
    // read, and only up to maxBytes: anything else could wait or never end.
    virtual FileBytes readData(const QString &path, qint64 maxBytes) = 0;
    // Atomic, as writeText, and with its error; a missing folder is made.
    virtual void writeData(const QString &path, const QByteArray &bytes) = 0;
    // Nothing there is fine. Throws "Datei "%s" kann nicht gelöscht werden. %s".
    virtual void remove(const QString &path) = 0;
    // Replaces a file at to; nothing at from is fine. Throws "Datei "%s"
    // kann nicht umbenannt werden. %s".
    virtual void rename(const QString &from, const QString &to) = 0;
};

// A key combination that reaches the program wherever the focus is.
struct GlobalKey {
    QString id;          // names the command it runs
    QString description; // for desktops that show what a key does
    QKeySequence keys;   // one combination
};

// Why keys do not work: one key, or the whole binding at once.
struct KeyProblem {
    enum class Kind {
        Taken,     // another program holds the key (Windows: error 1409)
        Unusable,  // no key of this keyboard gives the combination
        Cancelled, // the player declined the desktop's question
        Failed,    // the system refused or gave an error
    };
    Kind kind = Kind::Failed;
    QKeySequence keys; // the key concerned; empty: no key of the binding works
    QString detail;    // the system's own words, where it gave any
};

class GlobalKeys {
public:
    virtual ~GlobalKeys() = default;
    // False where this desktop gives no program keys while another has the focus.
    virtual bool supported() = 0;
    // Whether a key of this keyboard gives the combination, so that binding
    // it can work at all; whether another program holds it shows only then.
    virtual bool usable(const QKeySequence &keys) = 0;
    // Replaces the keys held by these; none releases them all. Each problem
    // goes to watch's problem once per binding, at once or later (a desktop
    // may ask the player first); the keys without one still work. Binding
    // again gives up whatever the last binding still waited for.
    virtual void bind(const QList<GlobalKey> &keys) = 0;
    // While context lives, pressed gets the id of every key that fires and
    // problem every key or binding that does not work.
    virtual void watch(QObject *context, std::function<void(const QString &id)> pressed,
                       std::function<void(const KeyProblem &problem)> problem) = 0;
};

// The maker's servers; base addresses without a trailing "/".
struct ServerAddresses {
    QString updateUrl;
    QString contactUrl;
    QString contactRecipient; // the maker's mail address
};

// The set of services handed to the windows, and where the program's
// settings and servers are. Fixed for the run: the real platform takes them
// from the environment once, at start.
struct Platform {
    MessageBoxes *messageBoxes = nullptr;
    Clipboard *clipboard = nullptr;
    Feedback *feedback = nullptr;
    FileDialogs *fileDialogs = nullptr;
    UrlOpener *urlOpener = nullptr;
    Audio *audio = nullptr;
    HttpClient *http = nullptr;
    Clock *clock = nullptr;
    ImageDecoder *images = nullptr;
    Files *files = nullptr;
    GlobalKeys *globalKeys = nullptr; // none: not supported
    QString settingsPath;
    ServerAddresses servers;
    // Where the player's data lasts from run to run; empty: it does not.
    QString dataFolder;
};

} // namespace veltrix
