#include "core/inifile.h"

#include <QtTest>

using namespace veltrix;

namespace {

// As the classic profile functions leave a file that a user also edited.
const QString kClassic = QStringLiteral(
    "; Veltrix\r\n"
    "[DATEI]\r\n"
    "DATEINAME = C:\\Berichte\\M\u00fchle.txt  \r\n"
    "\r\n"
    "[ Andere ]\r\n"
    "foo=bar\r\n"
    ";top=999\r\n"
    "Dateiname=falsch\r\n"
    "[statusfenster]\r\n"
    "Top=12\r\n"
    "top=99\r\n"
    "leer=\r\n"
    "kein Schluessel\r\n"
    "[Einstellungen]\r\n"
    "\r\n"
    "[Einstellungen]\r\n"
    "Versteck=7\r\n");

} // namespace

class TestIniFile : public QObject {
    Q_OBJECT

private slots:
    void lookup_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("present");
        QTest::addColumn<QString>("value");
        QTest::newRow("case and blanks") << "Datei" << "Dateiname" << true << "C:\\Berichte\\Mühle.txt";
        QTest::newRow("blanks in header") << "andere" << "FOO" << true << "bar";
        QTest::newRow("key of another section") << "Andere" << "Dateiname" << true << "falsch";
        QTest::newRow("first of two keys") << "Statusfenster" << "top" << true << "12";
        QTest::newRow("empty value") << "Statusfenster" << "leer" << true << "";
        QTest::newRow("missing key") << "Statusfenster" << "left" << false << "";
        QTest::newRow("missing section") << "Veltrix" << "top" << false << "";
        QTest::newRow("comment is no key") << "Andere" << ";top" << false << "";
        QTest::newRow("line without equals") << "Statusfenster" << "kein Schluessel" << false << "";
        QTest::newRow("first of two sections") << "Einstellungen" << "Versteck" << false << "";
    }
    void lookup()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(bool, present);
        QFETCH(QString, value);
        const auto v = IniFile::parse(kClassic).value(section, key);
        QCOMPARE(v.has_value(), present);
        if (present)
            QCOMPARE(*v, value);
    }

    void lineEnds_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("crlf") << "[Veltrix]\r\ntop=5\r\nleft=6\r\n";
        QTest::newRow("lf") << "[Veltrix]\ntop=5\nleft=6\n";
        QTest::newRow("cr") << "[Veltrix]\rtop=5\rleft=6";
    }
    void lineEnds()
    {
        QFETCH(QString, text);
        IniFile ini = IniFile::parse(text);
        QCOMPARE(ini.value(u"Veltrix", u"top"), std::optional<QString>(QStringLiteral("5")));
        QCOMPARE(ini.value(u"Veltrix", u"left"), std::optional<QString>(QStringLiteral("6")));
        QCOMPARE(ini.text(), QStringLiteral("[Veltrix]\r\ntop=5\r\nleft=6\r\n"));
    }

    void unchangedFileIsWrittenBack()
    {
        QCOMPARE(IniFile::parse(kClassic).text(), kClassic);
    }

    void writeKeepsEverythingElse()
    {
        IniFile ini = IniFile::parse(kClassic);
        ini.setValue(u"Datei", u"Dateiname", u"/home/spieler/neu.txt");
        ini.setValue(u"Datei", u"Neu", u"1");
        ini.setValue(u"Statusfenster", u"top", u"40");
        ini.setValue(u"Statusfenster", u"left", u"600");
        ini.setValue(u"Veltrix", u"top", u"163");
        ini.setValue(u"Einstellungen", u"Versteck", u"120");
        const QString expected = QStringLiteral(
            "; Veltrix\r\n"
            "[DATEI]\r\n"
            "DATEINAME=/home/spieler/neu.txt\r\n"
            "Neu=1\r\n"
            "\r\n"
            "[ Andere ]\r\n"
            "foo=bar\r\n"
            ";top=999\r\n"
            "Dateiname=falsch\r\n"
            "[statusfenster]\r\n"
            "Top=40\r\n"
            "top=99\r\n"
            "leer=\r\n"
            "kein Schluessel\r\n"
            "left=600\r\n"
            "[Einstellungen]\r\n"
            "Versteck=120\r\n"
            "\r\n"
            "[Einstellungen]\r\n"
            "Versteck=7\r\n"
            "[Veltrix]\r\n"
            "top=163\r\n");
        QCOMPARE(ini.text(), expected);
    }

    void valuesCannotAddLines()
    {
        IniFile ini;
        ini.setValue(u"Datei", u"Dateiname", u"/tmp/a\n[Einstellungen]\r\nVersteck=9");
        QCOMPARE(ini.lines().size(), 2);
        QVERIFY(!ini.value(u"Einstellungen", u"Versteck").has_value());
        QCOMPARE(IniFile::parse(ini.text()).value(u"Datei", u"Dateiname"),
                 std::optional<QString>(QStringLiteral("/tmp/a [Einstellungen]  Versteck=9")));
    }

    void bytesAreWindows1252WhenPossible()
    {
        IniFile ini;
        ini.setValue(u"Datei", u"Dateiname", u"/tmp/Mühle.txt");
        QCOMPARE(ini.toBytes(), QByteArray("[Datei]\r\nDateiname=/tmp/M\xFChle.txt\r\n"));
        QCOMPARE(IniFile::fromBytes(ini.toBytes()).value(u"Datei", u"Dateiname"),
                 std::optional<QString>(QStringLiteral("/tmp/Mühle.txt")));
        ini.setValue(u"Datei", u"Dateiname", u"/tmp/Łódź.txt");
        QCOMPARE(IniFile::fromBytes(ini.toBytes()).value(u"Datei", u"Dateiname"),
                 std::optional<QString>(QStringLiteral("/tmp/Łódź.txt")));
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
