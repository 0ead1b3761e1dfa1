#include "reportlist.h"

#include "core/merge.h"

#include <utility>

namespace veltrix {

bool ReportList::mergeReport(const QString &reportText, NoReport noReport)
{
    const FreshReport report(reportText);
    if (report.isEmpty()) {
        if (noReport == NoReport::Tell)
            m_platform.messageBoxes->show({QStringLiteral("Hinweis"),
                                           QStringLiteral("Die Zwischenablage enthält keinen Spionagebericht."),
                                           MsgButtons::Ok, MsgIcon::None});
        return false;
    }
    MergeResult merged;
    bool firstLineChanged = false;
    runListOperation(
        [&report, &merged, &firstLineChanged](const QStringList &list) {
            merged = veltrix::mergeReport(list, report);
            firstLineChanged = merged.lines.value(0) != list.value(0);
            return std::exchange(merged.lines, {});
        },
        Finish::ProtectionMoney);
    // A new first building is evaluated on the Info page, as after any
    // command that changes the first line.
    if (firstLineChanged)
        ShowBuildingInfo();
    // After the frame's "ready.", so that the counts stay in view.
    emit actionShown(mergeSummary(merged));
    return true;
}

} // namespace veltrix
