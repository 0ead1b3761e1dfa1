// The file commands of the "&Datei" menu: new, open, last opened, save,
// save as, append a report.
#include "mainfrm.h"

#include "listcommands.h"
#include "programname.h"
#include "reportlist.h"
#include "singleinstance.h"
#include "stayontop.h"

#include "core/lines.h"
#include "core/reportline.h"
#include "core/textfile.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QScopeGuard>
#include <QTimer>

namespace veltrix {

namespace {

const QString kOpenFilter = QStringLiteral("Textdateien (*.txt);;Alle Dateien (*.*)");
const QString kSaveFilter = QStringLiteral("*.txt");
// How often a waiting hand-over looks whether the way is free.
constexpr int kHandOverWaitMs = 200;

// The list as the cleaning after an open leaves it. Writing it this way
// fills the text area once instead of filling it and then rewriting it.
QString cleanedList(const QString &text)
{
    QStringList lines = splitLines(text);
    cleanLines(lines);
    return joinLinesLf(lines);
}

} // namespace

bool TfrmMain::mayOverwrite(const QString &fileName)
{
    // A folder cannot be replaced; writing reports that.
    if (!m_platform.files->exists(fileName))
        return true;
    return m_platform.messageBoxes->show({QStringLiteral("Hinweis"),
                                          QStringLiteral("Die Datei %1 existiert bereits.\nSoll sie ersetzt werden?")
                                              .arg(fileName),
                                          MsgButtons::YesNo, MsgIcon::Question})
        == MsgResult::Yes;
}

void TfrmMain::Neu1Click()
{
    m_list->CreateSafepoint();
    m_list->memo().clear();
    m_fileName.clear();
    m_list->setModified(false);
    m_list->UpdateProtectionMoney();
    UpdateCaption();
    m_panels[1]->clear();
    m_panels[3]->clear();
}

void TfrmMain::openedFollowUp()
{
    m_commands->copyFirstHouseNumber();
    m_list->UpdateProtectionMoney();
    m_list->setModified(false);
    UpdateCaption();
    m_commands->copyFirstHouseNumber();
}

void TfrmMain::Dateiffnen1Click()
{
    const QString name = m_platform.fileDialogs->openFileName(this, kOpenFilter);
    if (!name.isEmpty())
        openNamedFile(name);
}

void TfrmMain::openNamedFile(const QString &fileName)
{
    // The name becomes current only once the file has been read: a failed
    // open must not make the next save write the old list over that file.
    const QString text = cleanedList(m_platform.files->readText(fileName));
    m_fileName = fileName;
    m_list->memo().setText(text);
    openedFollowUp();
}

void TfrmMain::openReportFile(const QString &fileName)
{
    command([&] { openNamedFile(fileName); });
}

bool TfrmMain::saveChangesFirst()
{
    if (!m_list->isModified())
        return true;
    const MsgResult answer = m_platform.messageBoxes->show({kProgramName, QStringLiteral("Wollen Sie die Änderungen speichern?"),
                                                           MsgButtons::YesNoCancel, MsgIcon::Question});
    if (answer == MsgResult::Cancel)
        return false;
    return answer == MsgResult::No || saveReport(false);
}

void TfrmMain::handOver(const QString &fileName)
{
    m_handedOver << fileName;
    takeHandedOver();
}

void TfrmMain::takeHandedOver()
{
    while (!m_handedOver.isEmpty()) {
        // Nothing may replace the list beneath a command or a question.
        if (m_list->commandRunning() || QApplication::activeModalWidget()) {
            if (!m_handOverWait) {
                m_handOverWait = new QTimer(this);
                m_handOverWait->setSingleShot(true);
                m_handOverWait->setInterval(kHandOverWaitMs);
                connect(m_handOverWait, &QTimer::timeout, this, &TfrmMain::takeHandedOver);
            }
            m_handOverWait->start();
            return;
        }
        const QString fileName = m_handedOver.takeFirst();
        // The window that shows the list, the status window while it holds
        // it; the SG calculator while the player has hidden the list there.
        QWidget *front = m_list->edit()->window();
        if (!front->isVisible() && m_companions.sgRechner && m_companions.sgRechner->isVisible())
            front = m_companions.sgRechner;
        front->setWindowState(front->windowState() & ~Qt::WindowMinimized);
        front->raise();
        front->activateWindow();
        if (fileName.isEmpty())
            continue;
        command([&] {
            // The question must not hide behind a stay-on-top window.
            const bool wasOnTop = m_list->isModified() && m_stayOnTop->mainOnTop();
            if (wasOnTop)
                m_stayOnTop->setMainOnTop(false);
            const auto onTopAgain = qScopeGuard([&] {
                if (wasOnTop)
                    m_stayOnTop->setMainOnTop(true);
            });
            if (!saveChangesFirst())
                return;
            openNamedFile(fileName);
            qCInfo(lcHandOver, "opened: \"%s\"", qUtf8Printable(fileName));
        });
    }
}

void TfrmMain::lastOpenedClick()
{
    const QString text = cleanedList(m_platform.files->readText(m_lastOpenedName));
    m_list->memo().setText(text);
    m_fileName = m_lastOpenedName;
    openedFollowUp();
}

bool TfrmMain::saveReport(bool withDialog)
{
    QString name;
    if (!withDialog) {
        m_saveDialogName = m_fileName;
        name = m_fileName;
    }
    if (name.isEmpty()) {
        name = m_platform.fileDialogs->saveFileName(this, kSaveFilter, m_saveDialogName);
        if (name.isEmpty())
            return false;
        // The question comes after the ".txt" rule, about the file really
        // written; the dialog itself asks nothing.
        name = withTxtExtension(name);
        if (!mayOverwrite(name))
            return false;
        m_saveDialogName = name;
    }
    m_platform.files->writeText(name, m_list->memo().crlfText());
    return true;
}

void TfrmMain::Dateispeichern1Click()
{
    // A cancelled dialog saved nothing: the list stays unsaved under its old name.
    if (!saveReport(false))
        return;
    m_fileName = m_saveDialogName;
    m_list->setModified(false);
    UpdateCaption();
}

void TfrmMain::Speichernunter1Click()
{
    if (!saveReport(true))
        return;
    m_fileName = m_saveDialogName;
    m_list->setModified(false);
    UpdateCaption();
}

void TfrmMain::Berichtanfgen1Click()
{
    m_list->CreateSafepoint();
    const QString name = m_platform.fileDialogs->openFileName(this, kOpenFilter);
    if (!name.isEmpty()) {
        const QStringList lines = splitLines(m_platform.files->readText(name));
        // One insertion gives the same text as appending line by line.
        if (!lines.isEmpty())
            m_list->memo().appendLine(lines.join(QLatin1Char('\n')));
    }
    m_list->UpdateProtectionMoney();
    // The change handler has marked the list modified if anything was
    // appended: the combined list matches no file.
    UpdateCaption();
}

} // namespace veltrix
