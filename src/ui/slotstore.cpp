#include "slotstore.h"

#include "core/error.h"
#include "platform/platform.h"

#include <QDir>

namespace veltrix {

QString SlotStore::path(int i) const
{
    return QDir(m_folder).filePath(QStringLiteral("slot%1.json").arg(i + 1));
}

SlotStore::Kept SlotStore::load(int i) const
{
    if (m_folder.isEmpty())
        return {};
    const FileBytes file = m_files->readData(path(i), kMaxSlotFileBytes);
    Kept kept;
    if (file.bytes)
        kept.slot = readSlotFile(*file.bytes);
    kept.damaged = file.present && !kept.slot;
    return kept;
}

void SlotStore::save(int i, const StoredSlot &slot) const
{
    if (m_folder.isEmpty())
        return;
    const std::optional<QByteArray> bytes = slotFileBytes(slot);
    if (!bytes)
        throw VeltrixError(QStringLiteral("Datei \"%1\" kann nicht erstellt werden. Die Liste ist zu lang für einen Slot.")
                               .arg(path(i)));
    m_files->writeData(path(i), *bytes);
}

void SlotStore::setAsideDamaged(int i) const
{
    if (m_folder.isEmpty())
        return;
    const QString damaged = path(i) + QStringLiteral(".damaged");
    QString aside = damaged;
    for (int n = 2; m_files->readData(aside, 0).present; ++n)
        aside = damaged + QStringLiteral(".%1").arg(n);
    m_files->rename(path(i), aside);
}

void SlotStore::remove(int i) const
{
    if (!m_folder.isEmpty())
        m_files->remove(path(i));
}

} // namespace veltrix
