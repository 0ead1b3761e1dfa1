#include "reportlist.h"

#include "core/merge.h"

#include <utility>

namespace veltrix {

void ReportList::mergeReport(const QString &reportText)
{
    const FreshReport report(reportText);
    if (report.isEmpty()) {
        m_platform.messageBoxes->show({QStringLiteral("Hinweis"),
                                       QStringLiteral("Die Zwischenablage enthält keinen Spionagebericht."),
                                       MsgButtons::Ok, MsgIcon::None});
        return;
    }
    MergeResult merged;
    runListOperation(
        [&report, &merged](const QStringList &list) {
            merged = veltrix::mergeReport(list, report);
            return std::exchange(merged.lines, {});
        },
        Finish::ProtectionMoney);
    // After the frame's "ready.", so that the counts stay in view.
    emit actionShown(mergeSummary(merged));
}

} // namespace veltrix
