// Line commands, the find box and the building evaluation on the Info tab.
#include "support/fakeplatform.h"
#include "support/controls.h"
#include "support/showntext.h"
#include "ui/findbox.h"
#include "ui/mainfrm.h"
#include "ui/memolines.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QtTest>
#include <algorithm>

using namespace veltrix;
using namespace veltrix::test;

namespace {

const QString kBank = QStringLiteral("Lindenallee 117: Bank (SG: 45%) [Fallgitter]");
const QString kKiosk = QStringLiteral("Am Alten Markt 3: Kiosk (SG: 100%) Keine Ausbauten vorhanden");
const QString kFabrik = QStringLiteral("Zollstraße 12: Fabrik (SG: 40%) Keine Ausbauten vorhanden");
const QString kBad = QStringLiteral("Lindenallee 12a: Bank (SG: 45%) [Fallgitter]");
const QString kJunk = QStringLiteral("Spionagebericht vom 07.12.2026");
const QColor kGreen(0, 128, 0);
const QColor kBlack(0, 0, 0);

QString text(const QStringList &lines)
{
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void setHideout(TfrmMain &w, const QString &hideout)
{
    control<QLineEdit>(w, "Versteck")->setText(hideout);
    // Leaving the field checks it and sets the marker.
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(control<QLineEdit>(w, "Versteck"), &out);
}

QColor colorOf(const QLabel *label)
{
    return label->palette().color(QPalette::WindowText);
}

} // namespace

class TestLineCommands : public QObject {
    Q_OBJECT

private slots:
    void deleteFirstLine()
    {
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        const QStringList before{kBank, kKiosk};
        w.list().memo().setText(text(before));
        trigger(w, "AktuelleZeilelschen1");
        QCOMPARE(w.list().memo().lines(), QStringList{kKiosk});
        QCOMPARE(control<QLabel>(w, "InfoGeb")->text(), QStringLiteral("Am Alten Markt 3"));
        QCOMPARE(w.list().memo().selStart(), 15);
        QCOMPARE(w.list().memo().selLength(), 1);
        QCOMPARE(fakes.clipboard.text(), QStringLiteral("3"));
        QCOMPARE(w.list().undoCopy(), before);
        QVERIFY(control<QAction>(w, "Rckgngig1")->isEnabled());
        QCOMPARE(control<QLabel>(w, "Schutzgeld")->text(), QStringLiteral("80 €"));

        // The last line: nothing left to copy, the clipboard keeps "3".
        trigger(w, "AktuelleZeilelschen1");
        QVERIFY(w.list().memo().isEmpty());
        QCOMPARE(fakes.clipboard.writes, 1);
        QCOMPARE(control<QLabel>(w, "InfoGeb")->text(), QStringLiteral("---"));
        // An empty list: nothing to delete, no error.
        trigger(w, "AktuelleZeilelschen1");
        QVERIFY(fakes.messageBoxes.shown.isEmpty());
    }

    void copyHouseNumber_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("hideout");
        QTest::addColumn<QString>("clipboard"); // empty: nothing copied
        QTest::addColumn<QString>("message");
        QTest::newRow("worked example") << QStringList{kJunk, kBank} << "0" << "117" << "";
        QTest::newRow("letters copied as they are") << QStringList{kBad} << "0" << "12a" << "";
        QTest::newRow("hideout entered stops first")
            << QStringList{kBad} << "100" << "" << QStringLiteral("'12a' ist kein gültiger Integerwert");
        QTest::newRow("empty list") << QStringList{} << "0" << "" << "";
        QTest::newRow("no colon") << QStringList{QStringLiteral("1Bank (SG 45%)")} << "0" << "" << "";
    }

    void copyHouseNumber()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, hideout);
        QFETCH(QString, clipboard);
        QFETCH(QString, message);
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        setHideout(w, hideout);
        w.list().memo().setText(text(lines));
        trigger(w, "N1Hausnummerkopieren1");
        QCOMPARE(fakes.clipboard.text(), clipboard);
        QCOMPARE(fakes.clipboard.writes, clipboard.isEmpty() ? 0 : 1);
        QCOMPARE(fakes.messageBoxes.lastText(), message);
        QCOMPARE(w.list().memo().selLength(), clipboard.size());
    }

    void firstLineDown()
    {
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        w.list().memo().setText(text({kBank, kKiosk, kFabrik}));
        trigger(w, "N1Zeilenachunten1");
        QCOMPARE(w.list().memo().lines(), (QStringList{kKiosk, kFabrik, kBank}));
        QCOMPARE(fakes.clipboard.text(), QStringLiteral("3"));
        QVERIFY(w.list().undoCopy().isEmpty());

        w.list().memo().clear();
        trigger(w, "N1Zeilenachunten1");
        QVERIFY(w.list().memo().isEmpty());
        QVERIFY(fakes.messageBoxes.shown.isEmpty());
    }

    void hideoutDown()
    {
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        const QString a = QStringLiteral("A 1: Bank (SG: 45%) [Fallgitter]");
        const QString v1 = QStringLiteral("B 2: Versteck (SG: 45%) [Fallgitter]");
        const QString b = QStringLiteral("C 3: Kiosk (SG: 45%) [Fallgitter]");
        const QString h = QStringLiteral("D 4: Hotelzimmer (SG: 45%) [Fallgitter]");
        w.list().memo().setText(text({a, v1, b, h}));
        int changes = 0;
        connect(control<QPlainTextEdit>(w, "Memo1"), &QPlainTextEdit::textChanged, this, [&changes] { ++changes; });
        trigger(w, "Verstecknachunten1");
        QCOMPARE(changes, 1);
        QCOMPARE(w.list().memo().lines(), (QStringList{a, b, h, v1}));
        trigger(w, "Verstecknachunten1");
        QCOMPARE(w.list().memo().lines(), (QStringList{a, b, v1, h}));
        QVERIFY(w.list().undoCopy().isEmpty());

        // A street holding "Versteck" moves too; lines that are not report
        // lines stay.
        const QString street = QStringLiteral("Am Versteckweg 1: Bank (SG: 45%) [Fallgitter]");
        w.list().memo().setText(text({kJunk, street, a}));
        trigger(w, "Verstecknachunten1");
        QCOMPARE(w.list().memo().lines(), (QStringList{kJunk, a, street}));

        // Equal lines from the hit to the end: the list stays, no change.
        w.list().memo().setText(text({a, v1, v1}));
        changes = 0;
        trigger(w, "Verstecknachunten1");
        QCOMPARE(changes, 0);
        // Without a final break the whole list is written, with the break.
        control<QPlainTextEdit>(w, "Memo1")->setPlainText(v1 + QLatin1Char('\n') + a);
        trigger(w, "Verstecknachunten1");
        QCOMPARE(control<QPlainTextEdit>(w, "Memo1")->toPlainText(), text({a, v1}));
    }

    // The list is not cleaned, but the save point's tidy step deletes an
    // empty first line before the list is read.
    void reverse_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("reversed");
        QTest::newRow("uncleaned lines") << QStringList{kJunk, kBank, QString(), kKiosk}
                                         << QStringList{kKiosk, QString(), kBank, kJunk};
        QTest::newRow("empty first line") << QStringList{QString(), "A", "B"} << QStringList{"B", "A"};
        QTest::newRow("only an empty line") << QStringList{QString()} << QStringList{};
    }
    void reverse()
    {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, reversed);
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        w.list().memo().setText(text(lines));
        trigger(w, "Listeumkehren1");
        QCOMPARE(w.list().memo().lines(), reversed);
        QCOMPARE(w.list().undoCopy(), lines);
        trigger(w, "Listeumkehren1");
        std::reverse(reversed.begin(), reversed.end());
        QCOMPARE(w.list().memo().lines(), reversed);
        QVERIFY(w.windowTitle().endsWith(QStringLiteral(" *")));
    }

    void refresh()
    {
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        w.list().memo().setText(text({kJunk, kFabrik, kBank}));
        trigger(w, "Aktualisieren1");
        QCOMPARE(w.list().memo().lines(), (QStringList{kFabrik, kBank}));
        QCOMPARE(fakes.clipboard.text(), QStringLiteral("12"));
        QCOMPARE(fakes.clipboard.writes, 2);
        QCOMPARE(control<QLabel>(w, "Schutzgeld")->text(), QStringLiteral("1.800 €"));
        QCOMPARE(control<QLabel>(w, "InfoGeb")->text(), QStringLiteral("Zollstraße 12"));
    }

    void find()
    {
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        w.list().memo().setText(text({kKiosk, kBank, kFabrik, kJunk, kBad}));
        trigger(w, "Suchen1");
        QVERIFY(control<FindBox>(w, "FindDialog1")->isVisible());
        QVERIFY(!control<FindBox>(w, "FindDialog1")->isModal());
        QCOMPARE(control<FindBox>(w, "FindDialog1")->label->text(), QStringLiteral("Suchen nach:"));
        QCOMPARE(control<FindBox>(w, "FindDialog1")->findNextButton->text(), QStringLiteral("Weitersuchen"));
        QCOMPARE(control<FindBox>(w, "FindDialog1")->cancelButton->text(), QStringLiteral("Abbrechen"));

        w.list().memo().caretToStart();
        control<FindBox>(w, "FindDialog1")->setFindText(QStringLiteral("Bank"));
        const qsizetype line2 = kKiosk.size() + 2;
        const qsizetype line5 = line2 + kBank.size() + 2 + kFabrik.size() + 2 + kJunk.size() + 2;
        const struct {
            qsizetype start;
            int beeps;
        } presses[] = {{line2 + 17, 0}, {line5 + 17, 0}, {line5 + 17, 1}, {line5 + 17, 2}};
        for (const auto &p : presses) {
            control<FindBox>(w, "FindDialog1")->findNextButton->click();
            QCOMPARE(w.list().memo().selStart(), p.start);
            QCOMPARE(w.list().memo().selLength(), 4);
            QCOMPARE(fakes.feedback.beeps, p.beeps);
        }
        QVERIFY(control<FindBox>(w, "FindDialog1")->isVisible());

        // Case-sensitive: "bank" finds nothing.
        w.list().memo().caretToStart();
        control<FindBox>(w, "FindDialog1")->setFindText(QStringLiteral("bank"));
        control<FindBox>(w, "FindDialog1")->findNextButton->click();
        QCOMPARE(fakes.feedback.beeps, 3);
        QCOMPARE(w.list().memo().selLength(), 0);

        // A search text spanning a line break counts it as CR LF.
        control<FindBox>(w, "FindDialog1")->setFindText(QStringLiteral("vorhanden\r\nLinden"));
        control<FindBox>(w, "FindDialog1")->findNextButton->click();
        QCOMPARE(w.list().memo().selStart(), kKiosk.size() - 9);
        QCOMPARE(w.list().memo().selLength(), 17);

        control<FindBox>(w, "FindDialog1")->cancelButton->click();
        QVERIFY(!control<FindBox>(w, "FindDialog1")->isVisible());
    }

    // Texts of any length are searched to their end.
    void findInLongText()
    {
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        QStringList lines(2000, kFabrik);
        lines << kBank;
        w.list().memo().setText(text(lines));
        QVERIFY(w.list().memo().crlfText().size() > 100000);
        control<FindBox>(w, "FindDialog1")->setFindText(QStringLiteral("Bank"));
        emit control<FindBox>(w, "FindDialog1")->findNext();
        QCOMPARE(fakes.feedback.beeps, 0);
        QCOMPARE(w.list().memo().selStart(), qsizetype(2000) * (kFabrik.size() + 2) + 17);
    }

    void buildingInfo_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("hideout");
        QTest::addColumn<QStringList>("texts"); // InfoGeb, InfoSG, InfoRandale, HintRandale, InfoUeberfall, Fussweg
        QTest::addColumn<bool>("greenRiots");
        QTest::addColumn<bool>("markerShown");
        const QString keine = QStringLiteral("keine, sofortige Übernahme möglich");
        QTest::newRow("worked example")
            << "Lindenallee 117: Bank (SG: 45%) [Sicherheitsschloß, Fallgitter, Nagelbrett]" << "100"
            << QStringList{"Lindenallee 117", "45 % / 3", "Leichte Schulter", "Leichte Schulter", "1",
                           "1 min 28 sec"}
            << false << false;
        QTest::newRow("at once, green") << "Am Markt 3: Kiosk (SG: 40%) Keine Ausbauten vorhanden" << "0"
                                        << QStringList{"Am Markt 3", "40 % / 0", keine, keine, "0", "---"} << true
                                        << false;
        QTest::newRow("marker") << "Weg 7: Bank (SG: 80%) [Laserwaffen]" << "7"
                                << QStringList{"Weg 7", "80 % / 1", "Normal", "Extrem", "8", "0 min 3 sec"} << false
                                << true;
        QTest::newRow("hideout line") << "Weg 500: Versteck (SG: 45%) [Fallgitter]" << "100"
                                      << QStringList{"Weg 500", "45 % / 1", "---", "---", "---", "33 min 23 sec"}
                                      << false << false;
        QTest::newRow("unreadable SG") << "Weg 90: Bank (SG: 45 %) [Fallgitter]" << "100"
                                       << QStringList{"Weg 90", "---", "---", "---", "---", "0 min 53 sec"} << false
                                       << false;
        // Markup in a report is text, never rendered.
        QTest::newRow("markup in the address") << "Weg <b>1</b>: Bank (SG: 5%) [x]" << "0"
                                               << QStringList{"Weg <b>1</b>", "5 % / 1", keine, keine, "0", "---"}
                                               << true << false;
        QTest::newRow("empty list, no hideout") << "" << "0"
                                                << QStringList{"---", "---", "---", "---", "---", "---"} << false
                                                << false;
    }

    void buildingInfo()
    {
        QFETCH(QString, line);
        QFETCH(QString, hideout);
        QFETCH(QStringList, texts);
        QFETCH(bool, greenRiots);
        QFETCH(bool, markerShown);
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        setHideout(w, hideout);
        w.list().memo().setText(line.isEmpty() ? QString() : text({kJunk, line, kBank}));
        // The previous evaluation's colour and marker must not stay.
        control<QLabel>(w, "marker")->show();
        for (QLabel *label : {control<QLabel>(w, "InfoRandale"), control<QLabel>(w, "HintRandale")}) {
            QPalette green = label->palette();
            green.setColor(QPalette::WindowText, kGreen);
            label->setPalette(green);
        }
        w.list().ShowBuildingInfo();
        QStringList shown;
        for (QLabel *label : {control<QLabel>(w, "InfoGeb"), control<QLabel>(w, "InfoSG"), control<QLabel>(w, "InfoRandale"), control<QLabel>(w, "HintRandale"), control<QLabel>(w, "InfoUeberfall"), control<QLabel>(w, "Fussweg")})
            shown << test::shownText(label);
        QCOMPARE(shown, texts);
        QCOMPARE(colorOf(control<QLabel>(w, "InfoRandale")), greenRiots ? kGreen : kBlack);
        QCOMPARE(colorOf(control<QLabel>(w, "HintRandale")), greenRiots ? kGreen : kBlack);
        QCOMPARE(!control<QLabel>(w, "marker")->isHidden(), markerShown);
        QVERIFY(fakes.messageBoxes.shown.isEmpty());
    }

    void buildingInfoConversionError()
    {
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        setHideout(w, QStringLiteral("100"));
        control<QLabel>(w, "Fussweg")->setText(QStringLiteral("previous"));
        w.list().memo().setText(text({kBad}));
        trigger(w, "Aktualisieren1");
        QCOMPARE(fakes.messageBoxes.lastText(), QStringLiteral("'12a' ist kein gültiger Integerwert"));
        QCOMPARE(control<QLabel>(w, "InfoGeb")->text(), QStringLiteral("Lindenallee 12a"));
        QCOMPARE(control<QLabel>(w, "InfoRandale")->text(), QStringLiteral("Leichte Schulter"));
        QCOMPARE(control<QLabel>(w, "Fussweg")->text(), QStringLiteral("previous"));
        QCOMPARE(fakes.clipboard.writes, 0);
    }

    // With a hideout entered, a list that is or becomes empty shows the empty
    // Info page, and the command runs to its end.
    void emptyListWithHideout_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("command");
        QTest::newRow("last building deleted") << QStringList{kBank} << "AktuelleZeilelschen1";
        QTest::newRow("F5") << QStringList{} << "Aktualisieren1";
        QTest::newRow("copy house number") << QStringList{} << "N1Hausnummerkopieren1";
        QTest::newRow("file without valid lines") << QStringList{kBank} << "Dateiffnen1";
    }
    void emptyListWithHideout()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, command);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("leer.txt"));
        QFile junk(file);
        QVERIFY(junk.open(QIODevice::WriteOnly) && junk.write("Spionagebericht\r\nkeine Zeile\r\n") > 0);
        junk.close();
        test::FakePlatform fakes;
        fakes.fileDialogs.openAnswers.push_back(file);
        TfrmMain w(fakes.platform());
        setHideout(w, QStringLiteral("100"));
        w.list().memo().setText(text(lines));
        if (!lines.isEmpty())
            w.list().ShowBuildingInfo(); // the walk time of the building shown before
        w.list().UpdateProtectionMoney();
        w.findChild<QAction *>(command)->trigger();
        QCOMPARE(fakes.messageBoxes.lastText(), QString());
        QVERIFY(w.list().memo().isEmpty());
        QCOMPARE((QStringList{control<QLabel>(w, "InfoGeb")->text(), control<QLabel>(w, "InfoSG")->text(), control<QLabel>(w, "InfoRandale")->text(), control<QLabel>(w, "HintRandale")->text(),
                              control<QLabel>(w, "InfoUeberfall")->text(), control<QLabel>(w, "Fussweg")->text()}),
                 QStringList(6, QStringLiteral("---")));
        QCOMPARE(control<QLabel>(w, "Schutzgeld")->text(), QStringLiteral("0 €"));
        if (command == u"Dateiffnen1") {
            QVERIFY(!w.list().isModified());
            QCOMPARE(w.windowTitle(), QStringLiteral("Veltrix Professional by Morwen - Version 1.61 - ") + QDir::toNativeSeparators(file));
        }
    }

    void cleanListInPlace()
    {
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        w.list().memo().setText(text({kJunk, kBank, QString(), kKiosk, kJunk, kFabrik, kFabrik}));
        int changes = 0;
        connect(control<QPlainTextEdit>(w, "Memo1"), &QPlainTextEdit::textChanged, this, [&changes] { ++changes; });
        w.list().CleanList();
        QCOMPARE(control<QPlainTextEdit>(w, "Memo1")->toPlainText(), text({kBank, kKiosk, kFabrik, kFabrik}));
        QCOMPARE(changes, 1);
        QCOMPARE(control<QLabel>(w, "Label4")->text(), QStringLiteral("4"));
        // Most lines invalid, and a text without a final break, take the full write.
        w.list().memo().setText(text({kJunk, kJunk, kJunk, kBank}));
        w.list().CleanList();
        QCOMPARE(control<QPlainTextEdit>(w, "Memo1")->toPlainText(), text({kBank}));
        control<QPlainTextEdit>(w, "Memo1")->setPlainText(kJunk + QLatin1Char('\n') + kKiosk);
        w.list().CleanList();
        QCOMPARE(control<QPlainTextEdit>(w, "Memo1")->toPlainText(), text({kKiosk}));
    }

    void infoCaptions()
    {
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        QStringList captions;
        for (const QLabel *label : control<QGroupBox>(w, "GroupGebaeudeeigenschaften")->findChildren<QLabel *>())
            captions << label->text();
        for (const char *caption : {"SG / Fallen:", "benötigte Randale vor Übernahme:",
                                    "empfohlene Randale vor Übernahme:", "benötigte Überfälle vor Übernahme: ",
                                    "Fussweg: ", "!"})
            QVERIFY2(captions.contains(QString::fromUtf8(caption)), caption);
        QCOMPARE(control<QGroupBox>(w, "GroupGebaeudeeigenschaften")->title(), QStringLiteral("Gebäudeeigenschaften"));
        QVERIFY(control<QLabel>(w, "marker")->isHidden());
        for (const QLabel *field : {control<QLabel>(w, "InfoGeb"), control<QLabel>(w, "InfoSG"), control<QLabel>(w, "InfoRandale"), control<QLabel>(w, "HintRandale"), control<QLabel>(w, "InfoUeberfall"), control<QLabel>(w, "Fussweg")})
            QCOMPARE(field->text(), QStringLiteral("---"));
    }
};

QTEST_MAIN(TestLineCommands)
#include "tst_linecommands.moc"
