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
        QTest::newRow("ascii") << QByteArray("Lindenallee 117: Bank") << QStringLiteral("Lindenallee 117: Bank");
        QTest::newRow("1252 umlauts") << QByteArray("M\xFChlweg 3: B\xE4""cker") << QStringLiteral("Mühlweg 3: Bäcker");
        QTest::newRow("1252 euro and sz") << QByteArray("\x80 Stra\xDF""e") << QStringLiteral("€ Straße");
        QTest::newRow("utf8") << QByteArray("M\xC3\xBChlweg \xE2\x82\xAC") << QStringLiteral("Mühlweg €");
        QTest::newRow("utf8 outside 1252") << QByteArray("\xC5\x81\xC3\xB3""d\xC5\xBA") << QStringLiteral("Łódź");
        QTest::newRow("utf8 four bytes") << QByteArray("a\xF0\x9F\x98\x80") << QStringLiteral("a\U0001F600");
        QTest::newRow("utf8 bom dropped") << QByteArray("\xEF\xBB\xBF""B\xC3\xA4""cker") << QStringLiteral("Bäcker");
        QTest::newRow("overlong is 1252") << QByteArray("\xC0\xAF") << QStringLiteral("À¯");
        QTest::newRow("cut sequence is 1252") << QByteArray("ab\xC3") << QStringLiteral("abÃ");
        QTest::newRow("surrogate is 1252") << QByteArray("\xED\xA0\x80") << QStringLiteral("í\u00A0€");
        QTest::newRow("above U+10FFFF is 1252") << QByteArray("\xF4\x90\x80\x80") << QStringLiteral("ô\u0090€€");
        QTest::newRow("utf8 with a stray 1252 byte") << QByteArray("\xC3\xA4 \xE4") << QStringLiteral("Ã¤ ä");
        QTest::newRow("undefined 1252 byte kept") << QByteArray("\x81") << QStringLiteral("\u0081");
        QTest::newRow("line ends untouched") << QByteArray("a\r\nb\rc\n") << QStringLiteral("a\r\nb\rc\n");
        QTest::newRow("empty") << QByteArray() << QString();
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
        QTest::newRow("1252") << QStringLiteral("Mühlweg 3: Bäcker 1.000 €") << QByteArray("M\xFChlweg 3: B\xE4""cker 1.000 \x80");
        QTest::newRow("crlf kept") << QStringLiteral("a\r\nb\r\n") << QByteArray("a\r\nb\r\n");
        QTest::newRow("outside 1252 is utf8") << QStringLiteral("Łódź ä") << QByteArray("\xC5\x81\xC3\xB3""d\xC5\xBA \xC3\xA4");
        // As 1252 these bytes would read back as "ä".
        QTest::newRow("1252 bytes that look like utf8") << QStringLiteral("Ã¤") << QByteArray("\xC3\x83\xC2\xA4");
        QTest::newRow("empty") << QString() << QByteArray();
    }
    void encode()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(encodeFileText(text), bytes);
    }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("umlauts") << QStringLiteral("Lärchenweg 5: Bäcker (SG: 45%) [Fallgitter]\r\n");
        QTest::newRow("euro") << QStringLiteral("Schutzgeld: 1.250 €");
        QTest::newRow("mojibake") << QStringLiteral("Ã¤Ã¶Ã¼");
        QTest::newRow("polish") << QStringLiteral("Łódź 1: Kiosk");
        QTest::newRow("c1 control") << QStringLiteral("\u0081\u008D");
        QTest::newRow("mixed") << QStringLiteral("Ã¤ and Ł");
    }
    void roundTrip()
    {
        QFETCH(QString, text);
        QCOMPARE(decodeFileText(encodeFileText(text)), text);
    }

    void txtRule_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");
        QTest::newRow("no extension") << "/tmp/bericht" << "/tmp/bericht.txt";
        QTest::newRow("upper case") << "/tmp/bericht.TXT" << "/tmp/bericht.TXT.txt";
        QTest::newRow("inside the name") << "/tmp/alt.txt.bak" << "/tmp/alt.txt.bak";
        QTest::newRow("already txt") << "/tmp/bericht.txt" << "/tmp/bericht.txt";
        QTest::newRow("in a folder name") << "/tmp/a.txt/bericht" << "/tmp/a.txt/bericht";
        QTest::newRow("txt without dot") << "/tmp/berichttxt" << "/tmp/berichttxt.txt";
        QTest::newRow("other extension") << "/tmp/bericht.csv" << "/tmp/bericht.csv.txt";
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
