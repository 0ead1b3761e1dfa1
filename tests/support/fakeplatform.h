#pragma once

#include "platform/files.h"
#include "platform/platform.h"

#include <QList>
#include <QMap>
#include <QPointer>
#include <QStringList>
#include <QTemporaryDir>
#include <deque>

namespace veltrix::test {

// Records every message box and answers from a queue (default: the first
// button's natural answer, Ok or Yes).
class FakeMessageBoxes : public MessageBoxes {
public:
    MsgResult show(const MessageRequest &request) override;
    // Modeless boxes are recorded in shown as well and stay open until the
    // test closes them.
    void showModeless(const MessageRequest &request, std::function<void()> closed) override;
    void closeModeless(); // the oldest one still open
    QList<MessageRequest> shown;
    std::deque<MsgResult> answers;
    std::deque<std::function<void()>> openModeless;
    QString lastText() const { return shown.isEmpty() ? QString() : shown.last().text; }
};

// The program's own writes are not reported to watchers, as the real
// clipboard promises; copyElsewhere plays another program.
class FakeClipboard : public Clipboard {
public:
    void setText(const QString &text) override { m_text = text; ++writes; }
    QString text() const override { return m_text; }
    void watch(QObject *context, std::function<void()> changed) override { m_watchers.append({context, changed}); }
    void copyElsewhere(const QString &text);
    int writes = 0;

private:
    QString m_text;
    QList<QPair<QPointer<QObject>, std::function<void()>>> m_watchers;
};

class FakeFeedback : public Feedback {
public:
    void beep() override { ++beeps; }
    void flash(QWidget *window) override
    {
        ++flashes;
        flashed = window;
    }
    int beeps = 0;
    int flashes = 0;
    QWidget *flashed = nullptr; // the window of the last flash
};

class FakeFileDialogs : public FileDialogs {
public:
    QString openFileName(QWidget *, const QString &filter) override;
    QString saveFileName(QWidget *, const QString &filter, const QString &initialName) override;
    QString saveFileNameAndFilter(QWidget *, const QString &title, const QString &filter,
                                  const QString &initialName, QString &selectedFilter) override;
    std::deque<QString> openAnswers; // empty text = cancel
    std::deque<QString> saveAnswers;
    // The filter entry the next save dialog reports; empty = the first of its filter.
    QString saveFilterAnswer;
    QStringList saveFilters;
    QStringList saveTitles; // of the dialogs that name their own
    QStringList saveInitialNames;
    int opens = 0;
    int saves = 0;
};

class FakeUrlOpener : public UrlOpener {
public:
    void open(const QString &url) override { opened << url; }
    QStringList opened;
};

class FakeAudio : public Audio {
public:
    std::optional<quint32> waveVolume() override { return hasDevice ? std::optional<quint32>(volume) : std::nullopt; }
    bool setWaveVolume(quint32 v) override;
    bool playSound(const QString &name) override;
    bool hasDevice = true;
    quint32 volume = 0xFFFFFFFF;
    QStringList played;
    QStringList knownSounds{QStringLiteral("TIMER1"), QStringLiteral("TIMER2"), QStringLiteral("TIMER3")};
};

class FakeHttp : public HttpClient {
public:
    HttpResult get(const QString &url) override;
    HttpResult postForm(const QString &url, const QByteArray &body) override;
    QMap<QString, HttpResult> responses; // by url; missing = error
    QStringList gets;
    QList<QPair<QString, QByteArray>> posts;
};

class FakeClock : public Clock {
public:
    QDateTime now() const override { return current; }
    QString shortDate(const QDateTime &t) const override { return t.toString(QStringLiteral("dd.MM.yyyy")); }
    QString longTime(const QDateTime &t) const override { return t.toString(QStringLiteral("HH:mm:ss")); }
    QDateTime current = QDateTime(QDate(2026, 12, 7), QTime(11, 30, 5));
};

class FakeImages : public ImageDecoder {
public:
    QImage decodeJpeg(const QByteArray &) override { return QImage(); }
};

// Records every binding; keys listed in heldElsewhere (portable text) are
// reported as taken, those in unusable as unusable (and usable() says so),
// press plays the desktop delivering a key and fail the desktop refusing.
class FakeGlobalKeys : public GlobalKeys {
public:
    bool supported() override { return isSupported; }
    bool usable(const QKeySequence &keys) override;
    void bind(const QList<GlobalKey> &keys) override;
    void watch(QObject *context, std::function<void(const QString &)> pressed,
               std::function<void(const KeyProblem &)> problem) override;
    void press(const QString &id);
    void fail(const KeyProblem &problem);
    // The keys of the last binding, in portable text.
    QStringList boundKeys() const;
    bool isSupported = true;
    QList<QList<GlobalKey>> binds;
    QStringList heldElsewhere;
    QStringList unusable;

private:
    QPointer<QObject> m_context;
    std::function<void(const QString &)> m_pressed;
    std::function<void(const KeyProblem &)> m_problem;
};

// The files on disk, except that the next failingWrites data writes fail
// as on a full disk, with the real error text and nothing written.
class FakeFiles : public DiskFiles {
public:
    void writeData(const QString &path, const QByteArray &bytes) override;
    int failingWrites = 0;
};

// All fakes in one bundle. Files are real; the settings file lies in a
// folder of this bundle's own unless a test names another. The servers
// cannot be reached: nothing listens on the discard port.
struct FakePlatform {
    FakeMessageBoxes messageBoxes;
    FakeClipboard clipboard;
    FakeFeedback feedback;
    FakeFileDialogs fileDialogs;
    FakeUrlOpener urlOpener;
    FakeAudio audio;
    FakeHttp http;
    FakeClock clock;
    FakeImages images;
    FakeGlobalKeys globalKeys;
    FakeFiles files;
    QTemporaryDir settingsFolder;
    QString settingsPath = settingsFolder.filePath(QStringLiteral("veltrix.ini"));
    ServerAddresses servers{QStringLiteral("http://127.0.0.1:9"), QStringLiteral("http://127.0.0.1:9"),
                            QStringLiteral("kontakt@test.invalid")};
    QString dataFolder; // none: the save slots are not kept

    Platform platform();
};

} // namespace veltrix::test
