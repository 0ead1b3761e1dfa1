// The shared services every list operation runs through.
#include "mainfrm.h"

#include "filterpage.h"
#include "listcommands.h"
#include "reportlist.h"

#include <QAction>
#include <QLineEdit>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QStatusBar>

namespace veltrix {

namespace {

ListAction actionOf(const QString &code)
{
    if (code == u"SG")
        return ListAction::ProtectionMoney;
    if (code == u"Filter")
        return ListAction::Filter;
    if (code == u"CL")
        return ListAction::Check;
    if (code == u"Safepoint")
        return ListAction::Safepoint;
    return ListAction::Ready;
}

} // namespace

void TfrmMain::ShowAction(const QString &code)
{
    m_list->ShowAction(actionOf(code));
}

void TfrmMain::StepProgress(int mode)
{
    m_list->StepProgress(mode);
}

void TfrmMain::flushProgress()
{
    m_list->flushProgress();
}

void TfrmMain::CleanList()
{
    m_list->CleanList();
}

void TfrmMain::UpdateCaption()
{
    QString caption = kProgramTitle + QStringLiteral(" - ") + kVersionText;
    if (!m_fileName.isEmpty())
        caption += QStringLiteral(" - ") + m_fileName;
    if (m_list->isModified())
        caption += QStringLiteral(" *");
    setWindowTitle(caption);
}

void TfrmMain::CreateSafepoint()
{
    m_list->CreateSafepoint();
}

void TfrmMain::ShowBuildingInfo()
{
    m_list->ShowBuildingInfo();
}

void TfrmMain::UpdateProtectionMoney()
{
    m_list->UpdateProtectionMoney();
}

void TfrmMain::runListOperation(const std::function<QStringList(QStringList)> &work, Finish finish)
{
    m_list->runListOperation(work, finish == Finish::ProtectionMoney ? ReportList::Finish::ProtectionMoney
                                                                    : ReportList::Finish::Ready);
}

void TfrmMain::setupListCommands()
{
    m_commands = new ListCommands(*m_list, m_platform, [this] { return m_filterPage->hideoutText(); }, this);
    const auto wire = [this](QAction *action, void (ListCommands::*run)()) {
        m_list->connectCommand(action, [this, run] { (m_commands->*run)(); });
    };
    wire(Strasse1, &ListCommands::orderBySecurityFeeling);
    wire(Strasse2, &ListCommands::orderByAddress);
    wire(Strasseabsteigend1, &ListCommands::orderByHouseNumberDescending);
    wire(Hausnummeraufsteigend1, &ListCommands::orderByHouseNumberAscending);
    wire(Gebude1, &ListCommands::orderByBuildingType);
    wire(Versteckaufsteigend1, &ListCommands::orderByDistance);
    wire(AnzahlvFallenaufsteigend1, &ListCommands::orderByTrapCount);
    wire(AktuelleZeilelschen1, &ListCommands::deleteFirstLine);
    wire(N1Hausnummerkopieren1, &ListCommands::copyFirstHouseNumber);
    wire(N1Zeilenachunten1, &ListCommands::moveFirstLineDown);
    wire(Verstecknachunten1, &ListCommands::moveHideoutDown);
    wire(Listeumkehren1, &ListCommands::reverseList);
    wire(Aktualisieren1, &ListCommands::refresh);
    wire(Suchen1, &ListCommands::find);
    wire(Rckgngig1, &ListCommands::undo);
}

} // namespace veltrix
