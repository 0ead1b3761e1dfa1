// The save slots' files. Whatever a file holds, a slot read from it is one
// the program would write, a JSON reader finds the same two strings there,
// and the program's own file of it reads back the same. Any two strings the
// program writes read back whole, from its own file and from the files of
// Qt's JSON writer, which earlier versions kept.

#include "fuzzcheck.h"

#include "core/slotfile.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QJsonDocument>
#include <QJsonObject>

using namespace veltrix;

namespace {

const QString kCaption = QStringLiteral("caption");
const QString kText = QStringLiteral("text");

QString endedByBreak(QString text)
{
    if (!text.isEmpty() && !text.endsWith(u'\n'))
        text += u'\n';
    return text;
}

// Qt's reader drops a U+FEFF that begins a string (at times: when written
// raw); ours keeps every character.
bool sameAsQt(QString qt, const QString &ours, bool text)
{
    if (ours.startsWith(QChar(0xFEFF)) && !qt.startsWith(QChar(0xFEFF)))
        qt.prepend(QChar(0xFEFF));
    return (text ? endedByBreak(qt) : qt) == ours;
}

void checkSameInJson(const QByteArray &bytes, const StoredSlot &slot)
{
    QJsonParseError error{};
    const QJsonObject object = QJsonDocument::fromJson(bytes, &error).object();
    FUZZ_CHECK_TEXT(error.error == QJsonParseError::NoError, error.errorString());
    FUZZ_CHECK(object.size() == 2);
    FUZZ_CHECK(sameAsQt(object.value(kCaption).toString(), slot.caption, false));
    FUZZ_CHECK(sameAsQt(object.value(kText).toString(), slot.text, true));
}

void checkRead(const QByteArray &bytes)
{
    const std::optional<StoredSlot> slot = readSlotFile(bytes);
    if (!slot)
        return;
    FUZZ_CHECK(!slot->caption.isEmpty() && slot->caption.size() <= kMaxSlotCaptionLength);
    FUZZ_CHECK(slot->text == endedByBreak(slot->text));
    checkSameInJson(bytes, *slot);
    const std::optional<QByteArray> again = slotFileBytes(*slot);
    FUZZ_CHECK(again.has_value());
    FUZZ_CHECK(readSlotFile(*again) == slot);
}

void checkWritten(const QString &caption, const QString &text)
{
    const std::optional<QByteArray> bytes = slotFileBytes({text, caption});
    FUZZ_CHECK(bytes.has_value() == (!caption.isEmpty() && caption.size() <= kMaxSlotCaptionLength));
    if (!bytes)
        return;
    FUZZ_CHECK(bytes->size() <= 6 * (caption.size() + text.size()) + 64);
    const StoredSlot expected{endedByBreak(text), caption};
    FUZZ_CHECK_TEXT(readSlotFile(*bytes) == expected, QString::fromUtf8(*bytes));
    checkSameInJson(*bytes, expected);
    const QJsonDocument earlier(QJsonObject{{kCaption, caption}, {kText, text}});
    for (const QJsonDocument::JsonFormat format : {QJsonDocument::Indented, QJsonDocument::Compact})
        FUZZ_CHECK(readSlotFile(earlier.toJson(format)) == expected);
}

} // namespace

// An input that starts with a zero byte gives the two strings to write, as
// UTF-16 (any code unit); any other input is a file to read.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size > 0 && data[0] == 0) {
        FuzzedDataProvider provider(data + 1, size - 1);
        const std::vector<std::uint8_t> caption = provider.ConsumeBytes<std::uint8_t>(
            provider.ConsumeIntegralInRange<std::size_t>(0, 2 * (kMaxSlotCaptionLength + 2)));
        const std::vector<std::uint8_t> text = provider.ConsumeRemainingBytes<std::uint8_t>();
        const auto utf16 = [](const std::vector<std::uint8_t> &bytes) {
            return bytes.empty() ? QString() : fuzz::utf16Text(bytes.data(), bytes.size());
        };
        checkWritten(utf16(caption), utf16(text));
        return 0;
    }
    checkRead(QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));
    return 0;
}
