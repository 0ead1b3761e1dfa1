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
