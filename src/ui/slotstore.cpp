#include "slotstore.h"

#include "core/error.h"
#include "platform/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

namespace veltrix {

namespace {

// Far beyond any list; a bigger file is not one of ours.
constexpr qint64 kMaxSlotBytes = 64 * 1024 * 1024;

const QString kCaption = QStringLiteral("caption");
const QString kText = QStringLiteral("text");

} // namespace

QString SlotStore::path(int i) const
{
    return QDir(m_folder).filePath(QStringLiteral("slot%1.json").arg(i + 1));
}

std::optional<StoredSlot> SlotStore::load(int i) const
{
    if (m_folder.isEmpty())
        return std::nullopt;
    // Only a plain file: opening anything else could wait or never end.
    const QFileInfo info(path(i));
    if (!info.isFile() || info.size() > kMaxSlotBytes)
        return std::nullopt;
    QFile file(info.filePath());
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.read(kMaxSlotBytes), &error);
    const QJsonObject object = document.object();
    const QJsonValue caption = object.value(kCaption);
    const QJsonValue text = object.value(kText);
    if (error.error != QJsonParseError::NoError || !caption.isString() || !text.isString()
        || caption.toString().isEmpty())
        return std::nullopt;
    StoredSlot slot{text.toString(), caption.toString()};
    // A restore writes the text whole: every line ends with a break.
    if (!slot.text.isEmpty() && !slot.text.endsWith(QLatin1Char('\n')))
        slot.text += QLatin1Char('\n');
    return slot;
}

void SlotStore::save(int i, const StoredSlot &slot) const
{
    if (m_folder.isEmpty())
        return;
    // A first run may not have the folder yet; if it cannot be made, the
    // write says why.
    QDir().mkpath(m_folder);
    const QJsonObject object{{kCaption, slot.caption}, {kText, slot.text}};
    writeBinaryFile(path(i), QJsonDocument(object).toJson(QJsonDocument::Indented));
}

void SlotStore::remove(int i) const
{
    if (m_folder.isEmpty())
        return;
    QFile file(path(i));
    if (!QFileInfo::exists(file.fileName()) && !QFileInfo(file.fileName()).isSymLink())
        return;
    if (!file.remove())
        throw VeltrixError(
            QStringLiteral("Datei \"%1\" kann nicht gelöscht werden. %2").arg(file.fileName(), file.errorString()));
}

} // namespace veltrix
