#include "exportcommands.h"

#include "core/intconv.h"
#include "platform/files.h"
#include "reportlist.h"

#include <array>

namespace veltrix {

namespace {

struct FormatEntry {
    QString filter;
    QString extension;
    ExportFormat format;
};

const std::array<FormatEntry, 3> &formatEntries()
{
    static const std::array<FormatEntry, 3> entries{{
        {QStringLiteral("CSV-Tabelle (*.csv)"), QStringLiteral(".csv"), ExportFormat::Csv},
        {QStringLiteral("HTML-Tabelle (*.html)"), QStringLiteral(".html"), ExportFormat::Html},
        {QStringLiteral("BBCode (*.txt)"), QStringLiteral(".txt"), ExportFormat::BBCode},
    }};
    return entries;
}

} // namespace

ExportCommands::ExportCommands(QWidget *parent, ReportList &list, const Platform &platform, HideoutSource hideout,
                               OverwriteCheck mayOverwrite)
    : m_parent(parent), m_list(list), m_platform(platform), m_hideout(std::move(hideout)),
      m_mayOverwrite(std::move(mayOverwrite))
{
}

std::optional<qint64> ExportCommands::hideoutOf(const QString &fieldText)
{
    // A text comparison like the field's marker: "00" is an entered hideout.
    const auto value = tryStrToInt(fieldText);
    if (!value || fieldText == u"0")
        return std::nullopt;
    return *value;
}

const QString &ExportCommands::fileFilter()
{
    static const QString filter = [] {
        QStringList filters;
        for (const FormatEntry &entry : formatEntries())
            filters << entry.filter;
        return filters.join(QStringLiteral(";;"));
    }();
    return filter;
}

std::pair<QString, ExportFormat> ExportCommands::resolveName(const QString &name, const QString &selectedFilter)
{
    for (const FormatEntry &entry : formatEntries())
        if (name.endsWith(entry.extension, Qt::CaseInsensitive))
            return {name, entry.format};
    const FormatEntry *chosen = &formatEntries()[0];
    for (const FormatEntry &entry : formatEntries())
        if (entry.filter == selectedFilter)
            chosen = &entry;
    return {name + chosen->extension, chosen->format};
}

void ExportCommands::exportList()
{
    QString selectedFilter = formatEntries()[0].filter;
    const QString answer =
        m_platform.fileDialogs->saveFileNameAndFilter(m_parent, QStringLiteral("Exportieren"), fileFilter(), QString(),
                                                      selectedFilter);
    if (answer.isEmpty())
        return;
    const auto [name, format] = resolveName(answer, selectedFilter);
    if (!m_mayOverwrite(name))
        return;
    // Written in one piece: a failure throws the file error and leaves an
    // older file as it was.
    writeBinaryFile(name, exportDocument(format, m_list.memo().lines(), m_hideout()));
}

void ExportCommands::copyBBCode()
{
    m_platform.clipboard->setText(exportBBCode(m_list.memo().lines(), m_hideout()));
}

} // namespace veltrix
