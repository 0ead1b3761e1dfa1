#include "qtplatform.h"

#include "curlhttp.h"
#include "files.h"
#include "jpegdecoder.h"
#include "serverconfig.h"
#include "system.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLocale>
#include <QMessageBox>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QUrl>

namespace veltrix {

namespace {

void configureBox(QMessageBox &box, const MessageRequest &request)
{
    box.setWindowTitle(request.title);
    // Texts come from files, lists and servers: markup in them is shown, never rendered.
    box.setTextFormat(Qt::PlainText);
    box.setText(request.text);
    switch (request.icon) {
    case MsgIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
    case MsgIcon::Warning: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    }
    switch (request.buttons) {
    case MsgButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MsgButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    }
}

// Rewrites the fields of a date/time pattern, leaving quoted text alone: a
// two-digit year ("yy") becomes four digits, and the time zone ("t" runs)
// goes with the blank before it.
QString adjustedPattern(const QString &pattern)
{
    QString out;
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar ch = pattern[i];
        if (ch == QLatin1Char('\'')) {
            const qsizetype close = pattern.indexOf(QLatin1Char('\''), i + 1);
            const qsizetype end = close < 0 ? pattern.size() : close + 1;
            out += pattern.mid(i, end - i);
            i = end;
            continue;
        }
        qsizetype run = 1;
        while (i + run < pattern.size() && pattern[i + run] == ch)
            ++run;
        if (ch == QLatin1Char('y') && run == 2) {
            out += QStringLiteral("yyyy");
        } else if (ch == QLatin1Char('t')) {
            while (!out.isEmpty() && out.back().isSpace())
                out.chop(1);
        } else {
            out += pattern.mid(i, run);
        }
        i += run;
    }
    return out.trimmed();
}

} // namespace

MsgResult QtMessageBoxes::show(const MessageRequest &request)
{
    QMessageBox box;
    configureBox(box, request);
    switch (box.exec()) {
    case QMessageBox::Yes: return MsgResult::Yes;
    case QMessageBox::No: return MsgResult::No;
    case QMessageBox::Cancel: return MsgResult::Cancel;
    default: return request.buttons == MsgButtons::YesNoCancel ? MsgResult::Cancel
                    : request.buttons == MsgButtons::YesNo    ? MsgResult::No
                                                              : MsgResult::Ok;
    }
}

void QtMessageBoxes::showModeless(const MessageRequest &request, std::function<void()> closed)
{
    auto *box = new QMessageBox;
    configureBox(*box, request);
    box->setWindowModality(Qt::NonModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    // An open notice must not keep the program alive once its windows close.
    box->setAttribute(Qt::WA_QuitOnClose, false);
    QObject::connect(box, &QMessageBox::finished, box, [closed = std::move(closed)](int) {
        if (closed)
            closed();
    });
    box->show();
    box->raise();
    box->activateWindow();
}

QtClipboard::~QtClipboard()
{
    QObject::disconnect(m_connection);
}

void QtClipboard::setText(const QString &text)
{
    m_written = text;
    QGuiApplication::clipboard()->setText(text);
}

QString QtClipboard::text() const
{
    return QGuiApplication::clipboard()->text();
}

void QtClipboard::watch(QObject *context, std::function<void()> changed)
{
    if (!m_connection)
        m_connection = QObject::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged,
                                        [this] { dataChanged(); });
    m_watchers.emplace_back(context, std::move(changed));
}

void QtClipboard::dataChanged()
{
    // What this program copied, by setText or a text field's own copy, where
    // the platform can tell; otherwise by the text setText put there.
    if (QGuiApplication::clipboard()->ownsClipboard())
        return;
    const QString now = text();
    if (m_written && *m_written == now)
        return;
    m_written.reset();
    std::erase_if(m_watchers, [](const auto &watcher) { return watcher.first.isNull(); });
    // A watcher may add another while it runs.
    const auto watchers = m_watchers;
    for (const auto &[context, changed] : watchers) {
        if (context)
            changed();
    }
}

void QtFeedback::beep()
{
    QApplication::beep();
}

void QtFeedback::flash(QWidget *window)
{
    QApplication::alert(window);
}

QString QtFileDialogs::openFileName(QWidget *parent, const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, QStringLiteral("Öffnen"), QString(), filter);
}

QString QtFileDialogs::saveFileName(QWidget *parent, const QString &filter, const QString &initialName)
{
    // The program asks about an existing file itself, once the ".txt" rule
    // has given the name really written; the dialog would ask about the
    // name typed.
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Speichern unter"), initialName, filter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

QString QtFileDialogs::saveFileNameAndFilter(QWidget *parent, const QString &title, const QString &filter,
                                             const QString &initialName, QString &selectedFilter)
{
    // The caller may still append an extension, so it asks about an existing file itself.
    return QFileDialog::getSaveFileName(parent, title, initialName, filter,
                                        &selectedFilter, QFileDialog::DontConfirmOverwrite);
}

void DesktopUrlOpener::open(const QString &url)
{
    QDesktopServices::openUrl(QUrl(url));
}

QDateTime SystemClock::now() const
{
    return QDateTime::currentDateTime();
}

// The locale's own formats give a two-digit year and a time zone name
// ("07.12.26 11:30:05 MEZ"); the slot captions show the full year and the
// plain time.
QString SystemClock::shortDate(const QDateTime &t) const
{
    const QLocale l = locale();
    return l.toString(t.date(), adjustedPattern(l.dateFormat(QLocale::ShortFormat)));
}

QString SystemClock::longTime(const QDateTime &t) const
{
    const QLocale l = locale();
    return l.toString(t.time(), adjustedPattern(l.timeFormat(QLocale::LongFormat)));
}

// The local data folder: on Windows the slots stay on this machine
// (%LOCALAPPDATA%) rather than roam; on Linux both are ~/.local/share.
QString dataFolderPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
}

struct RealPlatform::Impl {
    QtMessageBoxes messageBoxes;
    QtClipboard clipboard;
    QtFeedback feedback;
    QtFileDialogs fileDialogs;
    DesktopUrlOpener urlOpener;
    SystemClock clock;
    CurlHttpClient http;
    LibJpegDecoder images;
    std::unique_ptr<Audio> audio = makeSystemAudio();
    DiskFiles files;
    std::unique_ptr<GlobalKeys> globalKeys;
};

RealPlatform::RealPlatform(const QProcessEnvironment &environment) : m_impl(std::make_unique<Impl>())
{
    m_platform.messageBoxes = &m_impl->messageBoxes;
    m_platform.clipboard = &m_impl->clipboard;
    m_platform.feedback = &m_impl->feedback;
    m_platform.fileDialogs = &m_impl->fileDialogs;
    m_platform.urlOpener = &m_impl->urlOpener;
    m_platform.clock = &m_impl->clock;
    m_platform.http = &m_impl->http;
    m_platform.images = &m_impl->images;
    m_platform.audio = m_impl->audio.get();
    m_platform.files = &m_impl->files;
    m_impl->globalKeys = makeSystemGlobalKeys(environment);
    m_platform.globalKeys = m_impl->globalKeys.get();
    m_platform.settingsPath = settingsFilePath(environment);
    m_platform.servers = serverAddresses(environment);
    m_platform.dataFolder = dataFolderPath();
}

RealPlatform::~RealPlatform() = default;

} // namespace veltrix
