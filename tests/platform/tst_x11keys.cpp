// The X11 path against a real X server: another client's window has the
// focus, XTEST presses the keys, and the list changes in the window that
// holds it. Runs under xvfb-run.
#include "platform/qtplatform.h"
#include "support/statusfixture.h"
#include "ui/application.h"

#include <QApplication>
#include <QDialog>
#include <QKeySequenceEdit>
#include <QProcessEnvironment>
#include <QtTest>

#include <cstdlib>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>
#include <xcb/xtest.h>

using namespace veltrix;
using namespace veltrix::test;

namespace {

const QString kBank = QStringLiteral("Lindenallee 117: Bank (SG: 45%) [Fallgitter]");
const QString kKiosk = QStringLiteral("Lindenallee 119: Kiosk (SG: 20%)");
const QString kShop = QStringLiteral("Lindenallee 121: Kiosk (SG: 20%)");

constexpr xcb_keysym_t kControl = 0xffe3;
constexpr xcb_keysym_t kAlt = 0xffe9;
constexpr xcb_keysym_t kShift = 0xffe1;
constexpr xcb_keysym_t kAltGr = 0xfe03;
using Keysyms = QList<uint>;

// Another program on the same display: its own connection and window.
class OtherClient {
public:
    OtherClient()
    {
        m_connection = xcb_connect(nullptr, nullptr);
        m_symbols = xcb_key_symbols_alloc(m_connection);
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        m_window = xcb_generate_id(m_connection);
        xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, m_window, m_root, 0, 600, 200, 100, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
        xcb_map_window(m_connection, m_window);
        sync();
    }
    ~OtherClient()
    {
        xcb_key_symbols_free(m_symbols);
        xcb_disconnect(m_connection);
    }

    void takeFocus()
    {
        xcb_set_input_focus(m_connection, XCB_INPUT_FOCUS_POINTER_ROOT, m_window, XCB_CURRENT_TIME);
        sync();
    }
    bool hasFocus()
    {
        xcb_get_input_focus_reply_t *reply =
            xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr);
        const bool focused = reply && reply->focus == m_window;
        std::free(reply);
        return focused;
    }
    xcb_keycode_t keycode(xcb_keysym_t keysym)
    {
        xcb_keycode_t *codes = xcb_key_symbols_get_keycode(m_symbols, keysym);
        const xcb_keycode_t code = codes ? codes[0] : 0;
        std::free(codes);
        return code;
    }
    void tap(xcb_keysym_t keysym) { press({keysym}); }
    // Presses the keys in order and lets them go in reverse.
    void press(const QList<uint> &keysyms)
    {
        for (xcb_keysym_t keysym : keysyms)
            xcb_test_fake_input(m_connection, XCB_KEY_PRESS, keycode(keysym), XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        for (qsizetype i = keysyms.size() - 1; i >= 0; --i)
            xcb_test_fake_input(m_connection, XCB_KEY_RELEASE, keycode(keysyms[i]), XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        sync();
    }
    // True when the grab was granted, i.e. nobody else holds the key.
    bool grab(xcb_keysym_t keysym, quint16 modifiers)
    {
        xcb_generic_error_t *error = xcb_request_check(
            m_connection, xcb_grab_key_checked(m_connection, 0, m_root, modifiers, keycode(keysym), XCB_GRAB_MODE_ASYNC,
                                               XCB_GRAB_MODE_ASYNC));
        std::free(error);
        return !error;
    }

private:
    void sync() { std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr)); }

    xcb_connection_t *m_connection = nullptr;
    xcb_key_symbols_t *m_symbols = nullptr;
    xcb_window_t m_root = 0;
    xcb_window_t m_window = 0;
};

// The keyboard layout of the whole X server, as a desktop switches it.
bool setLayout(const QString &layout)
{
    return QProcess::execute(QStringLiteral("setxkbmap"), {layout}) == 0;
}

QByteArray shortcutsSection(const QByteArray &lines)
{
    return "[Tastenk\xC3\xBCrzel]\r\naktiv=1\r\n" + lines;
}

QProcessEnvironment x11Session()
{
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("x11"));
    return environment;
}

} // namespace

class TestX11Keys : public QObject {
    Q_OBJECT

    QTemporaryDir m_temp;
    QString ini() const { return m_temp.filePath(QStringLiteral("veltrix.ini")); }

private slots:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        installGermanTranslations(*qApp);
        QVERIFY(putFile(ini(), "[Tastenk\xFCrzel]\r\naktiv=1\r\n"));
    }

    void keyRunsCommandElsewhere_data()
    {
        QTest::addColumn<xcb_keysym_t>("key");
        QTest::addColumn<xcb_keysym_t>("lock"); // toggled before and after; 0: none
        QTest::addColumn<bool>("inStatus");     // the status window holds the list
        QTest::addColumn<bool>("modal");        // a question of the program's own is open
        QTest::addColumn<QString>("clipboard"); // before
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<QString>("clipboardAfter");
        QTest::addColumn<int>("beeps");
        const QString report = QStringLiteral("Lindenallee 119: Kiosk (SG: 25%)");
        const QStringList all{kBank, kKiosk, kShop};
        QTest::newRow("Nächstes Ziel") << xcb_keysym_t('n') << xcb_keysym_t(0) << false << false << "" << QStringList{kKiosk, kShop}
                                       << "119" << 0;
        QTest::newRow("Nächstes Ziel, Caps Lock, status window")
            << xcb_keysym_t('n') << xcb_keysym_t(0xffe5) << true << false << "" << QStringList{kKiosk, kShop} << "119" << 0;
        QTest::newRow("Hausnummer, Num Lock") << xcb_keysym_t('h') << xcb_keysym_t(0xff7f) << false << false << "" << all
                                              << "117" << 0;
        QTest::newRow("Hausnummer, status window") << xcb_keysym_t('h') << xcb_keysym_t(0) << true << false << "" << all
                                                   << "117" << 0;
        QTest::newRow("Abgleichen") << xcb_keysym_t('b') << xcb_keysym_t(0) << false << false << report
                                    << QStringList{kBank, report, kShop} << report << 0;
        QTest::newRow("Abgleichen, no report: the beep") << xcb_keysym_t('b') << xcb_keysym_t(0) << false << false << "hallo"
                                                         << all << "hallo" << 1;
        QTest::newRow("question open: the beep") << xcb_keysym_t('n') << xcb_keysym_t(0) << false << true << "" << all << ""
                                                 << 1;
    }
    void keyRunsCommandElsewhere()
    {
        QFETCH(xcb_keysym_t, key);
        QFETCH(xcb_keysym_t, lock);
        QFETCH(bool, inStatus);
        QFETCH(bool, modal);
        QFETCH(QString, clipboard);
        QFETCH(QStringList, list);
        QFETCH(QString, clipboardAfter);
        QFETCH(int, beeps);
        RealPlatform real(x11Session());
        MainAndStatus w(ini(), real.platform().globalKeys);
        w.main->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.main.get()));
        w.main->list().memo().setText(QStringList{kBank, kKiosk, kShop}.join(QStringLiteral("\r\n")));
        if (inStatus) {
            trigger(*w.main, "Statusfenster1");
            QVERIFY(QTest::qWaitForWindowExposed(w.status.get()));
        }
        QDialog question;
        if (modal) {
            question.setWindowModality(Qt::ApplicationModal);
            question.show();
            QVERIFY(QTest::qWaitForWindowExposed(&question));
        }
        w.fakes.clipboard.setText(clipboard);

        OtherClient other;
        other.takeFocus();
        if (lock)
            other.tap(lock);
        other.press({kControl, kAlt, key});
        if (lock)
            other.tap(lock);

        QTRY_COMPARE(w.fakes.feedback.beeps, beeps);
        QTRY_COMPARE(w.fakes.clipboard.text(), clipboardAfter);
        const MemoLines shown = inStatus ? w.statusList() : w.main->list().memo();
        QTRY_COMPARE(shown.lines(), list);
        QVERIFY(w.boxes.shown.isEmpty());
        QVERIFY(other.hasFocus());
    }

    // Said once, in German, and the other keys still work; everything is
    // released at the end.
    void keyHeldElsewhere()
    {
        OtherClient holder;
        QVERIFY(holder.grab('b', XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1));
        {
            RealPlatform real(x11Session());
            MainAndStatus w(ini(), real.platform().globalKeys);
            w.main->show();
            QVERIFY(QTest::qWaitForWindowExposed(w.main.get()));
            QCOMPARE(w.boxes.shown.size(), 1);
            QCOMPARE(w.boxes.shown[0].title, QStringLiteral("Hinweis"));
            QCOMPARE(w.boxes.lastText(),
                     QStringLiteral("Das Tastenkürzel Strg+Alt+B wird bereits von einem anderen Programm verwendet."));
            w.main->list().memo().setText(kBank + QStringLiteral("\r\n") + kKiosk);
            OtherClient other;
            other.takeFocus();
            other.press({kControl, kAlt, 'n'});
            QTRY_COMPARE(w.main->list().memo().lines(), QStringList{kKiosk});
            QVERIFY(!holder.grab('n', XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_LOCK));
        }
        QVERIFY(holder.grab('n', XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1));
        QVERIFY(holder.grab('h', XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_LOCK));
    }
    void cleanup() { QVERIFY(setLayout(QStringLiteral("us"))); }

    // A key no key of the keyboard gives is said, not silently left out.
    void unusableKeyIsTold_data()
    {
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QString>("shown");
        QTest::newRow("not on the us map") << QByteArray("Ctrl+Alt+\xC3\x84") << "Strg+Alt+Ä";
        QTest::newRow("no keysym") << QByteArray("Ctrl+Alt+\xE2\x82\xAC") << "Strg+Alt+€";
    }
    void unusableKeyIsTold()
    {
        QFETCH(QByteArray, key);
        QFETCH(QString, shown);
        const QString path = m_temp.filePath(QStringLiteral("unusable.ini"));
        QVERIFY(putFile(path, shortcutsSection("NaechstesZiel=" + key + "\r\n")));
        RealPlatform real(x11Session());
        MainAndStatus w(path, real.platform().globalKeys);
        w.main->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.main.get()));
        QCOMPARE(w.boxes.shown.size(), 1);
        QCOMPARE(w.boxes.shown[0].title, QStringLiteral("Hinweis"));
        QCOMPARE(w.boxes.lastText(),
                 QStringLiteral("Das Tastenkürzel %1 kann mit dieser Tastatur nicht verwendet werden.").arg(shown));
    }

    // The key fires as the player types it, on the layout of the moment,
    // and not on the key that gives its character on another level.
    void keysOnTheLayout_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("changedTo"); // after the keys are taken; empty: no change
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<Keysyms>("other"); // must not fire
        QTest::addColumn<Keysyms>("typed");
        QTest::newRow("AltGr on de") << "de" << "" << QByteArray("Ctrl+Alt+@") << Keysyms{kControl, kAlt, 'q'}
                                     << Keysyms{kControl, kAlt, kAltGr, 'q'};
        QTest::newRow("Shift on us") << "us" << "" << QByteArray("Ctrl+Alt+@") << Keysyms{kControl, kAlt, '2'}
                                     << Keysyms{kControl, kAlt, kShift, '2'};
        QTest::newRow("us, then de: grabs taken again")
            << "us" << "de" << QByteArray("Ctrl+Alt+Z") << Keysyms{kControl, kAlt, 'y'} << Keysyms{kControl, kAlt, 'z'};
    }
    void keysOnTheLayout()
    {
        QFETCH(QString, layout);
        QFETCH(QString, changedTo);
        QFETCH(QByteArray, key);
        QFETCH(Keysyms, other);
        QFETCH(Keysyms, typed);
        QVERIFY(setLayout(layout));
        const QString path = m_temp.filePath(QStringLiteral("layout.ini"));
        QVERIFY(putFile(path, shortcutsSection("NaechstesZiel=" + key + "\r\nHausnummer=\r\nAbgleichen=\r\n")));
        RealPlatform real(x11Session());
        MainAndStatus w(path, real.platform().globalKeys);
        w.main->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.main.get()));
        const QStringList all{kBank, kKiosk};
        w.main->list().memo().setText(all.join(QStringLiteral("\r\n")));
        if (!changedTo.isEmpty()) {
            QVERIFY(setLayout(changedTo));
            QTest::qWait(500);
        }
        OtherClient client; // reads the map of the moment
        client.takeFocus();
        client.press(other);
        QTest::qWait(300);
        QCOMPARE(w.main->list().memo().lines(), all);
        client.press(typed);
        QTRY_COMPARE(w.main->list().memo().lines(), QStringList{kKiosk});
        QVERIFY(w.boxes.shown.isEmpty());
    }

    // The dialog records a key bound right now; OK takes the new keys,
    // Abbrechen the old ones back.
    void dialogRecordsBoundKey_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<Keysyms>("typed");
        QTest::addColumn<QString>("recorded");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QStringList>("list"); // after the recorded key is pressed elsewhere
        QTest::addColumn<QString>("clipboard");
        const Keysyms next{kControl, kAlt, 'n'};
        QTest::newRow("OK") << "us" << next << "Ctrl+Alt+N" << true << QStringList{kBank, kKiosk} << "117";
        QTest::newRow("Abbrechen") << "us" << next << "Ctrl+Alt+N" << false << QStringList{kKiosk} << "119";
        QTest::newRow("AltGr on de") << "de" << Keysyms{kControl, kAlt, kAltGr, 'q'} << "Ctrl+Alt+@" << true
                                     << QStringList{kBank, kKiosk} << "117";
    }
    void dialogRecordsBoundKey()
    {
        QFETCH(QString, layout);
        QFETCH(Keysyms, typed);
        QFETCH(QString, recorded);
        QFETCH(bool, ok);
        QFETCH(QStringList, list);
        QFETCH(QString, clipboard);
        QVERIFY(setLayout(layout));
        const QString path = m_temp.filePath(QStringLiteral("dialog.ini"));
        QVERIFY(putFile(path, shortcutsSection("")));
        RealPlatform real(x11Session());
        MainAndStatus w(path, real.platform().globalKeys);
        w.main->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.main.get()));
        w.main->list().memo().setText(kBank + QStringLiteral("\r\n") + kKiosk);

        QString seen;
        QObject guard;
        whenModalDialog(guard, [&](QWidget *found) {
            auto *dialog = qobject_cast<QDialog *>(found);
            dialog->activateWindow();
            if (QTest::qWaitForWindowActive(dialog)) {
                control<QKeySequenceEdit>(*dialog, "NaechstesZiel")->clear();
                auto *field = control<QKeySequenceEdit>(*dialog, "Hausnummer");
                field->setFocus();
                field->clear();
                QSignalSpy finished(field, &QKeySequenceEdit::editingFinished);
                OtherClient typist;
                typist.press(typed);
                (void)finished.wait(3000);
                seen = field->keySequence().toString(QKeySequence::PortableText);
            }
            ok ? dialog->accept() : dialog->reject();
            if (dialog->isVisible())
                dialog->reject(); // OK refused the key: the comparisons below say more
        });
        trigger(*w.main, "GlobaleTastenkuerzel1");
        QCOMPARE(seen, recorded);
        QCOMPARE(w.boxes.shown.size(), 0);
        QCOMPARE(w.fakes.feedback.beeps, 0);
        QCOMPARE(w.main->list().memo().lines(), (QStringList{kBank, kKiosk}));

        OtherClient other;
        other.takeFocus();
        other.press(typed);
        QTRY_COMPARE(w.fakes.clipboard.text(), clipboard);
        QCOMPARE(w.main->list().memo().lines(), list);
        QVERIFY(w.boxes.shown.isEmpty());
    }
};

QTEST_MAIN(TestX11Keys)
#include "tst_x11keys.moc"
