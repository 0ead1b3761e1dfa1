#include "core/textfile.h"

#include <QtTest>

using namespace veltrix;

class TestTextFile : public QObject {
    Q_OBJECT

private slots:
    void decode_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("1252") << QByteArray("M\xFChle Stra\xDF""e \x80\r\n") << QStringLiteral("Mühle Straße €\r\n");
        QTest::newRow("utf8") << QByteArray("M\xC3\xBChle \xC5\x81\xE2\x82\xAC") << QStringLiteral("Mühle Ł€");
        QTest::newRow("utf8, mark dropped") << QByteArray("\xEF\xBB\xBF""B\xC3\xA4""cker") << QStringLiteral("Bäcker");
        QTest::newRow("overlong is 1252") << QByteArray("\xC0\xAF") << QStringLiteral("À¯");
        QTest::newRow("cut sequence is 1252") << QByteArray("ab\xC3") << QStringLiteral("abÃ");
        QTest::newRow("surrogate is 1252") << QByteArray("\xED\xA0\x80") << QStringLiteral("í\u00A0€");
        // Only 0x80..0xBF continue a sequence, and only in range for its lead.
        QTest::newRow("0xC0 after a lead is 1252") << QByteArray("\xC3\xC0") << QStringLiteral("ÃÀ");
        QTest::newRow("0xC0 ends a 3-byte sequence") << QByteArray("\xE2\x82\xC0") << QStringLiteral("â‚À");
        QTest::newRow("0xC0 in a 4-byte sequence") << QByteArray("\xF0\x9F\xC0\x80") << QStringLiteral("ðŸÀ€");
        QTest::newRow("0x7F after a lead is 1252") << QByteArray("\xC3\x7F") << QStringLiteral("Ã\x7F");
        QTest::newRow("overlong lead 0xC1 is 1252") << QByteArray("\xC1\xBF") << QStringLiteral("Á¿");
        QTest::newRow("overlong 3-byte is 1252") << QByteArray("\xE0\x9F\xBF") << QStringLiteral("àŸ¿");
        QTest::newRow("lowest 3-byte is utf8") << QByteArray("\xE0\xA0\x80") << QStringLiteral("\u0800");
        QTest::newRow("highest code point is utf8") << QByteArray("\xF4\x8F\xBF\xBF") << QString::fromUcs4(U"\U0010FFFF");
        QTest::newRow("above U+10FFFF is 1252") << QByteArray("\xF4\xA0\x80\x80") << QStringLiteral("ô\u00A0\u20AC\u20AC");
        QTest::newRow("utf8 plus a 1252 byte") << QByteArray("\xC3\xA4 \xE4") << QStringLiteral("Ã¤ ä");
    }
    void decode()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(decodeFileText(bytes), text);
    }

    void encode_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("1252") << QStringLiteral("Bäcker 1.000 €\r\n") << QByteArray("B\xE4""cker 1.000 \x80\r\n");
        QTest::newRow("outside 1252") << QStringLiteral("Łódź ä") << QByteArray("\xC5\x81\xC3\xB3""d\xC5\xBA \xC3\xA4");
        // As 1252 bytes this would read back as "ä".
        QTest::newRow("1252 that reads as utf8") << QStringLiteral("Ã¤") << QByteArray("\xC3\x83\xC2\xA4");
        // The reader takes one leading mark for the signature.
        QTest::newRow("leading U+FEFF") << QStringLiteral("\uFEFFBank") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF""Bank");
    }
    void encode()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(encodeFileText(text), bytes);
        QCOMPARE(decodeFileText(bytes), text);
    }

    void txtRule_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");
        QTest::newRow("bericht") << "/tmp/bericht" << "/tmp/bericht.txt";
        QTest::newRow("upper case") << "/tmp/bericht.TXT" << "/tmp/bericht.TXT.txt";
        QTest::newRow("inside the name") << "/tmp/alt.txt.bak" << "/tmp/alt.txt.bak";
        QTest::newRow("in a folder name") << "/tmp/a.txt/bericht" << "/tmp/a.txt/bericht";
    }
    void txtRule()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        QCOMPARE(withTxtExtension(chosen), written);
    }
};

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
