// Undo, the ten save slots and the SG recalculation commands in the real main window.
#include "core/lines.h"
#include "platform/qtplatform.h"
#include "support/fakeplatform.h"
#include "support/controls.h"
#include "ui/mainfrm.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <algorithm>

using namespace veltrix;
using namespace veltrix::test;

namespace {

const QString kBank45 = QStringLiteral("Lindenallee 117: Bank (SG: 45%) [Fallgitter]");
const QString kKiosk10 = QStringLiteral("Am Markt 3: Kiosk (SG: 10%) Keine Ausbauten vorhanden");
const QString kCasino90 = QStringLiteral("Zollstraße 12: Casino (SG: 90%) [Fallgitter, Nagelbrett]");
const QString kJunk = QStringLiteral("Seite 2 von 7");

QString text(const QStringList &lines)
{
    return joinLinesLf(lines);
}

} // namespace

class TestSnapshots : public QObject {
    Q_OBJECT

private slots:
    void undoRestoresListBeforeOperation_data()
    {
        QTest::addColumn<int>("operation");
        QTest::newRow("reordering operation") << 0;
        QTest::newRow("filtering operation") << 1;
        QTest::newRow("SG down") << 2;
        QTest::newRow("SG up") << 3;
        QTest::newRow("-5 %") << 4;
        QTest::newRow("Neu...") << 5;
    }
    void undoRestoresListBeforeOperation()
    {
        QFETCH(int, operation);
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        const QStringList before{kBank45, kKiosk10, kCasino90};
        w.list().memo().setLines(before);
        switch (operation) {
        case 0:
            w.list().runListOperation([](QStringList l) { std::reverse(l.begin(), l.end()); return l; },
                               ReportList::Finish::Ready);
            break;
        case 1:
            w.list().runListOperation([](QStringList l) { return QStringList{l.first()}; },
                               ReportList::Finish::ProtectionMoney);
            break;
        case 2: control<QPushButton>(w, "BitBtn6")->click(); break;
        case 3: control<QPushButton>(w, "BitBtn5")->click(); break;
        case 4: control<QPushButton>(w, "Button11")->click(); break;
        case 5: trigger(w, "Neu1"); break;
        }
        QVERIFY(w.list().memo().lines() != before);
        QVERIFY(control<QAction>(w, "Rckgngig1")->isEnabled());
        w.list().setModified(false);

        trigger(w, "Rckgngig1");
        QCOMPARE(control<QPlainTextEdit>(w, "Memo1")->toPlainText(), text(before));
        QVERIFY(!control<QAction>(w, "Rckgngig1")->isEnabled());
        QVERIFY(w.list().isModified());
        QVERIFY(w.windowTitle().endsWith(QStringLiteral(" *")));
        QCOMPARE(control<QLabel>(w, "Label4")->text(), QStringLiteral("3"));
        QCOMPARE(control<QLabel>(w, "Ansehen")->text(), QStringLiteral("15"));
        QCOMPARE(control<QLabel>(w, "Schutzgeld")->text(), QStringLiteral("2.480 €"));
        QCOMPARE(control<QLabel>(w, "Panel0")->text(), QStringLiteral("ready."));
        QVERIFY(fakes.messageBoxes.shown.isEmpty());

        // No second undo until the next save point.
        w.list().memo().setLines({kKiosk10});
        trigger(w, "Rckgngig1");
        QCOMPARE(w.list().memo().lines(), QStringList{kKiosk10});
    }

    void undoCleansAndDropsLeadingEmptyLine()
    {
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        w.list().memo().setText(QStringLiteral("\n") + kBank45 + QStringLiteral("\n") + kJunk + QStringLiteral("\n") + kKiosk10);
        w.list().CreateSafepoint();
        QCOMPARE(w.list().undoCopy(), (QStringList{QString(), kBank45, kJunk, kKiosk10}));
        w.list().memo().clear();
        trigger(w, "Rckgngig1");
        QCOMPARE(control<QPlainTextEdit>(w, "Memo1")->toPlainText(), text({kBank45, kKiosk10}));
        QCOMPARE(control<QLabel>(w, "Label4")->text(), QStringLiteral("2"));
        // The undo copy itself is kept as it was.
        QCOMPARE(w.list().undoCopy().size(), 4);
    }

    void undoOfUnchangedListStillMarksModified_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("filled") << QStringList{kBank45, kKiosk10};
        QTest::newRow("empty") << QStringList{};
    }
    void undoOfUnchangedListStillMarksModified()
    {
        QFETCH(QStringList, lines);
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        w.list().memo().setLines(lines);
        w.list().CreateSafepoint();
        w.list().setModified(false);
        trigger(w, "Rckgngig1");
        QCOMPARE(control<QPlainTextEdit>(w, "Memo1")->toPlainText(), text(lines));
        QVERIFY(w.list().isModified());
        QVERIFY(w.windowTitle().endsWith(QStringLiteral(" *")));
        QCOMPARE(control<QLabel>(w, "Schutzgeld")->text(), lines.isEmpty() ? QStringLiteral("0 €") : QStringLiteral("1.180 €"));
    }

    void saveAskBeforeEmptying()
    {
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        for (int k = 1; k <= 10; ++k) {
            QCOMPARE(control<QPushButton>(w, QStringLiteral("save%1").arg((k - 1) + 1))->text(), QStringLiteral("- - -"));
            QCOMPARE(control<QPushButton>(w, QStringLiteral("save%1").arg((k - 1) + 1))->objectName(), QStringLiteral("save%1").arg(k));
            QVERIFY(!control<QPushButton>(w, QStringLiteral("restore%1").arg((k - 1) + 1))->isEnabled());
        }
        w.list().memo().setLines({kBank45, kJunk});
        control<QPushButton>(w, "save3")->click();
        QCOMPARE(control<QPushButton>(w, "save3")->text(), QStringLiteral("07.12.2026 11:30:05"));
        QVERIFY(control<QPushButton>(w, "restore3")->isEnabled());
        w.list().memo().clear();
        control<QPushButton>(w, "restore3")->click();
        QCOMPARE(control<QPlainTextEdit>(w, "Memo1")->toPlainText(), text({kBank45, kJunk}));
        QVERIFY(fakes.messageBoxes.shown.isEmpty());
        QVERIFY(!control<QPushButton>(w, "restore2")->isEnabled());

        // No keeps the slot and its time stamp.
        fakes.clock.current = fakes.clock.current.addSecs(3600);
        fakes.messageBoxes.answers.push_back(MsgResult::No);
        control<QPushButton>(w, "save3")->click();
        QCOMPARE(fakes.messageBoxes.shown.size(), 1);
        const MessageRequest asked = fakes.messageBoxes.shown.first();
        QCOMPARE(asked.title, QStringLiteral("Hinweis"));
        QCOMPARE(asked.text, QStringLiteral("Safestate löschen?"));
        QCOMPARE(asked.buttons, MsgButtons::YesNo);
        QCOMPARE(control<QPushButton>(w, "save3")->text(), QStringLiteral("07.12.2026 11:30:05"));
        QVERIFY(control<QPushButton>(w, "restore3")->isEnabled());

        // Yes empties it; the next save takes a new stamp and the current list.
        fakes.messageBoxes.answers.push_back(MsgResult::Yes);
        control<QPushButton>(w, "save3")->click();
        QCOMPARE(control<QPushButton>(w, "save3")->text(), QStringLiteral("- - -"));
        QVERIFY(!control<QPushButton>(w, "restore3")->isEnabled());
        w.list().memo().setLines({kKiosk10});
        control<QPushButton>(w, "save3")->click();
        QCOMPARE(fakes.messageBoxes.shown.size(), 2);
        QCOMPARE(control<QPushButton>(w, "save3")->text(), QStringLiteral("07.12.2026 12:30:05"));
        w.list().memo().clear();
        control<QPushButton>(w, "restore3")->click();
        QCOMPARE(control<QPlainTextEdit>(w, "Memo1")->toPlainText(), text({kKiosk10}));
    }

    // The real clock's formats at a fixed moment: full year, seconds, no zone.
    void realClockCaption_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("caption");
        QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany) << "07.12.2026 11:30:05";
        QTest::newRow("de_CH") << QLocale(QLocale::German, QLocale::Switzerland) << "07.12.2026 11:30:05";
        QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates) << "12/7/2026 11:30:05 AM";
    }
    void realClockCaption()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, caption);
        struct StoppedClock : SystemClock {
            using SystemClock::SystemClock;
            QDateTime now() const override { return QDateTime(QDate(2026, 12, 7), QTime(11, 30, 5)); }
        } clock(locale);
        test::FakePlatform fakes;
        Platform p = fakes.platform();
        p.clock = &clock;
        TfrmMain w(p);
        control<QPushButton>(w, "save1")->click();
        QCOMPARE(control<QPushButton>(w, "save1")->text(), caption);
    }

    void restoreBringsSlotBackUncleaned()
    {
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        const QStringList saved{kBank45, kJunk, kCasino90};
        w.list().memo().setLines(saved);
        control<QPushButton>(w, "save10")->click();
        w.list().runListOperation([](QStringList l) { return QStringList{l.first()}; }, ReportList::Finish::ProtectionMoney);
        const QStringList undoBefore = w.list().undoCopy();
        w.list().setModified(false);

        control<QPushButton>(w, "restore10")->click();
        QCOMPARE(control<QPlainTextEdit>(w, "Memo1")->toPlainText(), text(saved));
        QVERIFY(w.list().isModified());
        QVERIFY(w.windowTitle().endsWith(QStringLiteral(" *")));
        QCOMPARE(control<QLabel>(w, "Label4")->text(), QStringLiteral("3"));
        QCOMPARE(control<QLabel>(w, "Schutzgeld")->text(), QStringLiteral("2.400 €"));
        QCOMPARE(w.list().undoCopy(), undoBefore);
        QVERIFY(control<QPushButton>(w, "restore10")->isEnabled());

        // Restoring an equal list still marks it modified.
        w.list().setModified(false);
        control<QPushButton>(w, "restore10")->click();
        QVERIFY(w.list().isModified());

        // Undo after a restore goes back to before the last list operation.
        w.list().memo().clear();
        trigger(w, "Rckgngig1");
        QCOMPARE(w.list().memo().lines(), (QStringList{kBank45, kCasino90}));
    }

    void restoreOfEmptySavedList()
    {
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        control<QPushButton>(w, "save1")->click();
        QVERIFY(control<QPushButton>(w, "restore1")->isEnabled());
        w.list().memo().setLines({kBank45});
        control<QPushButton>(w, "restore1")->click();
        QVERIFY(w.list().memo().isEmpty());
        QCOMPARE(control<QLabel>(w, "Label4")->text(), QStringLiteral("0"));
        QCOMPARE(control<QLabel>(w, "Schutzgeld")->text(), QStringLiteral("0 €"));
    }

    void shiftCommands_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("step");
        QTest::addColumn<QStringList>("expected");
        const QStringList trapped60{QStringLiteral("A 1: Bank (SG: 60%) [Fallgitter]")};
        QTest::newRow("up 25") << "BitBtn5" << "25"
                               << QStringList{QStringLiteral("Lindenallee 117: Bank (SG: 70%) [Fallgitter]"),
                                              QStringLiteral("Am Markt 3: Kiosk (SG: 35%) Keine Ausbauten vorhanden"),
                                              QStringLiteral("Zollstraße 12: Casino (SG: 100%) [Fallgitter, Nagelbrett]")};
        QTest::newRow("down 25") << "BitBtn6" << "25"
                                 << QStringList{kBank45, QStringLiteral("Am Markt 3: Kiosk (SG: 0%) Keine Ausbauten vorhanden"),
                                                QStringLiteral("Zollstraße 12: Casino (SG: 65%) [Fallgitter, Nagelbrett]")};
        QTest::newRow("down -10 raises") << "BitBtn6" << "-10"
                                         << QStringList{kBank45, QStringLiteral("Am Markt 3: Kiosk (SG: 20%) Keine Ausbauten vorhanden"),
                                                        QStringLiteral("Zollstraße 12: Casino (SG: 100%) [Fallgitter, Nagelbrett]")};
        QTest::newRow("up -10 lowers") << "BitBtn5" << "-10"
                                       << QStringList{QStringLiteral("Lindenallee 117: Bank (SG: 35%) [Fallgitter]"),
                                                      QStringLiteral("Am Markt 3: Kiosk (SG: 0%) Keine Ausbauten vorhanden"),
                                                      QStringLiteral("Zollstraße 12: Casino (SG: 80%) [Fallgitter, Nagelbrett]")};
        QTest::newRow("down by 32-bit minimum") << "BitBtn6" << "-2147483648"
                                                << QStringList{kBank45, QStringLiteral("Am Markt 3: Kiosk (SG: 100%) Keine Ausbauten vorhanden"),
                                                               QStringLiteral("Zollstraße 12: Casino (SG: 100%) [Fallgitter, Nagelbrett]")};
        QTest::newRow("-5 % first line only") << "Button11" << "25"
                                              << QStringList{QStringLiteral("Lindenallee 117: Bank (SG: 40%) [Fallgitter]"),
                                                             kKiosk10, kCasino90};
    }
    void shiftCommands()
    {
        QFETCH(QString, button);
        QFETCH(QString, step);
        QFETCH(QStringList, expected);
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        w.list().memo().setLines({kJunk, kBank45, kKiosk10, kCasino90});
        control<QLineEdit>(w, "SGdown")->setText(step);
        w.findChild<QPushButton *>(button)->click();
        QVERIFY(fakes.messageBoxes.shown.isEmpty());
        QCOMPARE(w.list().memo().lines(), expected);
        // Cleaned before the save point: undo brings back the valid lines.
        QCOMPARE(w.list().undoCopy(), (QStringList{kBank45, kKiosk10, kCasino90}));
        // "-5 %" ends with the house-number copy, which selects "117".
        const bool copiesNumber = button == u"Button11";
        QCOMPARE(w.list().memo().selStart(), copiesNumber ? 12 : 0);
        QCOMPARE(w.list().memo().selLength(), copiesNumber ? 3 : 0);
        if (copiesNumber)
            QCOMPARE(fakes.clipboard.text(), QStringLiteral("117"));
    }

    void shiftWithBadStepReportsError()
    {
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        w.list().memo().setLines({kBank45});
        control<QLineEdit>(w, "SGdown")->setText(QStringLiteral("abc"));
        control<QPushButton>(w, "BitBtn5")->click();
        QCOMPARE(fakes.messageBoxes.lastText(), QStringLiteral("'abc' ist kein gültiger Integerwert"));
        QCOMPARE(w.list().memo().lines(), QStringList{kBank45});
    }
};

QTEST_MAIN(TestSnapshots)
#include "tst_snapshots.moc"
