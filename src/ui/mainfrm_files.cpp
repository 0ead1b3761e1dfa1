// The file commands of the "&Datei" menu: new, open, last opened, save,
// save as, append a report.
#include "mainfrm.h"

#include "listcommands.h"
#include "reportlist.h"

#include "core/lines.h"
#include "core/reportline.h"
#include "core/textfile.h"

#include <QAction>
#include <QLabel>

namespace veltrix {

namespace {

const QString kOpenFilter = QStringLiteral("Textdateien (*.txt);;Alle Dateien (*.*)");
const QString kSaveFilter = QStringLiteral("*.txt");

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
