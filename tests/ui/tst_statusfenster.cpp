#include "core/advisors.h"
#include "support/controls.h"
#include "support/designedfont.h"
#include "support/mergesamples.h"
#include "support/statusfixture.h"
#include "ui/SGrechner.h"
#include "ui/geturl.h"
#include "ui/stayontop.h"

#include <QAction>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace veltrix;
using namespace veltrix::test;

namespace {

const QString kBank = QStringLiteral("Lindenallee 117: Bank (SG: 45%) [Fallgitter]");
const QString kKiosk = QStringLiteral("Am Alten Markt 7a: Kiosk (SG: 100%) Keine Ausbauten vorhanden");
// The merge samples' bank spied again with riots of another level.
const QString kBankSpiedAgain = QStringLiteral("Lindenallee 117: Bank (SG: 61%) [Fallgitter, Nagelbrett]");

struct Windows : test::MainAndStatus {
    Windows() { main->show(); }
    void open(const QString &text)
    {
        main->list().memo().setText(text);
        trigger(*main, "Statusfenster1");
        QVERIFY(QTest::qWaitForWindowExposed(status.get()));
        QCoreApplication::processEvents();
    }
};

} // namespace

class TestStatusfenster : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase() { useDesignedFont(); }
    void layout()
    {
        Windows w;
        TfrmStatus &s = *w.status;
        const int screenWidth = QGuiApplication::primaryScreen()->geometry().width();
        QCOMPARE(s.pos(), QPoint(screenWidth - s.frameGeometry().width() - 20, 1));
        w.open(QString());
        QCOMPARE(s.windowTitle(), QStringLiteral("Statusfenster"));
        QCOMPARE(s.centralWidget()->size(), QSize(849, 52));
        QCOMPARE(control<QPlainTextEdit>(s, "Memo1")->geometry(), s.centralWidget()->rect());
        QVERIFY(!s.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QStringList captions;
        for (QAction *a : s.menuBar()->actions() + control<QMenu>(s, "Datei1")->actions())
            captions << a->text() + (a->isEnabled() ? "" : " (aus)") + (a->shortcut().isEmpty() ? "" : " " + a->shortcut().toString());
        QCOMPARE(captions, (QStringList{"Datei", "1. &Zeile löschen", "1. &Hausnummer kopieren", "zurück zum Hauptfenster",
                                        "Gebs remaining: 0 (aus)", " (aus)", " (aus)", "Always On Top Ctrl+F1", "",
                                        "&Alles markieren Ctrl+A"}));
        QVERIFY(control<QAction>(s, "AlwaysOnTop1")->isCheckable() && !control<QTimer>(s, "ToFront")->isActive());
        s.resize(600, 200);
        QTRY_COMPARE(s.centralWidget()->width(), 600);
        QCOMPARE(control<QPlainTextEdit>(s, "Memo1")->geometry(), s.centralWidget()->rect());
    }

    void openTakesTheCleanedList_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << QString() << QStringList();
        QTest::newRow("with an invalid line") << kBank + "\nkeine Zeile\n" + kKiosk << QStringList{kBank, kKiosk};
    }
    void openTakesTheCleanedList()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        Windows w;
        w.open(text);
        QVERIFY(w.status->isVisible() && !w.main->isVisible());
        QCOMPARE(w.statusList().lines(), lines);
        QCOMPARE(control<QAction>(*w.status, "Gebs1")->text(), QStringLiteral("Gebs remaining: %1").arg(lines.size()));
        QVERIFY(MemoLines(control<QPlainTextEdit>(*w.main, "Memo1")).isEmpty());
        QVERIFY(control<QAction>(*w.status, "Randale")->text().isEmpty());
    }

    void closeHandsBackTheEditedList()
    {
        Windows w;
        w.open(kBank);
        control<QPlainTextEdit>(*w.status, "Memo1")->setFocus();
        QTest::keyClicks(control<QPlainTextEdit>(*w.status, "Memo1"), QStringLiteral("Neu 1: Kiosk"));
        QTest::keyClick(control<QPlainTextEdit>(*w.status, "Memo1"), Qt::Key_Return);
        QCOMPARE(control<QAction>(*w.status, "Gebs1")->text(), QStringLiteral("Gebs remaining: 2"));
        trigger(*w.status, "Schlieen1");
        QCOMPARE(w.main->list().memo().lines(), (QStringList{QStringLiteral("Neu 1: Kiosk"), kBank}));
        QVERIFY(w.statusList().isEmpty() && !w.status->isVisible() && w.main->isVisible());
    }

    // The round trip raises a change (and so the save question) only when a
    // list went there and back.
    void roundTripMarksOnlyAMovedList_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("changed");
        QTest::newRow("empty list") << QString() << false;
        QTest::newRow("one building") << kBank << true;
    }
    void roundTripMarksOnlyAMovedList()
    {
        QFETCH(QString, text);
        QFETCH(bool, changed);
        Windows w;
        w.main->list().memo().setText(text);
        w.main->list().setModified(false);
        int changes = 0;
        connect(control<QPlainTextEdit>(*w.main, "Memo1"), &QPlainTextEdit::textChanged, this, [&changes] { ++changes; });
        w.open(text);
        trigger(*w.status, "Schlieen1");
        QVERIFY(w.main->isVisible());
        QCOMPARE(changes > 0, changed);
        QCOMPARE(w.main->list().isModified(), changed);
        QCOMPARE(w.main->windowTitle().endsWith(QStringLiteral(" *")), changed);
    }

    // What writes to the list while the status window holds it reaches the
    // list there and comes back with it; "Rückgängig" then brings back the
    // list from before. The main window stays hidden meanwhile.
    void writersReachTheLentList_data()
    {
        QTest::addColumn<QString>("writer");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QString>("riots"); // after "1. Hausnummer kopieren" and the write
        const QStringList merged{kBankSpiedAgain, kMergeKiosk, kMergeFabrik};
        QTest::newRow("fetched from a web address") << "fetch" << QStringList{kMergeFabrik} << "R:" + requiredRiots(kMergeFabrik);
        QTest::newRow("copied with the clipboard watch on") << "watch" << merged << "R:" + requiredRiots(kBankSpiedAgain);
        QTest::newRow("merged after the SG calculator let the main window go")
            << "sg calculator" << merged << "R:" + requiredRiots(kBankSpiedAgain);
    }
    void writersReachTheLentList()
    {
        QFETCH(QString, writer);
        QFETCH(QStringList, expected);
        QFETCH(QString, riots);
        const QStringList before{kMergeBank, kMergeKiosk};
        const QString report = kBankSpiedAgain + "\r\n" + kMergeFabrik + "\r\n";
        Windows w;
        TfrmgetURL getUrl(w.main->list(), w.main.get(), w.main->platform());
        TfrmSGr sgCalculator(w.main->platform(), [&w](bool visible) { w.main->stayOnTop().setMainVisible(visible); });
        control<QAction>(*w.main, "Zwischenablageueberwachen1")->setChecked(writer == "watch");
        getUrl.show(); // not modal: it stays open when the status window opens
        sgCalculator.show();
        w.open(before.join('\n'));
        trigger(*w.status, "Kopieren1");
        if (writer == "fetch") {
            w.fakes.http.responses.insert(QStringLiteral("http://www.example.test/bericht.txt"),
                                          {true, kMergeFabrik.toLatin1(), {}});
            control<QLineEdit>(getUrl, "URL1")->setText(QStringLiteral("http://www.example.test/bericht.txt"));
            click(getUrl, "Button1");
        } else if (writer == "watch") {
            w.fakes.clipboard.copyElsewhere(report);
        } else {
            sgCalculator.HideMainwindow1->trigger(); // ticked: hide
            sgCalculator.HideMainwindow1->trigger(); // unticked: show
            sgCalculator.close();
            QCoreApplication::processEvents();
            QVERIFY(!w.main->isVisible());
            w.fakes.clipboard.setText(report);
            trigger(*w.main, "Berichtabgleichen1");
        }
        QCOMPARE(w.statusList().lines(), expected);
        QCOMPARE(control<QAction>(*w.status, "Gebs1")->text(), QStringLiteral("Gebs remaining: %1").arg(expected.size()));
        QCOMPARE(control<QAction>(*w.status, "Randale")->text(), riots);
        QVERIFY(!w.main->isVisible() && MemoLines(control<QPlainTextEdit>(*w.main, "Memo1")).isEmpty());
        trigger(*w.status, "Schlieen1");
        QVERIFY(w.main->isVisible());
        QCOMPARE(w.main->list().memo().lines(), expected);
        QVERIFY(w.main->list().isModified());
        trigger(*w.main, "Rckgngig1");
        QCOMPARE(w.main->list().memo().lines(), before);
    }

    // Ticked while the list is away, "Hide Mainwindow" takes effect when it
    // comes back.
    void hiddenByTheSgCalculatorStaysHiddenOnReturn()
    {
        Windows w;
        TfrmSGr sgCalculator(w.main->platform(), [&w](bool visible) { w.main->stayOnTop().setMainVisible(visible); });
        sgCalculator.show();
        w.open(kBank);
        sgCalculator.HideMainwindow1->trigger();
        trigger(*w.status, "Schlieen1");
        QVERIFY(!w.main->isVisible() && !w.status->isVisible());
        QCOMPARE(w.main->list().memo().lines(), QStringList{kBank});
        sgCalculator.HideMainwindow1->trigger();
        QVERIFY(w.main->isVisible());
    }

    // The list outlives a status window destroyed while it holds it.
    void destroyedWhileHoldingTheListGivesItBack()
    {
        Windows w;
        w.open(kBank);
        w.status.reset();
        QCOMPARE(w.main->list().memo().lines(), QStringList{kBank});
        w.main->list().memo().appendLine(kKiosk);
        QCOMPARE(control<QPlainTextEdit>(*w.main, "Memo1")->toPlainText(), kBank + "\n" + kKiosk + "\n");
    }

    // The other way round: the status window keeps a text area of its own.
    void mainWindowDestroyedWhileTheStatusWindowHoldsTheList()
    {
        Windows w;
        w.open(kBank);
        auto *memo = control<QPlainTextEdit>(*w.status, "Memo1");
        w.main.reset();
        QVERIFY(memo->document());
        QCOMPARE(memo->toPlainText(), QString());
        memo->insertPlainText(kKiosk);
        trigger(*w.status, "N1Zeilelschen1"); // the list's commands went with it
        QCOMPARE(memo->toPlainText(), kKiosk);
        w.status.reset();
    }

    void alwaysOnTopMovesWithTheList_data()
    {
        QTest::addColumn<bool>("offInStatus");
        QTest::newRow("kept") << false;
        QTest::newRow("switched off in the status window") << true;
    }
    void alwaysOnTopMovesWithTheList()
    {
        QFETCH(bool, offInStatus);
        Windows w;
        trigger(*w.main, "AlwaysOnTop1");
        w.open(kBank);
        QTRY_VERIFY(control<QAction>(*w.status, "AlwaysOnTop1")->isChecked());
        QVERIFY(isStayOnTop(w.status.get()) && control<QTimer>(*w.status, "ToFront")->isActive());
        QVERIFY(!control<QAction>(*w.main, "AlwaysOnTop1")->isChecked() && !isStayOnTop(w.main.get()) && !control<QTimer>(*w.main, "ToFront")->isActive());
        if (offInStatus) {
            trigger(*w.status, "AlwaysOnTop1");
            QVERIFY(!isStayOnTop(w.status.get()) && !control<QTimer>(*w.status, "ToFront")->isActive());
        }
        w.status->close();
        QCOMPARE(control<QAction>(*w.main, "AlwaysOnTop1")->isChecked(), !offInStatus);
        QCOMPARE(isStayOnTop(w.main.get()), !offInStatus);
        QVERIFY(!control<QAction>(*w.status, "AlwaysOnTop1")->isChecked() && !isStayOnTop(w.status.get()) && !control<QTimer>(*w.status, "ToFront")->isActive());
    }

    void houseNumberCommands_data()
    {
        QTest::addColumn<bool>("deleteFirst");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("copied"); // empty: clipboard untouched
        QTest::addColumn<int>("selStart");
        QTest::newRow("delete, two lines") << true << QStringList{kBank, kKiosk} << "7a" << 15;
        QTest::newRow("delete, one line") << true << QStringList{kBank} << "" << 0;
        QTest::newRow("delete, no colon") << true << QStringList{kBank, "ohne Doppelpunkt"} << "" << 0;
        QTest::newRow("copy") << false << QStringList{QStringLiteral("Hauptstraße 12: Kiosk (SG: 40%)"), kBank} << "12" << 12;
        QTest::newRow("copy, empty list") << false << QStringList{} << "" << 0;
    }
    void houseNumberCommands()
    {
        QFETCH(bool, deleteFirst);
        QFETCH(QStringList, lines);
        QFETCH(QString, copied);
        QFETCH(int, selStart);
        Windows w;
        w.open(QString());
        w.statusList().setLines(lines);
        w.fakes.clipboard.setText(QStringLiteral("vorher"));
        (deleteFirst ? control<QAction>(*w.status, "N1Zeilelschen1") : control<QAction>(*w.status, "Kopieren1"))->trigger();
        if (deleteFirst)
            lines.removeFirst();
        QCOMPARE(w.statusList().lines(), lines);
        QCOMPARE(control<QAction>(*w.status, "Gebs1")->text(), QStringLiteral("Gebs remaining: %1").arg(lines.size()));
        QCOMPARE(w.fakes.clipboard.text(), copied.isEmpty() ? QStringLiteral("vorher") : copied);
        QCOMPARE(w.statusList().selStart(), qsizetype(selStart));
        QCOMPARE(w.statusList().selLength(), copied.size());
        const QString first = lines.value(0);
        QCOMPARE(control<QAction>(*w.status, "Randale")->text(), (deleteFirst ? "Randale:" : "R:") + requiredRiots(first));
        QCOMPARE(control<QAction>(*w.status, "Ueberfall")->text(), (deleteFirst ? "Überfall:" : "Ü:") + requiredRobberies(first));
    }

    void alarmFlashesTheShownWindow_data()
    {
        QTest::addColumn<bool>("statusOpen");
        QTest::newRow("main window") << false;
        QTest::newRow("status window holds the list") << true;
    }
    void alarmFlashesTheShownWindow()
    {
        QFETCH(bool, statusOpen);
        Windows w;
        if (statusOpen)
            w.open(kBank);
        control<QLineEdit>(*w.main, "TimerE")->setText(QStringLiteral("0:01"));
        click(*w.main, "Button6");
        QVERIFY(QMetaObject::invokeMethod(control<QTimer>(*w.main, "Timer1"), "timeout"));
        QCOMPARE(w.fakes.feedback.flashes, 1);
        QCOMPARE(w.fakes.feedback.flashed, statusOpen ? static_cast<QWidget *>(w.status.get()) : w.main.get());
    }

    // Ending the program while the status window holds the list: the list
    // comes back first, is asked about and saved whole.
    void endingWhileTheStatusWindowHoldsTheList()
    {
        const QString report = m_dir.filePath(QStringLiteral("bericht.txt"));
        Windows w;
        w.main->list().memo().setText(kBank);
        w.fakes.fileDialogs.saveAnswers.push_back(report);
        trigger(*w.main, "Dateispeichern1");
        w.open(control<QPlainTextEdit>(*w.main, "Memo1")->toPlainText());
        w.statusList().appendLine(kKiosk);
        w.main->close();
        QCOMPARE(w.boxes.lastText(), QStringLiteral("Wollen Sie die Änderungen speichern?"));
        QCOMPARE(QString::fromLatin1(test::fileBytes(report)), kBank + "\r\n" + kKiosk + "\r\n");
        QVERIFY(!w.status->isVisible() && !w.main->isVisible());
    }
};

QTEST_MAIN(TestStatusfenster)
#include "tst_statusfenster.moc"
