// A save slot's file, written and read back without the windows.
#include "core/slotfile.h"

#include <QtTest>

using namespace veltrix;

namespace {

const QString kStamp = QStringLiteral("07.12.2026 11:30:05");

QByteArray file(const QByteArray &caption, const QByteArray &text)
{
    return "{\n    \"caption\": \"" + caption + "\",\n    \"text\": \"" + text + "\"\n}\n";
}

} // namespace

class TestSlotFile : public QObject {
    Q_OBJECT

private slots:
    // What is written, byte for byte, and that it reads back as it was.
    void write_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes"); // empty: not written
        QTest::newRow("plain") << kStamp << QStringLiteral("Weg 7\n") << file(kStamp.toUtf8(), "Weg 7\\n");
        QTest::newRow("escapes")
            << kStamp << QStringLiteral("\"a\"\\b\t\r\n\x01\x1f/\u2028\n")
            << file(kStamp.toUtf8(), "\\\"a\\\"\\\\b\\t\\r\\n\\u0001\\u001f/\xE2\x80\xA8\\n");
        QTest::newRow("pair and lone surrogates")
            << kStamp << QString::fromUtf16(u"\U0001F600 \xD83D x \xDE00\n")
            << file(kStamp.toUtf8(), "\xF0\x9F\x98\x80 \\ud83d x \\ude00\\n");
        QTest::newRow("caption of 64") << QString(64, u'7') << QString() << file(QByteArray(64, '7'), "");
        QTest::newRow("caption of 65") << QString(65, u'7') << QString() << QByteArray();
        QTest::newRow("no caption") << QString() << QStringLiteral("Weg 7\n") << QByteArray();
    }
    void write()
    {
        QFETCH(QString, caption);
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        const auto written = slotFileBytes({text, caption});
        QCOMPARE(written.value_or(QByteArray()), bytes);
        if (written)
            QCOMPARE(readSlotFile(*written), (StoredSlot{text, caption}));
    }

    void read_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("read");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("text");
        QTest::newRow("members in any order, blanks around")
            << QByteArray(" \r\n{\"text\":\"Weg 7\\n\" ,\t\"caption\" : \"x\"}\r\n") << true << "x" << "Weg 7\n";
        QTest::newRow("a break after the last line") << QByteArray("{\"caption\": \"x\", \"text\": \"Weg 7\"}") << true
                                                      << "x" << "Weg 7\n";
        QTest::newRow("empty text") << QByteArray("{\"caption\": \"x\", \"text\": \"\"}") << true << "x" << "";
        QTest::newRow("escaped solidus and upper-case hex")
            << QByteArray("{\"caption\": \"x\", \"text\": \"a\\/b\\u00C4\\uD83D\\uDE00\\n\"}") << true << "x"
            << QString::fromUtf16(u"a/b\u00C4\U0001F600\n");
        QTest::newRow("lone surrogate as written") << QByteArray("{\"caption\": \"x\", \"text\": \"\\udc00\\n\"}") << true
                                                   << "x" << QString::fromUtf16(u"\xDC00\n");
        QTest::newRow("caption of 64") << file(QByteArray(64, '7'), "") << true << QString(64, u'7') << "";
        QTest::newRow("caption of 64 with escapes") << file(QByteArray(63, '7') + "\\u00e4", "") << true
                                                    << QString(63, u'7') + u'\u00E4' << "";
        QTest::newRow("caption of 65") << file(QByteArray(65, '7'), "") << false << "" << "";
        QTest::newRow("caption of 65 with escapes") << file(QByteArray(64, '7') + "\\n", "") << false << "" << "";
        QTest::newRow("extra member") << QByteArray("{\"caption\": \"x\", \"text\": \"\", \"lines\": \"\"}") << false << ""
                                      << "";
        QTest::newRow("member twice") << QByteArray("{\"caption\": \"x\", \"text\": \"\", \"text\": \"\"}") << false << ""
                                      << "";
        QTest::newRow("no text") << QByteArray("{\"caption\": \"x\"}") << false << "" << "";
        QTest::newRow("empty caption") << file("", "Weg 7\\n") << false << "" << "";
        QTest::newRow("number for text") << QByteArray("{\"caption\": \"x\", \"text\": 7}") << false << "" << "";
        QTest::newRow("trailing bytes") << file("x", "") + "x" << false << "" << "";
        QTest::newRow("a second object") << file("x", "") + "{}" << false << "" << "";
        QTest::newRow("trailing comma") << QByteArray("{\"caption\": \"x\", \"text\": \"\",}") << false << "" << "";
        QTest::newRow("unknown escape") << file("x", "\\x41") << false << "" << "";
        QTest::newRow("short hex escape") << file("x", "\\u00e") << false << "" << "";
        QTest::newRow("bad hex digit") << file("x", "\\u00g0") << false << "" << "";
        QTest::newRow("raw control character") << file("x", "a\tb") << false << "" << "";
        QTest::newRow("invalid UTF-8") << file("x", "M\xFChle") << false << "" << "";
        QTest::newRow("unclosed string") << QByteArray("{\"caption\": \"x\", \"text\": \"Weg 7}") << false << "" << "";
    }
    void read()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, read);
        QFETCH(QString, caption);
        QFETCH(QString, text);
        const auto slot = readSlotFile(bytes);
        QCOMPARE(slot.has_value(), read);
        if (slot)
            QCOMPARE(*slot, (StoredSlot{text, caption}));
    }
};

QTEST_GUILESS_MAIN(TestSlotFile)
#include "tst_slotfile.moc"
