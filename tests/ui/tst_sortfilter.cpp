// The sort and filter commands of the main window in their frame.
#include "support/fakeplatform.h"
#include "support/controls.h"
#include "ui/mainfrm.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

using namespace veltrix;
using namespace veltrix::test;

namespace {

const QString kCasino = QStringLiteral("Lindenallee 117: Casino (SG: 45%) [Fallgitter]");
const QString kFabrik = QStringLiteral("Zollstraße 12: Fabrik (SG: 40%) Keine Ausbauten vorhanden");
const QString kKiosk = QStringLiteral("Am Alten Markt 3: Kiosk (SG: 100%) Keine Ausbauten vorhanden");
const QString kJunk = QStringLiteral("Spionagebericht vom 07.12.2026");
const QString kBad = QStringLiteral("Lindenallee 12a: Bank (SG: 45%) [Fallgitter]");

QString text(const QStringList &lines)
{
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

int checkedCount(const QListWidget *list)
{
    int n = 0;
    for (int i = 0; i < list->count(); ++i)
        n += list->item(i)->checkState() == Qt::Checked ? 1 : 0;
    return n;
}

} // namespace

class TestSortFilter : public QObject {
    Q_OBJECT

private slots:
    // Every order and filter: undo copy from before cleaning, the cleaned and
    // reordered list written once, the closing status text.
    void frame_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("security feeling") << "Strasse1" << QStringList{kFabrik, kCasino, kKiosk};
        QTest::newRow("address") << "Strasse2" << QStringList{kKiosk, kCasino, kFabrik};
        QTest::newRow("house number down") << "Strasseabsteigend1" << QStringList{kCasino, kFabrik, kKiosk};
        QTest::newRow("house number up") << "Hausnummeraufsteigend1" << QStringList{kKiosk, kFabrik, kCasino};
        QTest::newRow("building type") << "Gebude1" << QStringList{kCasino, kFabrik, kKiosk};
        QTest::newRow("distance") << "Versteckaufsteigend1" << QStringList{kKiosk, kFabrik, kCasino};
        QTest::newRow("V button") << "Button10" << QStringList{kKiosk, kFabrik, kCasino};
        QTest::newRow("traps") << "AnzahlvFallenaufsteigend1" << QStringList{kFabrik, kKiosk, kCasino};
        QTest::newRow("type filter, nothing checked") << "BitBtn1" << QStringList{};
        QTest::newRow("house-number filter") << "BitBtn2" << QStringList{kCasino, kFabrik, kKiosk};
        QTest::newRow("SG <= 44") << "BitBtn3" << QStringList{kFabrik};
        QTest::newRow("SG >= 44") << "BitBtn4" << QStringList{kCasino, kKiosk};
        QTest::newRow("menu Gebs >= 900") << "Gebs10001" << QStringList{kCasino};
        QTest::newRow("menu Gebs >= 500") << "Gebs5001" << QStringList{kFabrik};
        QTest::newRow("menu market buildings") << "Marktgebude1" << QStringList{};
    }

    void frame()
    {
        QFETCH(QString, command);
        QFETCH(QStringList, expected);
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        const QStringList before{kJunk, kCasino, QString(), kFabrik, kKiosk};
        w.list().memo().setText(text(before));
        int changes = 0;
        connect(control<QPlainTextEdit>(w, "Memo1"), &QPlainTextEdit::textChanged, this, [&changes] { ++changes; });

        if (auto *action = w.findChild<QAction *>(command))
            action->trigger();
        else
            w.findChild<QPushButton *>(command)->click();

        QVERIFY2(fakes.messageBoxes.shown.isEmpty(), qPrintable(fakes.messageBoxes.lastText()));
        QCOMPARE(w.list().memo().lines(), expected);
        QCOMPARE(w.list().undoCopy(), before);
        QVERIFY(control<QAction>(w, "Rckgngig1")->isEnabled());
        QCOMPARE(control<QLabel>(w, "Panel0")->text(), QStringLiteral("ready."));
        QVERIFY(changes <= 2); // the cleaning and the one write-back
    }

    void filtersRecomputeProtectionMoney()
    {
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        w.list().memo().setText(text({kCasino, kFabrik, kKiosk}));
        w.list().UpdateProtectionMoney();
        QCOMPARE(control<QLabel>(w, "Schutzgeld")->text(), QStringLiteral("2.080 €"));
        trigger(w, "Gebs5001");
        QCOMPARE(control<QLabel>(w, "Schutzgeld")->text(), QStringLiteral("700 €"));
        QCOMPARE(control<QLabel>(w, "Panel2")->text(), QStringLiteral("Schutzgeld: 700 €"));
        control<QLineEdit>(w, "Edit3")->setText(QStringLiteral("50"));
        control<QPushButton>(w, "BitBtn4")->click();
        QCOMPARE(control<QLabel>(w, "Schutzgeld")->text(), QStringLiteral("0 €"));
    }

    // The conversion error ends the command before the write-back.
    void conversionError_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("hideout");
        QTest::addColumn<QString>("edit1");
        QTest::addColumn<QString>("message");
        const QString bad = QStringLiteral("'12a' ist kein gültiger Integerwert");
        QTest::newRow("house number down") << "Strasseabsteigend1" << "0" << "0" << bad;
        QTest::newRow("house number up") << "Hausnummeraufsteigend1" << "0" << "0" << bad;
        QTest::newRow("distance") << "Versteckaufsteigend1" << "0" << "0" << bad;
        QTest::newRow("distance, hideout not a number") << "Versteckaufsteigend1" << "x" << "0"
                                                        << QStringLiteral("'x' ist kein gültiger Integerwert");
        QTest::newRow("house-number filter") << "BitBtn2" << "0" << "0" << bad;
        QTest::newRow("house-number filter, bound not a number")
            << "BitBtn2" << "0" << "" << QStringLiteral("'' ist kein gültiger Integerwert");
    }

    void conversionError()
    {
        QFETCH(QString, command);
        QFETCH(QString, hideout);
        QFETCH(QString, edit1);
        QFETCH(QString, message);
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        control<QLineEdit>(w, "Versteck")->setText(hideout);
        control<QLineEdit>(w, "Edit1")->setText(edit1);
        const QStringList before{kJunk, kKiosk, kBad, kCasino};
        w.list().memo().setText(text(before));
        control<QLabel>(w, "Schutzgeld")->setText(QStringLiteral("unchanged"));

        if (auto *action = w.findChild<QAction *>(command))
            action->trigger();
        else
            w.findChild<QPushButton *>(command)->click();

        QCOMPARE(fakes.messageBoxes.shown.size(), 1);
        QCOMPARE(fakes.messageBoxes.lastText(), message);
        QCOMPARE(w.list().memo().lines(), (QStringList{kKiosk, kBad, kCasino}));
        QCOMPARE(w.list().undoCopy(), before);
        QCOMPARE(control<QLabel>(w, "Panel0")->text(), QStringLiteral("Aktion: Filtern/Sortieren..."));
        QCOMPARE(control<QLabel>(w, "Schutzgeld")->text(), QStringLiteral("unchanged"));
    }

    void securityFeelingFirstLineCheck()
    {
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        const QString noSG = QStringLiteral("Zollweg 1: Bank (SG: ?%) Keine Ausbauten vorhanden");
        w.list().memo().setText(text({kJunk, noSG, kKiosk, kFabrik}));
        trigger(w, "Strasse1");
        QCOMPARE(fakes.messageBoxes.shown.size(), 1);
        const MessageRequest box = fakes.messageBoxes.shown.first();
        QCOMPARE(box.title, QStringLiteral("Hinweis"));
        QCOMPARE(box.text, QStringLiteral("kein Sicherheitsgefühl zum Auswerten vorhanden."));
        QCOMPARE(box.icon, MsgIcon::None);
        QCOMPARE(box.buttons, MsgButtons::Ok);
        QCOMPARE(w.list().memo().lines(), (QStringList{noSG, kKiosk, kFabrik}));
        QCOMPARE(control<QLabel>(w, "Panel0")->text(), QStringLiteral("ready."));

        // A later line without SG is sorted, first, without a message.
        w.list().memo().setText(text({kKiosk, noSG, kFabrik}));
        trigger(w, "Strasse1");
        QCOMPARE(fakes.messageBoxes.shown.size(), 1);
        QCOMPARE(w.list().memo().lines(), (QStringList{noSG, kFabrik, kKiosk}));

        // An empty list asks nothing.
        w.list().memo().setText(text({kJunk}));
        trigger(w, "Strasse1");
        QCOMPARE(fakes.messageBoxes.shown.size(), 1);
        QVERIFY(w.list().memo().isEmpty());
    }

    void presetsAddToTheSelection()
    {
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        QCOMPARE(checkedCount(control<QListWidget>(w, "checklistbox1")), 0);
        control<QPushButton>(w, "Button3")->click();
        QCOMPARE(checkedCount(control<QListWidget>(w, "checklistbox1")), 5);
        control<QPushButton>(w, "Button1")->click();
        QCOMPARE(checkedCount(control<QListWidget>(w, "checklistbox1")), 13);
        control<QPushButton>(w, "Button8")->click();
        QCOMPARE(checkedCount(control<QListWidget>(w, "checklistbox1")), 25);
        QCOMPARE(control<QListWidget>(w, "checklistbox1")->item(0)->checkState(), Qt::Unchecked);  // Casino
        QCOMPARE(control<QListWidget>(w, "checklistbox1")->item(5)->checkState(), Qt::Checked);    // Fabrik
        control<QPushButton>(w, "Button4")->click();
        QCOMPARE(checkedCount(control<QListWidget>(w, "checklistbox1")), 25);
        control<QPushButton>(w, "Button2")->click();
        QCOMPARE(checkedCount(control<QListWidget>(w, "checklistbox1")), 0);

        // A menu filter leaves exactly its preset checked.
        control<QPushButton>(w, "Button1")->click();
        trigger(w, "Gebs10001");
        QCOMPARE(checkedCount(control<QListWidget>(w, "checklistbox1")), 5);
        QCOMPARE(control<QListWidget>(w, "checklistbox1")->item(0)->checkState(), Qt::Checked);
    }

    void typeFilterKeepsCheckedTypes()
    {
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        w.list().memo().setText(text({kCasino, kFabrik, kKiosk}));
        control<QListWidget>(w, "checklistbox1")->item(30)->setCheckState(Qt::Checked); // Kiosk
        control<QListWidget>(w, "checklistbox1")->item(0)->setCheckState(Qt::Checked);  // Casino
        control<QPushButton>(w, "BitBtn1")->click();
        QCOMPARE(w.list().memo().lines(), (QStringList{kCasino, kKiosk}));
    }

    // The core table covers the arithmetic; here: the fields and the message.
    void transfer()
    {
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        control<QLineEdit>(w, "Versteck")->setText(QStringLiteral("250"));
        control<QPushButton>(w, "Button5")->click();
        QCOMPARE(control<QLineEdit>(w, "Edit1")->text(), QStringLiteral("-50"));
        QCOMPARE(control<QLineEdit>(w, "Edit2")->text(), QStringLiteral("550"));
        control<QLineEdit>(w, "Versteck")->clear();
        control<QPushButton>(w, "Button5")->click();
        QCOMPARE(fakes.messageBoxes.lastText(), QStringLiteral("'' ist kein gültiger Integerwert"));
        QCOMPARE(control<QLineEdit>(w, "Edit1")->text(), QStringLiteral("-50"));
        QCOMPARE(control<QLineEdit>(w, "Edit2")->text(), QStringLiteral("550"));
    }

    void fieldDefaults()
    {
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        const struct {
            QLineEdit *field;
            const char *text;
            int maxLength;
        } fields[] = {{control<QLineEdit>(w, "Versteck"), "0", 5}, {control<QLineEdit>(w, "Range"), "300", 5}, {control<QLineEdit>(w, "Edit1"), "0", 5}, {control<QLineEdit>(w, "Edit2"), "99999", 5},
                      {control<QLineEdit>(w, "Edit3"), "44", 2}};
        for (const auto &f : fields) {
            QCOMPARE(f.field->text(), QString::fromLatin1(f.text));
            f.field->clear();
            QTest::keyClicks(f.field, QStringLiteral("1234567"));
            QCOMPARE(f.field->text(), QStringLiteral("1234567").left(f.maxLength));
        }
        QCOMPARE(control<QLineEdit>(w, "Versteck")->toolTip(), QStringLiteral("Hier eigenes Versteck eingeben"));
        QCOMPARE(control<QPushButton>(w, "Button10")->toolTip(), QStringLiteral("Entfernung zum Versteck"));
        QVERIFY(!control<QWidget>(w, "keinversteck")->isHidden());
        QCOMPARE(control<QPushButton>(w, "Button4")->text(), QStringLiteral(">=500 € | < 900 €"));
        QCOMPARE(control<QPushButton>(w, "BitBtn2")->text(), QStringLiteral("&Filtern"));
    }

    // The limit binds typing and pasting, never a text the program puts in.
    void typingLimit_data()
    {
        QTest::addColumn<QString>("set");    // by the program
        QTest::addColumn<QString>("typed");  // "\b" is Backspace
        QTest::addColumn<QString>("pasted"); // Ctrl+V after typing
        QTest::addColumn<QString>("after");
        QTest::newRow("typing stops at five") << "" << "1234567" << "" << "12345";
        QTest::newRow("program text whole") << "1234567" << "" << "" << "1234567";
        QTest::newRow("longer text shortened") << "1234567" << "\b" << "" << "123456";
        QTest::newRow("longer text cannot grow") << "1234567" << "8" << "" << "1234567";
        QTest::newRow("paste cut to fit") << "1" << "2" << "345678" << "12345";
    }
    void typingLimit()
    {
        QFETCH(QString, set);
        QFETCH(QString, typed);
        QFETCH(QString, pasted);
        QFETCH(QString, after);
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        control<QLineEdit>(w, "Versteck")->setText(set);
        QTest::keyClicks(control<QLineEdit>(w, "Versteck"), typed);
        if (!pasted.isEmpty()) {
            QGuiApplication::clipboard()->setText(pasted);
            QTest::keyClick(control<QLineEdit>(w, "Versteck"), Qt::Key_V, Qt::ControlModifier);
        }
        QCOMPARE(control<QLineEdit>(w, "Versteck")->text(), after);
    }

    // Opening the context menu or switching windows keeps the field's text:
    // the user may be about to paste into it.
    void noExitCheckWhileFocusStaysInTheField_data()
    {
        QTest::addColumn<int>("reason");
        QTest::addColumn<QString>("after");
        QTest::newRow("context menu") << int(Qt::PopupFocusReason) << "";
        QTest::newRow("other window") << int(Qt::ActiveWindowFocusReason) << "";
        QTest::newRow("tab to the next field") << int(Qt::TabFocusReason) << "300";
        QTest::newRow("mouse on another control") << int(Qt::MouseFocusReason) << "300";
    }

    void noExitCheckWhileFocusStaysInTheField()
    {
        QFETCH(int, reason);
        QFETCH(QString, after);
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        control<QLineEdit>(w, "Range")->setText(QString());
        QFocusEvent out(QEvent::FocusOut, static_cast<Qt::FocusReason>(reason));
        QApplication::sendEvent(control<QLineEdit>(w, "Range"), &out);
        QCOMPARE(control<QLineEdit>(w, "Range")->text(), after);
    }

    void hideoutMarker()
    {
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        const QRect frame = control<QWidget>(w, "keinversteck")->geometry();
        QCOMPARE(frame, control<QLineEdit>(w, "Versteck")->geometry().adjusted(-1, -1, 1, 1));

        const struct {
            const char *typed;
            bool marker;
            const char *after;
            const char *hint;
        } steps[] = {{"abc", true, "0", "Bitte Versteck eingeben"},
                     {"120", false, "120", ""},
                     {"0", true, "0", "Bitte Versteck eingeben"},
                     {"00", false, "00", ""}};
        for (const auto &s : steps) {
            control<QLineEdit>(w, "Versteck")->setFocus();
            control<QLineEdit>(w, "Versteck")->setText(QString::fromUtf8(s.typed));
            control<QLineEdit>(w, "Range")->setFocus();
            QCOMPARE(control<QLineEdit>(w, "Versteck")->text(), QString::fromLatin1(s.after));
            QCOMPARE(control<QWidget>(w, "keinversteck")->isVisible(), s.marker);
            QCOMPARE(control<QLineEdit>(w, "Versteck")->toolTip(), QString::fromLatin1(s.hint));
        }
    }
};

QTEST_MAIN(TestSortFilter)
#include "tst_sortfilter.moc"
