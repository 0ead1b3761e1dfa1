#include "core/inifile.h"

#include <QtTest>

using namespace veltrix;

namespace {

// A file left by the classic profile functions and edited by hand.
const QString kClassic = QStringLiteral("; Veltrix\r\n[DATEI]\r\nDATEINAME = C:\\M\u00fchle.txt  \r\n\r\n"
                                        "[ Andere ]\r\nfoo=bar\r\n;top=9\r\n[statusfenster]\r\nTop=12\r\ntop=99\r\n"
                                        "leer=\r\nkein Schluessel\r\n");

} // namespace

class TestIniFile : public QObject {
    Q_OBJECT

private slots:
    void lookup_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("value"); // invalid: missing
        QTest::newRow("case and blanks") << "Datei" << "Dateiname" << QVariant("C:\\Mühle.txt");
        QTest::newRow("blanks in header") << "andere" << "FOO" << QVariant("bar");
        QTest::newRow("first of two keys") << "Statusfenster" << "top" << QVariant("12");
        QTest::newRow("empty value") << "Statusfenster" << "leer" << QVariant("");
        QTest::newRow("key of another section") << "Datei" << "foo" << QVariant();
        QTest::newRow("missing section") << "Veltrix" << "top" << QVariant();
        QTest::newRow("comment") << "Andere" << ";top" << QVariant();
        QTest::newRow("line without equals") << "Statusfenster" << "kein Schluessel" << QVariant();
    }
    void lookup()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QVariant, value);
        const auto v = IniFile::parse(kClassic).value(section, key);
        QCOMPARE(v.has_value(), value.isValid());
        if (v)
            QCOMPARE(*v, value.toString());
        QCOMPARE(IniFile::parse(QString(kClassic).replace(QStringLiteral("\r\n"), QStringLiteral("\n"))).value(section, key), v);
    }

    void writeKeepsEverythingElse()
    {
        IniFile ini = IniFile::parse(kClassic);
        QCOMPARE(ini.text(), kClassic);
        ini.setValue(u"Datei", u"Dateiname", u"/home/neu.txt");
        ini.setValue(u"Datei", u"Neu", u"1");
        ini.setValue(u"Statusfenster", u"top", u"40");
        ini.setValue(u"Veltrix", u"left", u"311");
        QCOMPARE(ini.text(), QStringLiteral("; Veltrix\r\n[DATEI]\r\nDATEINAME=/home/neu.txt\r\nNeu=1\r\n\r\n"
                                            "[ Andere ]\r\nfoo=bar\r\n;top=9\r\n[statusfenster]\r\nTop=40\r\ntop=99\r\n"
                                            "leer=\r\nkein Schluessel\r\n[Veltrix]\r\nleft=311\r\n"));
    }

    void valuesCannotAddLines()
    {
        IniFile ini;
        ini.setValue(u"Datei", u"Dateiname", u"/tmp/a\n[Einstellungen]\r\nVersteck=9");
        const IniFile back = IniFile::fromBytes(ini.toBytes());
        QVERIFY(!back.value(u"Einstellungen", u"Versteck"));
        QCOMPARE(*back.value(u"Datei", u"Dateiname"), QStringLiteral("/tmp/a [Einstellungen]  Versteck=9"));
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
