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

    void valueText_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("value");
        QTest::newRow("double quotes") << "Versteck=\"120\"" << "120";
        QTest::newRow("single quotes") << "Versteck = '120' " << "120";
        QTest::newRow("empty quotes") << "Versteck=\"\"" << "";
        QTest::newRow("blanks kept inside quotes") << "Versteck=\" 12 \"" << " 12 ";
        QTest::newRow("one pair only") << "Versteck=\"\"12\"\"" << "\"12\"";
        QTest::newRow("unmatched quotes") << "Versteck=\"12'" << "\"12'";
        QTest::newRow("lone quote") << "Versteck=\"" << "\"";
        QTest::newRow("semicolon in value") << "Versteck=12 ; alt" << "12 ; alt";
        QTest::newRow("after the first equals") << "Dateiname = a=b.txt" << "a=b.txt";
    }
    void valueText()
    {
        QFETCH(QString, line);
        QFETCH(QString, value);
        const IniFile ini = IniFile::parse(QStringLiteral("[Einstellungen]\r\n") + line + QStringLiteral("\r\n"));
        const QString key = line.section(QLatin1Char('='), 0, 0).trimmed();
        QCOMPARE(ini.value(u"Einstellungen", key), std::optional<QString>(value));
        // Written back, every value reads as it was.
        IniFile back;
        back.setValue(u"Einstellungen", key, value);
        QCOMPARE(IniFile::fromBytes(back.toBytes()).value(u"Einstellungen", key), std::optional<QString>(value));
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
