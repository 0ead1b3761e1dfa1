#include "core/error.h"
#include "support/fakeplatform.h"
#include "support/controls.h"
#include "support/designedfont.h"
#include "ui/mainfrm.h"

#include <QtTest>
#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QListWidget>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>

#include <new>
#include <stdexcept>

using namespace veltrix;
using namespace veltrix::test;

namespace {

const QString kBank = QStringLiteral("Lindenallee 117: Bank (SG: 45%)");

// A press on the panel's own border, where no page lies, slides the sidebar.
void slideSidebar(TfrmMain &w)
{
    QTest::mouseClick(control<QFrame>(w, "sidebar"), Qt::LeftButton, {}, QPoint(1, 1));
}

bool sidebarCollapsed(TfrmMain &w)
{
    return control<QFrame>(w, "sidebar")->x() > w.centralWidget()->width() - 293;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

    test::FakePlatform fakes;
    std::unique_ptr<TfrmMain> w;

private slots:
    void initTestCase() { useDesignedFont(); }
    void init()
    {
        fakes = {};
        w = std::make_unique<TfrmMain>(fakes.platform());
    }
    void cleanup() { w.reset(); }

    void menuStructure_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shortcut");
        QTest::newRow("open") << "Dateiffnen1" << "Datei öffnen..." << "Ctrl+Alt+O";
        QTest::newRow("save") << "Dateispeichern1" << "Datei speichern..." << "Ctrl+S";
        QTest::newRow("append") << "Berichtanfgen1" << "Bericht anfügen..." << "Ctrl+B";
        QTest::newRow("url") << "URLffnen1" << "URL öffnen..." << "Ctrl+U";
        QTest::newRow("on top") << "AlwaysOnTop1" << "Always On Top" << "Ctrl+F1";
        QTest::newRow("clear") << "Alleslschen1" << "&Alles löschen" << "Ctrl+D";
        QTest::newRow("select all") << "Allesmarkieren1" << "Alles markieren" << "Ctrl+A";
        QTest::newRow("last line") << "letzteZeilelschen1" << "letzte Zeile löschen" << "Ctrl+L";
        QTest::newRow("refresh") << "Aktualisieren1" << "Aktualisieren" << "F5";
        QTest::newRow("find") << "Suchen1" << "Suchen..." << "Ctrl+F";
        QTest::newRow("merge") << "Berichtabgleichen1" << "Bericht abgleichen" << "Ctrl+Shift+V";
        QTest::newRow("export") << "Exportieren1" << "Exportieren..." << "";
        QTest::newRow("copy bbcode") << "AlsBBCodekopieren1" << "Als BBCode kopieren" << "";
        QTest::newRow("colours") << "Zeileneinfaerben1" << "Zeilen einfärben" << "";
        QTest::newRow("sg order") << "Strasse1" << "Sicherheitsgefühl (aufsteigend)" << "Ctrl+I";
        QTest::newRow("street order") << "Strasse2" << "Strasse (aufsteigend)" << "Ctrl+T";
        QTest::newRow("number desc") << "Strasseabsteigend1" << "Hausnummer (absteigend)" << "Ctrl+H";
        QTest::newRow("number asc") << "Hausnummeraufsteigend1" << "Hausnummer (aufsteigend)" << "";
        QTest::newRow("type order") << "Gebude1" << "Gebäudetyp (€ absteigend)" << "Ctrl+G";
        QTest::newRow("distance") << "Versteckaufsteigend1" << "Entfernung zum Versteck" << "Ctrl+Alt+V";
        QTest::newRow("traps") << "AnzahlvFallenaufsteigend1" << "Anzahl d. Fallen (aufsteigend)" << "";
        QTest::newRow("900") << "Gebs10001" << "Gebs >= 900 €" << "Ctrl+Alt+I";
        QTest::newRow("500") << "Gebs5001" << "Gebs >= 500 €" << "Ctrl+Alt+J";
        QTest::newRow("market") << "Marktgebude1" << "Marktgebäude" << "Ctrl+Alt+M";
        QTest::newRow("delete first") << "AktuelleZeilelschen1" << "1. &Zeile löschen" << "";
        QTest::newRow("copy number") << "N1Hausnummerkopieren1" << "1. &Hausnummer kopieren" << "";
        QTest::newRow("info") << "Info1" << "&Info" << "F1";
    }
    void menuStructure()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, shortcut);
        auto *action = w->findChild<QAction *>(name);
        QVERIFY2(action, qPrintable(name));
        QCOMPARE(action->text(), caption);
        QCOMPARE(action->shortcut().toString(), shortcut);
    }

    void menuOrderAndInitialState()
    {
        QStringList top;
        for (QAction *a : w->menuBar()->actions())
            top << a->text();
        QCOMPARE(top, (QStringList{"&Datei", "&Bearbeiten", "&Sortieren", "&Filtern", "1. &Zeile löschen",
                                   "1. &Hausnummer kopieren", "Statusfenster", "SG-Rechner", "&Info"}));
        QStringList datei;
        for (QAction *a : control<QMenu>(*w, "Datei1")->actions())
            datei << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(datei, (QStringList{"Neu...", "Datei öffnen...", "Öffnen: ", "Datei speichern...", "Speichern unter...",
                                     "Bericht anfügen...", "URL öffnen...", "Exportieren...", "-", "Always On Top",
                                     "Globale Tastenkürzel...", "Versionscheck",
                                     "Firefox Downloaden", "-", "Beenden"}));
        QStringList bearbeiten;
        for (QAction *a : control<QMenu>(*w, "Bearbeiten1")->actions())
            bearbeiten << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
        QCOMPARE(bearbeiten.mid(bearbeiten.indexOf(QStringLiteral("Suchen1"))),
                 (QStringList{"Suchen1", "Berichtabgleichen1", "Zwischenablageueberwachen1", "AlsBBCodekopieren1", "Zeileneinfaerben1"}));
        QVERIFY(control<QAction>(*w, "Zeileneinfaerben1")->isCheckable());
        QVERIFY(control<QAction>(*w, "Zeileneinfaerben1")->isChecked());
        QVERIFY(!control<QAction>(*w, "Rckgngig1")->isEnabled());
        QVERIFY(!control<QAction>(*w, "lastOpened")->isVisible());
        QVERIFY(control<QAction>(*w, "AlwaysOnTop1")->isCheckable());
        QStringList pages;
        for (int i = 0; i < control<QTabWidget>(*w, "PageControl1")->count(); ++i)
            pages << control<QTabWidget>(*w, "PageControl1")->tabText(i);
        QCOMPARE(pages, (QStringList{"Filter", "Stats/Safestates", "Gebäude", "Info", "Zubehör", "Rechner"}));
        QCOMPARE(control<QTabWidget>(*w, "PageControl1")->currentIndex(), 0);
        QCOMPARE(control<QTabWidget>(*w, "PageControl1")->tabPosition(), QTabWidget::West);
    }

    void cleanListKeepsValidLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("three lines") << "\n" + kBank + "\nfoo" << kBank + "\n";
        QTest::newRow("unknown type") << kBank + "\nA 1: Bankfiliale (SG: 4%)\n" << kBank + "\n";
        QTest::newRow("nothing valid") << "foo\n\nbar" << "";
        QTest::newRow("order kept") << "B 2: Kiosk (SG: 1%)\nx\n" + kBank << "B 2: Kiosk (SG: 1%)\n" + kBank + "\n";
    }
    void cleanListKeepsValidLines()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        control<QPlainTextEdit>(*w, "Memo1")->setPlainText(text);
        w->list().CleanList();
        QCOMPARE(control<QPlainTextEdit>(*w, "Memo1")->toPlainText(), expected);
        QCOMPARE(control<QLabel>(*w, "Panel0")->text(), QStringLiteral("ready."));
    }

    void showActionCodes_data()
    {
        QTest::addColumn<ListAction>("action");
        QTest::addColumn<QString>("text");
        QTest::newRow("SG") << ListAction::ProtectionMoney << "Aktion: berechne Schutzgeld...";
        QTest::newRow("Filter") << ListAction::Filter << "Aktion: Filtern/Sortieren...";
        QTest::newRow("CL") << ListAction::Check << "Aktion: Bericht überprüfen...";
        QTest::newRow("Safepoint") << ListAction::Safepoint << "Aktion: Erstelle Speicherpunkt...";
    }
    void showActionCodes()
    {
        QFETCH(ListAction, action);
        QFETCH(QString, text);
        control<QLabel>(*w, "Panel0")->setText(QStringLiteral("old"));
        for (int i = 0; i < 7; ++i)
            w->list().StepProgress(1);
        w->list().ShowAction(action);
        QCOMPARE(control<QLabel>(*w, "Panel0")->text(), text);
        QCOMPARE(control<QProgressBar>(*w, "ProgressBar1")->value(), 7); // only the empty code completes the bar
    }

    void progressWrapsAfterMaximum()
    {
        for (int i = 0; i < 1001; ++i)
            w->list().StepProgress(1);
        QCOMPARE(w->list().progressPosition(), 0);
        for (int i = 0; i < 1000; ++i)
            w->list().StepProgress(1);
        w->list().ShowAction(ListAction::ProtectionMoney);
        QCOMPARE(control<QProgressBar>(*w, "ProgressBar1")->value(), 1000);
        w->list().StepProgress(0);
        QCOMPARE(control<QProgressBar>(*w, "ProgressBar1")->value(), 0);
    }

    void caption_data()
    {
        QTest::addColumn<bool>("opened");
        QTest::addColumn<bool>("modified");
        QTest::addColumn<QString>("caption"); // %1: the opened file
        QTest::newRow("plain") << false << false << "Veltrix Professional by Morwen - Version 1.61";
        QTest::newRow("modified") << false << true << "Veltrix Professional by Morwen - Version 1.61 *";
        QTest::newRow("file") << true << false << "Veltrix Professional by Morwen - Version 1.61 - %1";
        QTest::newRow("file modified") << true << true << "Veltrix Professional by Morwen - Version 1.61 - %1 *";
    }
    void caption()
    {
        QFETCH(bool, opened);
        QFETCH(bool, modified);
        QFETCH(QString, caption);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("bericht.txt"));
        if (opened) {
            QFile report(file);
            QVERIFY(report.open(QIODevice::WriteOnly) && report.write(kBank.toLatin1()) > 0);
            report.close();
            fakes.fileDialogs.openAnswers.push_back(file);
            trigger(*w, "Dateiffnen1");
        }
        w->list().setModified(modified);
        QCOMPARE(w->windowTitle(), caption.contains(u'%') ? caption.arg(QDir::toNativeSeparators(file)) : caption);
    }

    void tidyStepDeletesOneEmptyLine()
    {
        control<QPlainTextEdit>(*w, "Memo1")->setPlainText(QStringLiteral("\n\n") + kBank + "\n");
        w->list().ShowAction(ListAction::Ready);
        QCOMPARE(control<QPlainTextEdit>(*w, "Memo1")->toPlainText(), QStringLiteral("\n") + kBank + "\n");
        QCOMPARE(control<QPlainTextEdit>(*w, "Memo1")->textCursor().position(), 0);
        QVERIFY(!control<QPlainTextEdit>(*w, "Memo1")->textCursor().hasSelection());
    }

    void statisticsFollowTyping()
    {
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        control<QPlainTextEdit>(*w, "Memo1")->setFocus();
        QTest::keyClicks(control<QPlainTextEdit>(*w, "Memo1"), QStringLiteral("abc"));
        QCOMPARE(control<QLabel>(*w, "Label4")->text(), QStringLiteral("1"));
        QCOMPARE(control<QLabel>(*w, "Panel1")->text(), QStringLiteral("Gebs remaining: 1"));
        QCOMPARE(control<QLabel>(*w, "Ansehen")->text(), QStringLiteral("5"));
        QCOMPARE(control<QLabel>(*w, "Panel3")->text(), QStringLiteral("Ansehen ~5"));
        QTest::keyClick(control<QPlainTextEdit>(*w, "Memo1"), Qt::Key_Return);
        QCOMPARE(control<QLabel>(*w, "Label4")->text(), QStringLiteral("1")); // a final break opens no line
        QTest::keyClicks(control<QPlainTextEdit>(*w, "Memo1"), QStringLiteral("x"));
        QCOMPARE(control<QLabel>(*w, "Label4")->text(), QStringLiteral("2"));
        QVERIFY(w->list().isModified());
        QVERIFY(w->windowTitle().endsWith(QStringLiteral(" *")));
    }

    void protectionMoneyStatistics()
    {
        control<QPlainTextEdit>(*w, "Memo1")->setPlainText(QStringLiteral("A 1: Casino (SG: 5%)\nA 2: Casino (SG: 5%)\nA 3: Kiosk (SG: 5%)\n"
                                              "A 4: Versteck (SG: 5%)\n"));
        control<QPushButton>(*w, "Button7")->click();
        QCOMPARE(control<QLabel>(*w, "Schutzgeld")->text(), QStringLiteral("2.680 €"));
        QCOMPARE(control<QLabel>(*w, "Panel2")->text(), QStringLiteral("Schutzgeld: 2.680 €"));
        const QStringList rows = control<QPlainTextEdit>(*w, "AnzGebs")->toPlainText().split('\n');
        QCOMPARE(rows.size(), 36);
        QCOMPARE(rows.first(), QStringLiteral("Casino :\t\t2"));
        QCOMPARE(rows.at(30), QStringLiteral("Kiosk :\t\t\t1"));
        QCOMPARE(control<QLabel>(*w, "Label4")->text(), QStringLiteral("4"));
        QCOMPARE(control<QLabel>(*w, "Ansehen")->text(), QStringLiteral("20"));
        QCOMPARE(control<QLabel>(*w, "Panel0")->text(), QStringLiteral("ready."));
    }

    void emptyListStatistics()
    {
        w->list().UpdateProtectionMoney();
        QCOMPARE(control<QLabel>(*w, "Schutzgeld")->text(), QStringLiteral("0 €"));
        QVERIFY(control<QPlainTextEdit>(*w, "AnzGebs")->toPlainText().split('\n').size() == 36);
        QVERIFY(control<QPlainTextEdit>(*w, "AnzGebs")->toPlainText().endsWith(QStringLiteral("Fischladen :\t\t0")));
    }

    void safepointCopiesBeforeTidy()
    {
        control<QPlainTextEdit>(*w, "Memo1")->setPlainText(QStringLiteral("\n") + kBank + "\n");
        QVERIFY(!control<QAction>(*w, "Rckgngig1")->isEnabled());
        w->list().CreateSafepoint();
        QCOMPARE(w->list().undoCopy(), (QStringList{"", kBank}));
        QCOMPARE(control<QPlainTextEdit>(*w, "Memo1")->toPlainText(), kBank + "\n");
        QVERIFY(control<QAction>(*w, "Rckgngig1")->isEnabled());
        control<QPlainTextEdit>(*w, "Memo1")->setPlainText(QStringLiteral("A 1: Kiosk (SG: 5%)\n"));
        w->list().CreateSafepoint();
        QCOMPARE(w->list().undoCopy(), QStringList{"A 1: Kiosk (SG: 5%)"});
    }

    void listOperationFrame()
    {
        control<QPlainTextEdit>(*w, "Memo1")->setPlainText(QStringLiteral("junk\n") + kBank + "\nA 1: Kiosk (SG: 5%)\n");
        QStringList seen;
        w->list().runListOperation(
            [&](QStringList lines) {
                seen = lines;
                std::reverse(lines.begin(), lines.end());
                return lines;
            },
            ReportList::Finish::Ready);
        QCOMPARE(w->list().undoCopy(), (QStringList{"junk", kBank, "A 1: Kiosk (SG: 5%)"}));
        QCOMPARE(seen, (QStringList{kBank, "A 1: Kiosk (SG: 5%)"}));
        QCOMPARE(control<QPlainTextEdit>(*w, "Memo1")->toPlainText(), QStringLiteral("A 1: Kiosk (SG: 5%)\n") + kBank + "\n");
        QCOMPARE(control<QLabel>(*w, "Panel0")->text(), QStringLiteral("ready."));
    }

    void failedOperationWritesNothing()
    {
        control<QPlainTextEdit>(*w, "Memo1")->setPlainText(QStringLiteral("junk\n") + kBank + "\n");
        w->list().command([&] {
            w->list().runListOperation([](QStringList) -> QStringList { throwConversionError(u"12a"); },
                                ReportList::Finish::Ready);
        });
        QCOMPARE(fakes.messageBoxes.shown.size(), 1);
        QCOMPARE(fakes.messageBoxes.lastText(), QStringLiteral("'12a' ist kein gültiger Integerwert"));
        QCOMPARE(control<QPlainTextEdit>(*w, "Memo1")->toPlainText(), kBank + "\n"); // cleaned, not sorted
        QCOMPARE(control<QLabel>(*w, "Panel0")->text(), QStringLiteral("Aktion: Filtern/Sortieren..."));
    }

    // Library and internal texts never reach the player.
    void unknownFailuresInGerman_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        const QString unexpected = QStringLiteral("Der Befehl wurde wegen eines unerwarteten Fehlers abgebrochen.");
        QTest::newRow("out of memory") << 0 << "Zu wenig Arbeitsspeicher";
        QTest::newRow("library error") << 1 << unexpected;
        QTest::newRow("not an exception") << 2 << unexpected;
    }
    void unknownFailuresInGerman()
    {
        QFETCH(int, kind);
        QFETCH(QString, text);
        w->list().command([kind] {
            if (kind == 0)
                throw std::bad_alloc();
            if (kind == 1)
                throw std::runtime_error("basic_string::_M_create");
            throw 42;
        });
        QCOMPARE(fakes.messageBoxes.shown.size(), 1);
        QCOMPARE(fakes.messageBoxes.lastText(), text);
    }

    void lastLineAndClear()
    {
        QSignalSpy changes(control<QPlainTextEdit>(*w, "Memo1"), &QPlainTextEdit::textChanged);
        trigger(*w, "letzteZeilelschen1");
        QCOMPARE(changes.count(), 0);
        control<QPlainTextEdit>(*w, "Memo1")->setPlainText(QStringLiteral("a\nb\nc"));
        trigger(*w, "letzteZeilelschen1");
        QCOMPARE(control<QPlainTextEdit>(*w, "Memo1")->toPlainText(), QStringLiteral("a\nb\n"));
        trigger(*w, "letzteZeilelschen1");
        QCOMPARE(control<QPlainTextEdit>(*w, "Memo1")->toPlainText(), QStringLiteral("a\n"));
        QCOMPARE(control<QLabel>(*w, "Label4")->text(), QStringLiteral("1"));
        trigger(*w, "Alleslschen1");
        QCOMPARE(control<QPlainTextEdit>(*w, "Memo1")->toPlainText(), QString());
        QCOMPARE(control<QLabel>(*w, "Label4")->text(), QStringLiteral("---"));
        QCOMPARE(control<QLabel>(*w, "Ansehen")->text(), QStringLiteral("---"));
        QCOMPARE(control<QLabel>(*w, "Panel1")->text(), QStringLiteral("Gebs remaining: 0"));
    }

    void sidebarCollapseThenResize()
    {
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        const int cw = w->centralWidget()->width();
        QCOMPARE(control<QFrame>(*w, "sidebar")->x(), cw - 293);
        slideSidebar(*w);
        QVERIFY(sidebarCollapsed(*w));
        w->resize(1000, w->height());
        QTRY_COMPARE(w->centralWidget()->width(), 1000);
        QCOMPARE(control<QFrame>(*w, "sidebar")->x(), 1000 - 8);
        QCOMPARE(control<QPlainTextEdit>(*w, "Memo1")->width(), 1000 - 17);
        slideSidebar(*w);
        QVERIFY(!sidebarCollapsed(*w));
        w->resize(1001, w->height());
        QTRY_COMPARE(w->centralWidget()->width(), 1001);
        QCOMPARE(control<QFrame>(*w, "sidebar")->x(), 1001 - 293);
        QCOMPARE(control<QPlainTextEdit>(*w, "Memo1")->width(), 1001 - 293 - 7);
    }

    // Smaller than designed the list would run under the sidebar.
    void noOverlapAtAnySize_data()
    {
        QTest::addColumn<QSize>("requested");
        QTest::addColumn<bool>("collapsed");
        QTest::newRow("narrow and low") << QSize(600, 300) << false;
        QTest::newRow("narrow, sidebar collapsed") << QSize(600, 300) << true;
        QTest::newRow("one pixel narrower") << QSize(850, 600) << false;
        QTest::newRow("large") << QSize(1200, 800) << false;
        QTest::newRow("large, sidebar collapsed") << QSize(1200, 800) << true;
    }
    void noOverlapAtAnySize()
    {
        QFETCH(QSize, requested);
        QFETCH(bool, collapsed);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        if (collapsed)
            slideSidebar(*w);
        w->resize(requested);
        const int width = qMax(requested.width(), 851);
        QTRY_COMPARE(w->width(), width);
        QTRY_COMPARE(w->centralWidget()->width(), width);
        QVERIFY(w->centralWidget()->height() >= 494);
        const QRect client = w->centralWidget()->rect();
        const QList<QWidget *> parts{control<QPlainTextEdit>(*w, "Memo1"), control<QFrame>(*w, "sidebar"), control<QStatusBar>(*w, "StatusBar1")};
        QVERIFY(client.contains(control<QPlainTextEdit>(*w, "Memo1")->geometry()));
        QVERIFY(client.contains(control<QStatusBar>(*w, "StatusBar1")->geometry()));
        for (QWidget *a : parts) {
            for (QWidget *b : parts) {
                if (a != b)
                    QVERIFY2(!a->geometry().intersects(b->geometry()), qPrintable(a->objectName() + " / " + b->objectName()));
            }
        }
    }

    void clickOnPageBackgroundSlides()
    {
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        control<QTabWidget>(*w, "PageControl1")->setCurrentWidget(control<QWidget>(*w, "TabGebaeude"));
        QTest::mouseClick(control<QListWidget>(*w, "checklistbox1")->viewport(), Qt::LeftButton); // hidden page: no effect
        QVERIFY(!sidebarCollapsed(*w));
        control<QTabWidget>(*w, "PageControl1")->setCurrentWidget(control<QWidget>(*w, "TabStats"));
        QTest::mouseClick(control<QPushButton>(*w, "Button7"), Qt::LeftButton);
        QVERIFY(!sidebarCollapsed(*w));
        QTest::mouseClick(control<QWidget>(*w, "TabStats"), Qt::LeftButton, {}, QPoint(control<QWidget>(*w, "TabStats")->width() / 2, control<QWidget>(*w, "TabStats")->height() - 5));
        QVERIFY(sidebarCollapsed(*w));
    }

    void focusStartsInMemo()
    {
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        w->activateWindow();
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(control<QPlainTextEdit>(*w, "Memo1")));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
