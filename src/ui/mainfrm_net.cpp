#include "mainfrm.h"

#include "programname.h"

#include "core/cp1252.h"

namespace veltrix {

namespace {

const QString kVersionFile = QStringLiteral("/Downloads/version.txt");
const QString kDownload = QStringLiteral("/Downloads/VeltrixProf.exe");
const QString kBrowserDownloadPage = QStringLiteral("https://www.mozilla.org/de/firefox/new/");

// The version file's text for the box, its line breaks as the box's.
QString shownVersion(const QByteArray &body)
{
    QString text = fromWindows1252(body);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

void TfrmMain::CheckForUpdate(bool reportNoNewer)
{
    m_reportNoNewer = m_reportNoNewer || reportNoNewer;
    if (m_versionCheck.running())
        return;
    const auto done = [this](const HttpResult &answer) { command([&] { versionCheckDone(answer); }); };
    if (!m_versionCheck.start(m_platform.http, m_platform.servers.updateUrl + kVersionFile, done))
        done(HttpResult{});
}

void TfrmMain::versionCheckDone(const HttpResult &answer)
{
    const bool report = m_reportNoNewer;
    m_reportNoNewer = false;
    if (offerNewVersion(answer) && report)
        m_platform.messageBoxes->show(
            {QStringLiteral("Versionscheck"), QStringLiteral("Keine neuere Version gefunden"), MsgButtons::Ok});
}

bool TfrmMain::offerNewVersion(const HttpResult &answer)
{
    const QByteArray installed = kVersionText.toLatin1();
    // Every failure counts as no newer version.
    const QByteArray offered = answer.ok ? answer.body : installed;
    // Byte for byte: a trailing line break already makes a different version.
    if (offered == installed)
        return true;

    const QString text = QStringLiteral("Neue Version vorhanden.\n\ninstallierte Version: ") + kVersionText
                         + QStringLiteral("\naktuelle Version auf dem Server: ") + shownVersion(offered)
                         + QStringLiteral("\n\nWollen Sie die aktuelle Version jetzt laden?");
    const MsgResult result = m_platform.messageBoxes->show(
        {QStringLiteral("Neue Version vorhanden"), text, MsgButtons::YesNo, MsgIcon::Question});
    if (result == MsgResult::Yes) {
        if (m_platform.urlOpener)
            m_platform.urlOpener->open(m_platform.servers.updateUrl + kDownload);
        // Set before closing: this close and every later one must not write settings.
        m_closeRequest = true;
        close();
    }
    return false;
}

void TfrmMain::URLffnen1Click()
{
    if (QWidget *dialog = m_companions.getUrl) {
        dialog->show();
        dialog->raise();
        dialog->activateWindow();
    }
}

void TfrmMain::FirefoxDownloaden1Click()
{
    if (m_platform.urlOpener)
        m_platform.urlOpener->open(kBrowserDownloadPage);
}

} // namespace veltrix
