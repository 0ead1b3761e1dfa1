// The Windows hot keys against the real RegisterHotKey: keys pressed with
// SendInput reach the program once, a key held by another registration is
// named, and released keys are free again.
#include "platform/windows/hotkeys.h"

#include <QtTest>

#include <windows.h>

using namespace veltrix;

namespace {

const QKeySequence kNext(Qt::CTRL | Qt::ALT | Qt::Key_N);
const QKeySequence kCopy(Qt::CTRL | Qt::ALT | Qt::Key_H);

struct Recorder {
    QObject context;
    QStringList pressed;
    QList<QKeySequence> taken;
    QList<QKeySequence> unusable;
    void watch(GlobalKeys &keys)
    {
        keys.watch(
            &context, [this](const QString &id) { pressed << id; },
            [this](const KeyProblem &p) { (p.kind == KeyProblem::Kind::Unusable ? unusable : taken) << p.keys; });
    }
};

void press(const QKeySequence &keys)
{
    const QKeyCombination c = keys[0];
    QList<WORD> codes;
    if (c.keyboardModifiers() & Qt::ControlModifier)
        codes << VK_CONTROL;
    if (c.keyboardModifiers() & Qt::AltModifier)
        codes << VK_MENU;
    if (c.keyboardModifiers() & Qt::ShiftModifier)
        codes << VK_SHIFT;
    codes << WORD(virtualKeyOf(c.key()));
    QList<INPUT> inputs;
    for (WORD code : codes) {
        INPUT in {};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = code;
        inputs << in;
    }
    for (qsizetype i = codes.size() - 1; i >= 0; --i) {
        INPUT in {};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = codes[i];
        in.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs << in;
    }
    SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
}

} // namespace

class TestWinHotKeys : public QObject {
    Q_OBJECT

private slots:
    void virtualKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<unsigned>("code");
        QTest::newRow("letter") << int(Qt::Key_N) << unsigned('N');
        QTest::newRow("digit") << int(Qt::Key_7) << unsigned('7');
        QTest::newRow("function key") << int(Qt::Key_F12) << unsigned(VK_F12);
        QTest::newRow("arrow") << int(Qt::Key_Left) << unsigned(VK_LEFT);
        QTest::newRow("no key at all") << int(Qt::Key_unknown) << 0u;
    }
    void virtualKeys()
    {
        QFETCH(int, key);
        QFETCH(unsigned, code);
        QCOMPARE(virtualKeyOf(Qt::Key(key)), code);
    }

    void pressRunsOnce()
    {
        WindowsHotKeys keys;
        Recorder r;
        r.watch(keys);
        keys.bind({{QStringLiteral("next"), {}, kNext}, {QStringLiteral("copy"), {}, kCopy}});
        QVERIFY(r.taken.isEmpty());
        press(kCopy);
        QTRY_COMPARE(r.pressed, QStringList{QStringLiteral("copy")});
        press(kNext);
        QTRY_COMPARE(r.pressed, (QStringList{QStringLiteral("copy"), QStringLiteral("next")}));
    }

    void heldElsewhereIsNamed_data()
    {
        QTest::addColumn<bool>("releasedFirst");
        QTest::newRow("held") << false;
        QTest::newRow("released") << true;
    }
    void heldElsewhereIsNamed()
    {
        QFETCH(bool, releasedFirst);
        WindowsHotKeys first;
        first.bind({{QStringLiteral("next"), {}, kNext}});
        if (releasedFirst)
            first.bind({});
        WindowsHotKeys second;
        Recorder r;
        r.watch(second);
        second.bind({{QStringLiteral("next"), {}, kNext}, {QStringLiteral("copy"), {}, kCopy}});
        QCOMPARE(r.taken, releasedFirst ? QList<QKeySequence>{} : QList<QKeySequence>{kNext});
    }

    void unmappableKeyIsNamed()
    {
        WindowsHotKeys keys;
        Recorder r;
        r.watch(keys);
        const QKeySequence dead(Qt::CTRL | Qt::Key_Dead_Circumflex);
        QVERIFY(!keys.usable(dead));
        QVERIFY(keys.usable(kNext));
        keys.bind({{QStringLiteral("next"), {}, dead}});
        QCOMPARE(r.unusable, QList<QKeySequence>{dead});
        QVERIFY(r.taken.isEmpty());
    }
};

QTEST_MAIN(TestWinHotKeys)
#include "tst_winhotkeys.moc"
