#pragma once

#include "core/export.h"
#include "platform/platform.h"

#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace veltrix {

class ReportList;

// "Exportieren..." and "Als BBCode kopieren": the list as a table for
// spreadsheets, web pages and forums. The list itself stays as it is.
class ExportCommands {
public:
    using HideoutSource = std::function<std::optional<qint64>()>;
    using OverwriteCheck = std::function<bool(const QString &)>;

    ExportCommands(QWidget *parent, ReportList &list, const Platform &platform, HideoutSource hideout,
                   OverwriteCheck mayOverwrite);

    void exportList();
    void copyBBCode();

    // The hideout field's number, none while it shows the "no hideout" 0 or
    // no number.
    static std::optional<qint64> hideoutOf(const QString &fieldText);

    static const QString &fileFilter();
    // The format a typed name asks for by its ending, else the chosen
    // filter's; the name gets that filter's extension when it has none of ours.
    static std::pair<QString, ExportFormat> resolveName(const QString &name, const QString &selectedFilter);

private:
    QWidget *m_parent;
    ReportList &m_list;
    Platform m_platform;
    HideoutSource m_hideout;
    OverwriteCheck m_mayOverwrite;
};

} // namespace veltrix
