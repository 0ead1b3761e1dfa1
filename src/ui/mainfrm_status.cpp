// Handing the report list to the status window.
#include "mainfrm.h"

#include "statusfenster.h"

#include <QAction>
#include <QPlainTextEdit>

namespace veltrix {

void TfrmMain::setupStatusCommands()
{
    connectCommand(Statusfenster1, [this] { Statusfenster1Click(); });
}

TfrmStatus *TfrmMain::statusWindow() const
{
    return qobject_cast<TfrmStatus *>(m_companions.status);
}

void TfrmMain::Statusfenster1Click()
{
    TfrmStatus *status = statusWindow();
    if (!status)
        return;
    CleanList();
    hide();
    m_memo.moveTextTo(status->memo());
    status->show();
    status->raise();
    status->activateWindow();
}

} // namespace veltrix
