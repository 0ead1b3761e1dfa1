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

void SlotStore::save(int i, const StoredSlot &slot, bool setAsideDamaged) const
{
    if (m_folder.isEmpty())
        return;
    const std::optional<QByteArray> bytes = slotFileBytes(slot);
    if (!bytes)
        throw VeltrixError(QStringLiteral("Datei \"%1\" kann nicht erstellt werden. Die Liste ist zu lang für einen Slot.")
                               .arg(path(i)));
    if (setAsideDamaged) {
        const QString aside = path(i) + QStringLiteral(".damaged");
        m_files->remove(aside);
        m_files->rename(path(i), aside);
    }
    m_files->writeData(path(i), *bytes);
}

void SlotStore::remove(int i) const
{
    if (!m_folder.isEmpty())
        m_files->remove(path(i));
}

} // namespace veltrix
