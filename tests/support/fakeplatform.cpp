#include "fakeplatform.h"

#include "core/error.h"

#include <cerrno>

namespace veltrix::test {

MsgResult FakeMessageBoxes::show(const MessageRequest &request)
{
    shown << request;
    if (!answers.empty()) {
        const MsgResult r = answers.front();
        answers.pop_front();
        return r;
    }
    return request.buttons == MsgButtons::Ok ? MsgResult::Ok : MsgResult::Yes;
}

void FakeMessageBoxes::showModeless(const MessageRequest &request, std::function<void()> closed)
{
    shown << request;
    openModeless.push_back(std::move(closed));
}

void FakeMessageBoxes::closeModeless()
{
    if (openModeless.empty())
        return;
    const std::function<void()> closed = std::move(openModeless.front());
    openModeless.pop_front();
    if (closed)
        closed();
}

void FakeClipboard::copyElsewhere(const QString &text)
{
    m_text = text;
    const auto watchers = m_watchers;
    for (const auto &[context, changed] : watchers) {
        if (context)
            changed();
    }
}

QString FakeFileDialogs::openFileName(QWidget *, const QString &)
{
    ++opens;
    if (openAnswers.empty())
        return QString();
    const QString r = openAnswers.front();
    openAnswers.pop_front();
    return r;
}

QString FakeFileDialogs::saveFileName(QWidget *, const QString &, const QString &initialName)
{
    ++saves;
    saveInitialNames << initialName;
    if (saveAnswers.empty())
        return QString();
    const QString r = saveAnswers.front();
    saveAnswers.pop_front();
    return r;
}

QString FakeFileDialogs::saveFileNameAndFilter(QWidget *parent, const QString &title, const QString &filter,
                                               const QString &initialName, QString &selectedFilter)
{
    saveTitles << title;
    saveFilters << filter;
    selectedFilter = saveFilterAnswer.isEmpty() ? filter.section(QStringLiteral(";;"), 0, 0) : saveFilterAnswer;
    return saveFileName(parent, filter, initialName);
}

bool FakeAudio::setWaveVolume(quint32 v)
{
    if (!hasDevice)
        return false;
    volume = v;
    return true;
}

bool FakeAudio::playSound(const QString &name)
{
    for (const QString &known : knownSounds) {
        if (known.compare(name, Qt::CaseInsensitive) == 0) {
            played << known;
            return true;
        }
    }
    return false;
}

HttpResult FakeHttp::get(const QString &url)
{
    gets << url;
    if (responses.contains(url))
        return responses.value(url);
    return {false, {}, QStringLiteral("Verbindung fehlgeschlagen")};
}

HttpResult FakeHttp::postForm(const QString &url, const QByteArray &body)
{
    posts.append({url, body});
    if (responses.contains(url))
        return responses.value(url);
    return {false, {}, QStringLiteral("Verbindung fehlgeschlagen")};
}

bool FakeGlobalKeys::usable(const QKeySequence &keys)
{
    return !unusable.contains(keys.toString(QKeySequence::PortableText));
}

void FakeGlobalKeys::bind(const QList<GlobalKey> &keys)
{
    binds << keys;
    for (const GlobalKey &key : keys) {
        const QString portable = key.keys.toString(QKeySequence::PortableText);
        if (heldElsewhere.contains(portable))
            fail({KeyProblem::Kind::Taken, key.keys, {}});
        else if (unusable.contains(portable))
            fail({KeyProblem::Kind::Unusable, key.keys, {}});
    }
}

void FakeGlobalKeys::watch(QObject *context, std::function<void(const QString &)> pressed,
                           std::function<void(const KeyProblem &)> problem)
{
    m_context = context;
    m_pressed = std::move(pressed);
    m_problem = std::move(problem);
}

void FakeGlobalKeys::press(const QString &id)
{
    if (m_context && m_pressed)
        m_pressed(id);
}

void FakeGlobalKeys::fail(const KeyProblem &problem)
{
    // A binding that failed as a whole holds nothing.
    if (problem.keys.isEmpty())
        binds << QList<GlobalKey>();
    if (m_context && m_problem)
        m_problem(problem);
}

QStringList FakeGlobalKeys::boundKeys() const
{
    QStringList keys;
    if (!binds.isEmpty()) {
        for (const GlobalKey &key : binds.last())
            keys << key.keys.toString(QKeySequence::PortableText);
    }
    return keys;
}

void FakeFiles::writeData(const QString &path, const QByteArray &bytes)
{
    if (failingWrites == 0)
        return DiskFiles::writeData(path, bytes);
    --failingWrites;
    throw VeltrixError(QStringLiteral("Datei \"%1\" kann nicht erstellt werden. %2").arg(path, qt_error_string(ENOSPC)));
}

Platform FakePlatform::platform()
{
    Platform p;
    p.messageBoxes = &messageBoxes;
    p.clipboard = &clipboard;
    p.feedback = &feedback;
    p.fileDialogs = &fileDialogs;
    p.urlOpener = &urlOpener;
    p.audio = &audio;
    p.http = &http;
    p.clock = &clock;
    p.images = &images;
    p.files = &files;
    p.globalKeys = &globalKeys;
    p.settingsPath = settingsPath;
    p.servers = servers;
    p.dataFolder = dataFolder;
    return p;
}

} // namespace veltrix::test
