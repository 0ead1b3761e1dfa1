// The shared services every list operation runs through.
#include "mainfrm.h"

#include "reportlist.h"

#include <QAction>
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

void TfrmMain::UpdateProtectionMoney()
{
    m_list->UpdateProtectionMoney();
}

void TfrmMain::runListOperation(const std::function<QStringList(QStringList)> &work, Finish finish)
{
    m_list->runListOperation(work, finish == Finish::ProtectionMoney ? ReportList::Finish::ProtectionMoney
                                                                    : ReportList::Finish::Ready);
}

} // namespace veltrix
