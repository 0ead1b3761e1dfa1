#include "core/advisors.h"
#include "support/fakeplatform.h"
#include "ui/mainfrm.h"
#include "ui/statusfenster.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace veltrix;

namespace {

const QString kBank = QStringLiteral("Lindenallee 117: Bank (SG: 45%) [Fallgitter]");
const QString kKiosk = QStringLiteral("Am Alten Markt 7a: Kiosk (SG: 100%) Keine Ausbauten vorhanden");
const QString kStation = QStringLiteral("Bahnhofstr.: Kiosk (SG: 30%) Keine Ausbauten vorhanden");

struct Windows {
    test::FakePlatform fakes;
    std::unique_ptr<TfrmMain> main;
    std::unique_ptr<TfrmStatus> status;

    Windows()
    {
        main = std::make_unique<TfrmMain>(fakes.platform());
        status = std::make_unique<TfrmStatus>(*main, fakes.platform());
        TfrmMain::Companions c;
        c.status = status.get();
        main->setCompanions(c);
        main->show();
        main->activateWindow();
    }

    void open(const QString &text)
    {
        main->memo().setText(text);
        main->Statusfenster1->trigger();
        QVERIFY(QTest::qWaitForWindowExposed(status.get()));
        QCoreApplication::processEvents();
    }
};

} // namespace

class TestStatusfenster : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        qputenv("VELTRIX_INI", m_dir.filePath(QStringLiteral("veltrix.ini")).toLocal8Bit());
    }

    void layout()
    {
        Windows w;
        TfrmStatus &s = *w.status;
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(s.pos(), QPoint(screen.width() - s.frameGeometry().width() - 20, 1));
        w.open(QString());
        QCOMPARE(s.windowTitle(), QStringLiteral("Statusfenster"));
        QCOMPARE(s.centralWidget()->size(), QSize(849, 52));
        QCOMPARE(s.Memo1->geometry(), s.centralWidget()->rect());
        QVERIFY(!s.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(s.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));

        const QList<QAction *> bar = s.menuBar()->actions();
        QStringList captions;
        for (QAction *a : bar)
            captions << a->text();
        QCOMPARE(captions, (QStringList{"Datei", "1. &Zeile löschen", "1. &Hausnummer kopieren", "zurück zum Hauptfenster",
                                        "Gebs remaining: 0", "", ""}));
        QCOMPARE(bar[4], s.Gebs1);
        QCOMPARE(bar[5], s.Randale);
        QCOMPARE(bar[6], s.Ueberfall);
        for (QAction *display : {s.Gebs1, s.Randale, s.Ueberfall})
            QVERIFY(!display->isEnabled());
        const QList<QAction *> file = s.Datei1->actions();
        QCOMPARE(file.size(), 3);
        QCOMPARE(file[0]->text(), QStringLiteral("Always On Top"));
        QCOMPARE(file[0]->shortcut(), QKeySequence(QStringLiteral("Ctrl+F1")));
        QVERIFY(file[0]->isCheckable());
        QVERIFY(file[1]->isSeparator());
        QCOMPARE(file[2]->text(), QStringLiteral("&Alles markieren"));
        QCOMPARE(file[2]->shortcut(), QKeySequence(QStringLiteral("Ctrl+A")));
        for (const char *name : {"Memo1", "MainMenu1", "Datei1", "AlwaysOnTop1", "Allesmarkieren1", "N1Zeilelschen1",
                                 "Kopieren1", "Schlieen1", "Gebs1", "Randale", "Ueberfall", "ToFront"})
            QVERIFY2(s.findChild<QObject *>(QString::fromLatin1(name)), name);
        QVERIFY(!s.ToFront->isActive());
    }

    void resizeKeepsTheTextAreaFilling()
    {
        Windows w;
        w.open(QString());
        w.status->resize(600, 200);
        QTRY_COMPARE(w.status->centralWidget()->width(), 600);
        QCOMPARE(w.status->Memo1->geometry(), w.status->centralWidget()->rect());
        QVERIFY(w.status->Memo1->height() > 100);
    }

    void openWithEmptyList()
    {
        Windows w;
        w.open(QString());
        QVERIFY(w.status->isVisible());
        QVERIFY(!w.main->isVisible());
        QVERIFY(w.status->memo().isEmpty());
        QCOMPARE(w.status->Gebs1->text(), QStringLiteral("Gebs remaining: 0"));
        QVERIFY(w.status->Randale->text().isEmpty());
    }

    void openMovesTheCleanedList()
    {
        Windows w;
        w.open(kBank + QStringLiteral("\nkeine Zeile\n") + kKiosk + QStringLiteral("\n"));
        QCOMPARE(w.status->memo().lines(), (QStringList{kBank, kKiosk}));
        QCOMPARE(w.status->Gebs1->text(), QStringLiteral("Gebs remaining: 2"));
        QVERIFY(w.main->memo().isEmpty());
    }

    void closeHandsBackTheEditedList_data()
    {
        QTest::addColumn<bool>("byMenu");
        QTest::newRow("zurück zum Hauptfenster") << true;
        QTest::newRow("close box") << false;
    }
    void closeHandsBackTheEditedList()
    {
        QFETCH(bool, byMenu);
        Windows w;
        w.open(kBank + QStringLiteral("\n"));
        w.status->Memo1->setFocus();
        w.status->memo().caretToStart();
        QTest::keyClicks(w.status->Memo1, QStringLiteral("Neu 1: Kiosk"));
        QTest::keyClick(w.status->Memo1, Qt::Key_Return);
        QCOMPARE(w.status->Gebs1->text(), QStringLiteral("Gebs remaining: 2"));
        if (byMenu)
            w.status->Schlieen1->trigger();
        else
            w.status->close();
        QCOMPARE(w.main->memo().lines(), (QStringList{QStringLiteral("Neu 1: Kiosk"), kBank}));
        QVERIFY(w.status->memo().isEmpty());
        QVERIFY(!w.status->isVisible());
        QVERIFY(w.main->isVisible());
    }

    void alwaysOnTopMovesWithTheList()
    {
        Windows w;
        w.main->AlwaysOnTop1->trigger();
        QVERIFY(isStayOnTop(w.main.get()));
        w.open(kBank);
        QTRY_VERIFY(w.status->AlwaysOnTop1->isChecked());
        QVERIFY(isStayOnTop(w.status.get()));
        QVERIFY(w.status->ToFront->isActive());
        QVERIFY(!w.main->AlwaysOnTop1->isChecked());
        QVERIFY(!isStayOnTop(w.main.get()));
        QVERIFY(!w.main->ToFront->isActive());

        w.status->close();
        QVERIFY(w.main->AlwaysOnTop1->isChecked());
        QVERIFY(isStayOnTop(w.main.get()));
        QVERIFY(!w.status->AlwaysOnTop1->isChecked());
        QVERIFY(!isStayOnTop(w.status.get()));
        QVERIFY(!w.status->ToFront->isActive());
    }

    void alwaysOnTopSwitchedOffInTheStatusWindow()
    {
        Windows w;
        w.main->AlwaysOnTop1->trigger();
        w.open(kBank);
        QTRY_VERIFY(w.status->AlwaysOnTop1->isChecked());
        w.status->AlwaysOnTop1->trigger();
        QVERIFY(!isStayOnTop(w.status.get()));
        QVERIFY(!w.status->ToFront->isActive());
        w.status->close();
        QVERIFY(!w.main->AlwaysOnTop1->isChecked());
        QVERIFY(!isStayOnTop(w.main.get()));
        // And on again, inside the status window alone.
        w.open(kBank);
        w.status->AlwaysOnTop1->trigger();
        QVERIFY(isStayOnTop(w.status.get()));
        QVERIFY(w.status->ToFront->isActive());
    }

    void deleteFirstLine_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QString>("copied"); // empty: nothing copied
        QTest::newRow("two lines") << QStringList{kBank, kKiosk} << QStringList{kKiosk} << "7a";
        QTest::newRow("one line") << QStringList{kBank} << QStringList{} << "";
        QTest::newRow("empty list") << QStringList{} << QStringList{} << "";
        QTest::newRow("no blank before colon") << QStringList{kBank, kStation} << QStringList{kStation} << "Bahnhofstr.";
        QTest::newRow("no colon") << QStringList{kBank, "ohne Doppelpunkt"} << QStringList{"ohne Doppelpunkt"} << "";
    }
    void deleteFirstLine()
    {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, after);
        QFETCH(QString, copied);
        Windows w;
        w.open(QString());
        w.status->memo().setLines(lines);
        w.fakes.clipboard.setText(QStringLiteral("vorher"));
        w.fakes.clipboard.writes = 0;
        w.status->N1Zeilelschen1->trigger();
        QCOMPARE(w.status->memo().lines(), after);
        QCOMPARE(w.status->Gebs1->text(), QStringLiteral("Gebs remaining: %1").arg(after.size()));
        QCOMPARE(w.fakes.clipboard.text(), copied.isEmpty() ? QStringLiteral("vorher") : copied);
        QCOMPARE(w.fakes.clipboard.writes, copied.isEmpty() ? 0 : 1);
        if (!copied.isEmpty()) {
            QCOMPARE(w.status->Memo1->textCursor().selectedText(), copied);
        }
        const QString first = after.value(0);
        QCOMPARE(w.status->Randale->text(), QStringLiteral("Randale:") + requiredRiots(first));
        QCOMPARE(w.status->Ueberfall->text(), QStringLiteral("Überfall:") + requiredRobberies(first));
        QVERIFY(!w.main->undoCopy().contains(kBank));
    }

    void copyHouseNumber_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("copied");
        QTest::addColumn<int>("start");
        QTest::newRow("street and number") << QStringLiteral("Hauptstraße 12: Kiosk (SG: 40%) [Fallgitter]") << "12" << 12;
        QTest::newRow("several words") << kKiosk << "7a" << 15;
        QTest::newRow("no blank before colon") << kStation << "Bahnhofstr." << 0;
        QTest::newRow("colon first") << QStringLiteral(":Kiosk") << "" << 0;
    }
    void copyHouseNumber()
    {
        QFETCH(QString, line);
        QFETCH(QString, copied);
        QFETCH(int, start);
        Windows w;
        w.open(QString());
        w.status->memo().setLines({line, kBank});
        w.status->Kopieren1->trigger();
        QCOMPARE(w.fakes.clipboard.text(), copied);
        QCOMPARE(w.status->memo().selStart(), qsizetype(start));
        QCOMPARE(w.status->memo().selLength(), copied.size());
        QCOMPARE(w.status->memo().lines().size(), 2);
        QCOMPARE(w.status->Randale->text(), QStringLiteral("R:") + requiredRiots(line));
        QCOMPARE(w.status->Ueberfall->text(), QStringLiteral("Ü:") + requiredRobberies(line));
    }

    void selectAll()
    {
        Windows w;
        w.open(kBank + QStringLiteral("\n") + kKiosk + QStringLiteral("\n"));
        w.status->Allesmarkieren1->trigger();
        QCOMPARE(w.status->memo().selStart(), 0);
        QCOMPARE(w.status->memo().selLength(), kBank.size() + kKiosk.size() + 4);
    }

    // Ending the program while the status window holds the list: the list
    // goes back first, is asked about and saved whole.
    void endingWhileTheStatusWindowHoldsTheList()
    {
        const QString report = m_dir.filePath(QStringLiteral("bericht.txt"));
        Windows w;
        w.main->memo().setText(kBank + QStringLiteral("\n"));
        w.fakes.fileDialogs.saveAnswers.push_back(report);
        w.main->Dateispeichern1->trigger();
        w.open(w.main->Memo1->toPlainText());
        QVERIFY(w.main->memo().isEmpty());
        w.status->memo().appendLine(kKiosk);

        w.fakes.messageBoxes.answers.push_back(MsgResult::Yes);
        w.main->close();
        QCOMPARE(w.fakes.messageBoxes.shown.size(), 1);
        QCOMPARE(w.fakes.messageBoxes.lastText(), QStringLiteral("Wollen Sie die Änderungen speichern?"));
        QFile f(report);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromLatin1(f.readAll()), kBank + QStringLiteral("\r\n") + kKiosk + QStringLiteral("\r\n"));
        QVERIFY(!w.status->isVisible());
        QVERIFY(!w.main->isVisible());
    }
};

QTEST_MAIN(TestStatusfenster)
#include "tst_statusfenster.moc"
