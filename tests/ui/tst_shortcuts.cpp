// "Globale Tastenkürzel...": the keys let go while the dialog is open, what
// OK and Abbrechen bind afterwards, and what the dialog says of a key.
#include "support/statusfixture.h"
#include "ui/application.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QKeySequenceEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace veltrix;
using namespace veltrix::test;

namespace {

using Typed = QList<int>; // combinations pressed in the field, QKeyCombination::toCombined

QPushButton *button(QWidget &dialog, const QString &text)
{
    for (QPushButton *b : dialog.findChildren<QPushButton *>()) {
        if (b->text() == text)
            return b;
    }
    qFatal("no button '%s'", qPrintable(text));
}

// QTest's key clicks know no AltGr.
void tap(QWidget *field, QKeyCombination key)
{
    const QString text = key.key() < 0x100 ? QString(QChar(char16_t(key.key()))) : QString();
    QKeyEvent press(QEvent::KeyPress, key.key(), key.keyboardModifiers(), text);
    QApplication::sendEvent(field, &press);
    QKeyEvent release(QEvent::KeyRelease, key.key(), key.keyboardModifiers(), text);
    QApplication::sendEvent(field, &release);
}

} // namespace

class TestShortcuts : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installGermanTranslations(*qApp); }

    void edit_data()
    {
        QTest::addColumn<bool>("declined");    // the desktop declined the keys before
        QTest::addColumn<QStringList>("unusable");
        QTest::addColumn<Typed>("typed");      // into "1. Hausnummer kopieren"
        QTest::addColumn<QString>("buttons");  // pressed in order
        QTest::addColumn<bool>("checked");     // the check box as the dialog opens
        QTest::addColumn<QString>("said");
        QTest::addColumn<QStringList>("bound"); // afterwards
        const int ctrlAlt = int(Qt::ControlModifier | Qt::AltModifier);
        const QStringList defaults{"Ctrl+Alt+N", "Ctrl+Alt+H", "Ctrl+Alt+B"};
        QTest::newRow("OK takes the new key")
            << false << QStringList() << Typed{ctrlAlt | Qt::Key_X} << "OK" << true << ""
            << QStringList{"Ctrl+Alt+N", "Ctrl+Alt+X", "Ctrl+Alt+B"};
        QTest::newRow("Abbrechen takes the old keys back")
            << false << QStringList() << Typed{ctrlAlt | Qt::Key_X} << "Abbrechen" << true << "" << defaults;
        QTest::newRow("AltGr is no key of its own")
            << false << QStringList() << Typed{ctrlAlt | Qt::Key_AltGr, ctrlAlt | Qt::Key_At} << "OK" << true << ""
            << QStringList{"Ctrl+Alt+N", "Ctrl+Alt+@", "Ctrl+Alt+B"};
        QTest::newRow("a key the keyboard cannot give: said, the dialog stays")
            << false << QStringList{"Ctrl+Alt+\u00C4"} << Typed{ctrlAlt | Qt::Key_Adiaeresis} << "OK,Abbrechen" << true
            << "Das Tastenkürzel Strg+Alt+Ä kann mit dieser Tastatur nicht verwendet werden." << defaults;
        QTest::newRow("declined by the desktop: off")
            << true << QStringList() << Typed() << "OK" << false
            << "Die globalen Tastenkürzel wurden nicht bestätigt und sind ausgeschaltet." << QStringList();
    }
    void edit()
    {
        QFETCH(bool, declined);
        QFETCH(QStringList, unusable);
        QFETCH(Typed, typed);
        QFETCH(QString, buttons);
        QFETCH(bool, checked);
        QFETCH(QString, said);
        QFETCH(QStringList, bound);
        QTemporaryDir temp;
        const QString ini = temp.filePath(QStringLiteral("veltrix.ini"));
        QVERIFY(putFile(ini, "[Tastenk\xFCrzel]\r\naktiv=1\r\n"));
        MainAndStatus w(ini);
        w.fakes.globalKeys.unusable = unusable;
        w.main->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.main.get()));
        if (declined)
            w.fakes.globalKeys.fail({KeyProblem::Kind::Cancelled, {}, {}});

        bool released = false;
        bool seenChecked = !checked;
        QStringList stayedOpen;
        QObject guard;
        whenModalDialog(guard, [&](QWidget *dialog) {
            released = w.fakes.globalKeys.binds.last().isEmpty();
            seenChecked = control<QCheckBox>(*dialog, "TastenkuerzelVerwenden")->isChecked();
            auto *field = control<QKeySequenceEdit>(*dialog, "Hausnummer");
            if (!typed.isEmpty()) {
                field->setFocus();
                field->clear();
                QSignalSpy finished(field, &QKeySequenceEdit::editingFinished);
                for (int combined : typed)
                    tap(field, QKeyCombination::fromCombined(combined));
                // The field takes what was typed once the keys have been let go a moment.
                (void)finished.wait(3000);
            }
            for (const QString &text : buttons.split(QLatin1Char(','))) {
                button(*dialog, text)->click();
                if (dialog->isVisible())
                    stayedOpen << text;
            }
        });
        trigger(*w.main, "GlobaleTastenkuerzel1");
        QVERIFY(released);
        QCOMPARE(seenChecked, checked);
        QCOMPARE(stayedOpen, said.isEmpty() || declined ? QStringList() : QStringList{"OK"});
        QCOMPARE(w.boxes.shown.size(), said.isEmpty() ? 0 : 1);
        QCOMPARE(w.boxes.lastText(), said);
        QCOMPARE(w.fakes.globalKeys.boundKeys(), bound);
    }
};

QTEST_MAIN(TestShortcuts)
#include "tst_shortcuts.moc"
