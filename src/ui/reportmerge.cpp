#include "reportlist.h"

#include "core/lines.h"
#include "core/merge.h"
#include "core/reportline.h"

#include <algorithm>
#include <utility>

namespace veltrix {

void ReportList::mergeReport(const QString &reportText)
{
    const QStringList report = splitLines(reportText);
    if (std::none_of(report.cbegin(), report.cend(), [](const QString &line) { return isKeptLine(line); })) {
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
