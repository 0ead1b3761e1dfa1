#include "qtplatform.h"

#include "curlhttp.h"
#include "jpegdecoder.h"
#include "qtaudio.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLocale>
#include <QMessageBox>
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

void QtClipboard::setText(const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
}

QString QtClipboard::text() const
{
    return QGuiApplication::clipboard()->text();
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
    // No overwrite question of our own: the dialog asks in the usual way.
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Speichern unter"), initialName, filter);
}

void DesktopUrlOpener::open(const QString &url)
{
    QDesktopServices::openUrl(QUrl(url));
}

QDateTime SystemClock::now() const
{
    return QDateTime::currentDateTime();
}

QString SystemClock::shortDate(const QDateTime &t) const
{
    return QLocale::system().toString(t.date(), QLocale::ShortFormat);
}

QString SystemClock::longTime(const QDateTime &t) const
{
    return QLocale::system().toString(t.time(), QLocale::LongFormat);
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
    QtAudio audio;
};

RealPlatform::RealPlatform() : m_impl(std::make_unique<Impl>())
{
    m_platform.messageBoxes = &m_impl->messageBoxes;
    m_platform.clipboard = &m_impl->clipboard;
    m_platform.feedback = &m_impl->feedback;
    m_platform.fileDialogs = &m_impl->fileDialogs;
    m_platform.urlOpener = &m_impl->urlOpener;
    m_platform.clock = &m_impl->clock;
    m_platform.http = &m_impl->http;
    m_platform.images = &m_impl->images;
    m_platform.audio = &m_impl->audio;
}

RealPlatform::~RealPlatform() = default;

} // namespace veltrix
