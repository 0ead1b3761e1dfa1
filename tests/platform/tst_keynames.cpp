// The X keysyms and the portal's trigger names of the keys a player may put
// on a global shortcut.
#include "platform/keynames.h"

#include <QKeySequence>
#include <QtTest>

using namespace veltrix;

class TestKeyNames : public QObject {
    Q_OBJECT

private slots:
    void names_data()
    {
        QTest::addColumn<QString>("keys"); // Qt's portable text
        QTest::addColumn<uint>("keysym");  // 0: none
        QTest::addColumn<QString>("trigger");
        QTest::newRow("letter, lower case") << "Ctrl+Alt+N" << 0x6eu << "CTRL+ALT+n";
        QTest::newRow("digit, modifiers in order") << "Meta+Shift+Alt+Ctrl+9" << 0x39u << "CTRL+ALT+SHIFT+LOGO+9";
        QTest::newRow("F1") << "F1" << 0xffbeu << "F1";
        QTest::newRow("F35") << "Shift+F35" << 0xffe0u << "SHIFT+F35";
        QTest::newRow("named: Page Up") << "Ctrl+PgUp" << 0xff55u << "CTRL+Prior";
        QTest::newRow("keypad Enter") << "Alt+Enter" << 0xff8du << "ALT+KP_Enter";
        QTest::newRow("umlaut") << "Ctrl+\u00C4" << 0xe4u << "CTRL+adiaeresis";
        QTest::newRow("sharp s") << "Ctrl+\u00DF" << 0xdfu << "CTRL+ssharp";
        QTest::newRow("Latin-1 without a name") << "Ctrl+Alt+@" << 0x40u << "";
        QTest::newRow("beyond Latin-1") << "Ctrl+\u20AC" << 0u << "";
        QTest::newRow("AltGr") << "Ctrl+AltGr" << 0u << "";
    }
    void names()
    {
        QFETCH(QString, keys);
        QFETCH(uint, keysym);
        QFETCH(QString, trigger);
        const QKeySequence sequence = QKeySequence::fromString(keys, QKeySequence::PortableText);
        QCOMPARE(sequence.count(), 1);
        QCOMPARE(keysymOf(sequence[0].key()), keysym);
        QCOMPARE(portalTrigger(sequence[0]), trigger);
    }
};

QTEST_GUILESS_MAIN(TestKeyNames)
#include "tst_keynames.moc"
