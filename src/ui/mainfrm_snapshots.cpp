// "Rückgängig".
#include "mainfrm.h"

#include "core/lines.h"
#include "core/reportline.h"

#include <QAction>

namespace veltrix {

void TfrmMain::setupUndo()
{
    connectCommand(Rckgngig1, [this] { Rckgngig1Click(); });
}

void TfrmMain::Rckgngig1Click()
{
    // The undo ends with a cleaning (ShowBuildingInfo). Writing the cleaned
    // list right away leaves the same text and statistics, since invalid
    // lines add no protection money, and spares a second write of the list.
    QStringList lines = m_list->takeUndo();
    const qsizetype steps = lines.size();
    lines.removeIf([](const QString &line) { return line.isEmpty() || !isValidReportLine(line); });
    m_list->writeListAsAppends(joinLinesLf(lines));
    for (qsizetype i = 0; i < steps; ++i)
        StepProgress(1);
    setModified(true);
    UpdateCaption();
    UpdateProtectionMoney();
    ShowBuildingInfo();
}

} // namespace veltrix
