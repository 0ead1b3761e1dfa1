// The "Rechner" page and the separate SG calculator window.
#include "support/fakeplatform.h"
#include "support/controls.h"
#include "ui/SGrechner.h"
#include "ui/application.h"
#include "ui/mainfrm.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace veltrix;
using namespace veltrix::test;

namespace {

// A number with the decimal separator of the user's locale.
QString localNumber(const QString &whole, const QString &fraction)
{
    return whole + QLocale::system().decimalPoint() + fraction;
}

void activate(QWidget &w)
{
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
}

} // namespace

class TestCalculators : public QObject {
    Q_OBJECT

private slots:
    void pageDefaults()
    {
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        QCOMPARE(control<QComboBox>(w, "SGGebaeude")->currentText(), QStringLiteral("Casino"));
        QCOMPARE(control<QComboBox>(w, "SGGebaeude")->count(), 31);
        QCOMPARE(control<QLineEdit>(w, "SGBetrag")->text(), QStringLiteral("1300"));
        QCOMPARE(control<QLabel>(w, "SGLabel")->text(), QStringLiteral("---"));
        QCOMPARE(control<QLineEdit>(w, "Steuerbetrag")->text(), QStringLiteral("0"));
        QCOMPARE(control<QComboBox>(w, "aST")->currentText(), QStringLiteral("69"));
        QCOMPARE(control<QComboBox>(w, "vST")->currentText(), QStringLiteral("10"));
        QCOMPARE(control<QComboBox>(w, "aST")->count(), 12);
        QCOMPARE(control<QComboBox>(w, "vST")->itemText(11), QStringLiteral("85"));
        for (QLabel *l : {control<QLabel>(w, "netto"), control<QLabel>(w, "Steuer"), control<QLabel>(w, "verguenstigt"), control<QLabel>(w, "Differenz")})
            QCOMPARE(l->text(), QStringLiteral("---"));
    }

    void pageSG_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("label");
        QTest::newRow("Kiosk uncapped") << "Kiosk" << "1300" << "1620 %";
        QTest::newRow("typed residential") << "Mietskaserne" << "1300" << "---";
        QTest::newRow("unknown ignores bad amount") << "Versteck" << "abc" << "---";
        QTest::newRow("locale fraction") << "Casino" << localNumber("84", "5") << "2 %";
    }
    void pageSG()
    {
        QFETCH(QString, type);
        QFETCH(QString, amount);
        QFETCH(QString, label);
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        control<QComboBox>(w, "SGGebaeude")->setEditText(type);
        control<QLineEdit>(w, "SGBetrag")->setText(amount);
        control<QPushButton>(w, "Button15")->click();
        QCOMPARE(control<QLabel>(w, "SGLabel")->text(), label);
        QVERIFY(fakes.messageBoxes.shown.isEmpty());
    }

    void tax_data()
    {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("reduced");
        QTest::addColumn<QStringList>("labels"); // netto, Steuer, vergünstigt, Differenz
        QTest::newRow("1000") << "1000" << "69" << "10" << QStringList{"592 €", "408 €", "651 €", "349 €"};
        QTest::newRow("negative difference") << "1100" << "10" << "20"
                                             << QStringList{"1.000 €", "100 €", "1.200 €", "-100 €"};
    }
    void tax()
    {
        QFETCH(QString, amount);
        QFETCH(QString, current);
        QFETCH(QString, reduced);
        QFETCH(QStringList, labels);
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        control<QLineEdit>(w, "Steuerbetrag")->setText(amount);
        control<QComboBox>(w, "aST")->setEditText(current);
        control<QComboBox>(w, "vST")->setEditText(reduced);
        control<QPushButton>(w, "BtnBerechnen")->click();
        QCOMPARE((QStringList{control<QLabel>(w, "netto")->text(), control<QLabel>(w, "Steuer")->text(), control<QLabel>(w, "verguenstigt")->text(), control<QLabel>(w, "Differenz")->text()}), labels);
    }

    void taxFailureKeepsLabels_data()
    {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("message");
        QTest::newRow("division by zero") << "500" << "Gleitkommadivision durch Null";
        QTest::newRow("zero by zero") << "0" << "Ungültige Gleitkommaoperation";
    }
    void taxFailureKeepsLabels()
    {
        QFETCH(QString, amount);
        QFETCH(QString, message);
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        control<QLineEdit>(w, "Steuerbetrag")->setText(QStringLiteral("1000"));
        control<QPushButton>(w, "BtnBerechnen")->click();
        control<QLineEdit>(w, "Steuerbetrag")->setText(amount);
        control<QComboBox>(w, "aST")->setEditText(QStringLiteral("-100"));
        control<QPushButton>(w, "BtnBerechnen")->click();
        QCOMPARE(fakes.messageBoxes.lastText(), message);
        QCOMPARE((QStringList{control<QLabel>(w, "netto")->text(), control<QLabel>(w, "Steuer")->text(), control<QLabel>(w, "verguenstigt")->text(), control<QLabel>(w, "Differenz")->text()}),
                 (QStringList{"592 €", "408 €", "651 €", "349 €"}));
    }

    // Every field checked on leaving, one table: the check runs as the focus
    // leaves for the page's button, before its click, so the command meets
    // the corrected value. Which texts are integers is the core's table.
    void fieldCheckedOnLeaving_data()
    {
        QTest::addColumn<bool>("sgWindow");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("after");
        QTest::newRow("Range empty") << false << "Range" << "BitBtn3" << "" << "300";
        QTest::newRow("Range kept") << false << "Range" << "BitBtn3" << "12" << "12";
        QTest::newRow("Versteck letters") << false << "Versteck" << "BitBtn3" << "abc" << "0";
        QTest::newRow("Edit1") << false << "Edit1" << "BitBtn3" << "-" << "0";
        QTest::newRow("Edit2") << false << "Edit2" << "BitBtn3" << "9 9" << "99999";
        QTest::newRow("Edit3") << false << "Edit3" << "BitBtn3" << "x" << "44";
        QTest::newRow("hex is an integer") << false << "Edit3" << "BitBtn3" << "$A" << "$A";
        QTest::newRow("step letters") << false << "SGdown" << "BitBtn5" << "abc" << "25";
        QTest::newRow("step negative kept") << false << "SGdown" << "BitBtn5" << "-10" << "-10";
        QTest::newRow("amount above top") << false << "SGBetrag" << "BtnBerechnen" << localNumber("1300", "5") << "0";
        QTest::newRow("amount negative") << false << "SGBetrag" << "BtnBerechnen" << "-1" << "0";
        QTest::newRow("amount fraction kept") << false << "SGBetrag" << "BtnBerechnen" << localNumber("650", "5")
                                              << localNumber("650", "5");
        QTest::newRow("amount top kept") << false << "SGBetrag" << "BtnBerechnen" << "1300" << "1300";
        QTest::newRow("tax amount fraction") << false << "Steuerbetrag" << "BtnBerechnen" << localNumber("1", "5") << "0";
        QTest::newRow("tax amount kept") << false << "Steuerbetrag" << "BtnBerechnen" << "-250" << "-250";
        QTest::newRow("current rate letters") << false << "aST" << "BtnBerechnen" << "x" << "69";
        QTest::newRow("reduced rate empty") << false << "vST" << "BtnBerechnen" << "" << "10";
        QTest::newRow("SG calculator amount") << true << "SGBetrag" << "Button15" << "-1" << "0";
    }
    void fieldCheckedOnLeaving()
    {
        QFETCH(bool, sgWindow);
        QFETCH(QString, field);
        QFETCH(QString, button);
        QFETCH(QString, input);
        QFETCH(QString, after);
        test::FakePlatform fakes;
        TfrmMain main(fakes.platform());
        main.list().memo().setLines({QStringLiteral("Lindenallee 117: Bank (SG: 45%) [Fallgitter]")});
        TfrmSGr calc(fakes.platform(), [](bool) {});
        QWidget &w = sgWindow ? static_cast<QWidget &>(calc) : main;
        activate(w);
        QWidget *widget = w.findChild<QWidget *>(field);
        auto *combo = qobject_cast<QComboBox *>(widget);
        auto *edit = qobject_cast<QLineEdit *>(widget);
        widget->setFocus();
        QVERIFY(widget->hasFocus());
        combo ? combo->setEditText(input) : edit->setText(input);
        // The focus moves on the press, before the button's click.
        QTest::mouseClick(w.findChild<QPushButton *>(button), Qt::LeftButton);
        QCOMPARE(combo ? combo->currentText() : edit->text(), after);
        QVERIFY(fakes.messageBoxes.shown.isEmpty());
    }

    void windowCreatedSecondAndShownFromMain()
    {
        test::FakePlatform fakes;
        VeltrixWindows windows = createWindows(fakes.platform());
        auto *calc = qobject_cast<TfrmSGr *>(windows.sgRechner.get());
        QVERIFY(calc);
        QCOMPARE(calc->windowTitle(), QStringLiteral("SG-Rechner"));
        QVERIFY(!calc->isVisible());

        control<QPushButton>(*windows.main, "openSGRechner")->click();
        QVERIFY(calc->isVisible());
        QVERIFY(QTest::qWaitForWindowActive(calc));
        QVERIFY(calc->SGGebaeude->selectedItems().isEmpty());
        calc->SGGebaeude->setCurrentRow(2);
        calc->SGBetrag->setText(QStringLiteral("550"));
        calc->Exit1->trigger();
        QVERIFY(!calc->isVisible());

        trigger(*windows.main, "SGRechner1");
        QVERIFY(calc->isVisible());
        QCOMPARE(calc->SGGebaeude->currentItem()->text(), QStringLiteral("Bank"));
        QCOMPARE(calc->SGBetrag->text(), QStringLiteral("550"));
        QCOMPARE(calc->minimumSize(), calc->maximumSize());
    }

    void windowCalculation_data()
    {
        QTest::addColumn<int>("typeRow"); // -1: nothing selected
        QTest::addColumn<QString>("amount");
        QTest::addColumn<int>("traps");
        QTest::addColumn<QString>("sg");
        QTest::addColumn<QString>("takeover");
        QTest::newRow("Casino 1300") << 0 << "1300" << 0 << "95 %" << "";
        QTest::newRow("Kiosk capped at 100") << 25 << "1300" << 3 << "100 %" << "Übernahme ab 41 %";
        QTest::newRow("Bank 550, 18 traps") << 2 << "550" << 18 << "45 %" << "Übernahme ab 26 %";
        QTest::newRow("no type: only the takeover") << -1 << "abc" << 1 << "---" << "Übernahme ab 43 %";
    }
    void windowCalculation()
    {
        QFETCH(int, typeRow);
        QFETCH(QString, amount);
        QFETCH(int, traps);
        QFETCH(QString, sg);
        QFETCH(QString, takeover);
        test::FakePlatform fakes;
        QWidget main;
        TfrmSGr calc(fakes.platform(), [&main](bool visible) { main.setVisible(visible); });
        QCOMPARE(calc.Fallen->count(), 19);
        QCOMPARE(calc.Fallen->selectedItems().first()->text(), QStringLiteral("0"));
        QVERIFY(calc.SGGebaeude->selectedItems().isEmpty());
        QCOMPARE(calc.SGGebaeude->count(), 31);
        if (typeRow >= 0)
            calc.SGGebaeude->setCurrentRow(typeRow);
        calc.SGBetrag->setText(amount);
        calc.Fallen->setCurrentRow(traps);
        calc.Button15->click();
        QCOMPARE(calc.SGLabel->text(), sg);
        QCOMPARE(calc.Uebernahme->text(), takeover);
        QVERIFY(fakes.messageBoxes.shown.isEmpty());
    }

    void hideMainwindowIsUndoneByCloseAndExit_data()
    {
        QTest::addColumn<bool>("viaExit");
        QTest::newRow("close") << false;
        QTest::newRow("Exit") << true;
    }
    void hideMainwindowIsUndoneByCloseAndExit()
    {
        QFETCH(bool, viaExit);
        test::FakePlatform fakes;
        QWidget main;
        main.show();
        TfrmSGr calc(fakes.platform(), [&main](bool visible) { main.setVisible(visible); });
        calc.show();

        calc.HideMainwindow1->trigger();
        QVERIFY(calc.HideMainwindow1->isChecked());
        QVERIFY(!main.isVisible());
        trigger(calc, "AlwaysOnTop1");
        QVERIFY(calc.AlwaysOnTop1->isChecked());
        QVERIFY(calc.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(calc.ToFront->isActive());
        QVERIFY(calc.ToFront->interval() >= 50);

        if (viaExit)
            calc.Exit1->trigger();
        else
            QVERIFY(calc.close());
        QVERIFY(main.isVisible());
        QVERIFY(!calc.isVisible());
        QVERIFY(!calc.HideMainwindow1->isChecked());
        QVERIFY(!calc.AlwaysOnTop1->isChecked());
        QVERIFY(!calc.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(!calc.ToFront->isActive());
    }

    void hideMainwindowToggles()
    {
        test::FakePlatform fakes;
        QWidget main;
        main.show();
        TfrmSGr calc(fakes.platform(), [&main](bool visible) { main.setVisible(visible); });
        calc.show();
        calc.HideMainwindow1->trigger();
        QVERIFY(!main.isVisible());
        calc.HideMainwindow1->trigger();
        QVERIFY(main.isVisible());
        QVERIFY(!calc.HideMainwindow1->isChecked());
        trigger(calc, "AlwaysOnTop1");
        trigger(calc, "AlwaysOnTop1");
        QVERIFY(!calc.ToFront->isActive());
        QVERIFY(calc.isVisible());
    }
};

QTEST_MAIN(TestCalculators)
#include "tst_calculators.moc"
