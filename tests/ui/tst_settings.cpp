#include "platform/qtplatform.h"
#include "support/elsewhere.h"
#include "support/statusfixture.h"
#include "support/controls.h"

#include <QAction>
#include <QProcessEnvironment>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#ifndef Q_OS_WIN
#include <unistd.h>
#endif

using namespace veltrix;
using namespace veltrix::test;
using test::fileBytes;
using test::MainAndStatus;

namespace {

const QString kBank = QStringLiteral("Lindenallee 117: Bank (SG: 45%) [Fallgitter]");
// The settings file is Windows-1252 while every character has a code there.
const QByteArray kShortcutsHeader = "[Tastenk\xFCrzel]\r\n";
const QByteArray kShortcutsWritten =
    kShortcutsHeader + "aktiv=0\r\nNaechstesZiel=Ctrl+Alt+N\r\nHausnummer=Ctrl+Alt+H\r\nAbgleichen=Ctrl+Alt+B\r\n";

void showAndClose(TfrmMain &w)
{
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.close();
}

} // namespace

class TestSettings : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_temp;
    QString m_ini;
    QString path(const QString &name) const { return m_temp->filePath(name); }

private slots:
    void init()
    {
        m_temp = std::make_unique<QTemporaryDir>();
        QVERIFY(m_temp->isValid());
        m_ini = path(QStringLiteral("veltrix.ini"));
    }

    void settingsPath_data()
    {
        QTest::addColumn<QString>("explicitPath");
        QTest::addColumn<QString>("configHome");
        QTest::addColumn<QString>("expected");
        QTest::newRow("VELTRIX_INI") << "/srv/v.ini" << "/cfg" << "/srv/v.ini";
#ifdef Q_OS_WIN
        QTest::newRow("APPDATA") << "" << "C:\\Benutzer\\Jörg\\AppData" << "C:/Benutzer/Jörg/AppData/veltrix.ini";
        QTest::newRow("relative one ignored") << "" << "cfg" << QDir::homePath() + "/AppData/Roaming/veltrix.ini";
#else
        QTest::newRow("XDG_CONFIG_HOME") << "" << "/cfg" << "/cfg/veltrix.ini";
        QTest::newRow("relative one ignored") << "" << "cfg" << QDir::homePath() + "/.config/veltrix.ini";
#endif
    }
    void settingsPath()
    {
        QFETCH(QString, explicitPath);
        QFETCH(QString, configHome);
        QFETCH(QString, expected);
        QProcessEnvironment environment;
        environment.insert(QStringLiteral("VELTRIX_INI"), explicitPath);
        // The system's own folder for settings.
#ifdef Q_OS_WIN
        environment.insert(QStringLiteral("APPDATA"), configHome);
#else
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
#endif
        QCOMPARE(RealPlatform(environment).platform().settingsPath, expected);
    }

    void load_data()
    {
        QTest::addColumn<QByteArray>("ini");       // empty: no file
        QTest::addColumn<QPoint>("mainPos");
        QTest::addColumn<QPoint>("statusPos");    // null: its start position
        QTest::addColumn<QString>("hideout");
        QTest::addColumn<bool>("marker");         // keinversteck shown
        QTest::addColumn<QString>("lastOpened");
        QTest::addColumn<bool>("watch");          // Zwischenablageueberwachen1 checked
        QTest::newRow("no file") << QByteArray() << QPoint(311, 163) << QPoint() << "0" << true << "" << false;
        QTest::newRow("full") << QByteArray("[Datei]\r\nDateiname=/tmp/a&b.txt\r\n[Statusfenster]\r\ntop=41\r\nleft=0\r\n"
                                            "[Veltrix]\r\ntop=20\r\nleft=30\r\n[Einstellungen]\r\nVersteck=120\r\nZwischenablage=1\r\n")
                              << QPoint(30, 20) << QPoint(0, 41) << "120" << false << "/tmp/a&&b.txt" << true;
        QTest::newRow("partial") << QByteArray("[veltrix]\r\n LEFT = $10 \r\n") << QPoint(16, 163) << QPoint() << "0" << true << "" << false;
        QTest::newRow("abc in Versteck") << QByteArray("[Einstellungen]\r\nVersteck=abc\r\n") << QPoint(311, 163) << QPoint() << "abc" << true << "" << false;
        QTest::newRow("00 in Versteck") << QByteArray("[Einstellungen]\r\nVersteck=00\r\n") << QPoint(311, 163) << QPoint() << "00" << false << "" << false;
        QTest::newRow("bad top and left") << QByteArray("[Veltrix]\r\ntop=abc\r\nleft=30\r\n[Statusfenster]\r\ntop=12a\r\n"
                                                        "[Einstellungen]\r\nVersteck=9\r\n")
                                          << QPoint(30, 163) << QPoint() << "9" << false << "" << false;
        QTest::newRow("quoted values") << QByteArray("[Datei]\r\nDateiname=\"/tmp/mein bericht.txt\"\r\n"
                                                     "[Einstellungen]\r\nVersteck=\"120\"\r\n")
                                       << QPoint(311, 163) << QPoint() << "120" << false << "/tmp/mein bericht.txt" << false;
        QTest::newRow("empty quotes") << QByteArray("[Einstellungen]\r\nVersteck=\"\"\r\n") << QPoint(311, 163) << QPoint() << ""
                                      << true << "" << false;
        QTest::newRow("semicolon in value") << QByteArray("[Einstellungen]\r\nVersteck=12;3\r\n") << QPoint(311, 163) << QPoint()
                                            << "12;3" << true << "" << false;
        QTest::newRow("longer than typing allows") << QByteArray("[Einstellungen]\r\nVersteck= 1234567 \r\n") << QPoint(311, 163)
                                                   << QPoint() << "1234567" << false << "" << false;
        QTest::newRow("main off every screen") << QByteArray("[Veltrix]\r\ntop=-5000\r\nleft=-5000\r\n") << QPoint(311, 163)
                                               << QPoint() << "0" << true << "" << false;
        QTest::newRow("status off every screen") << QByteArray("[Statusfenster]\r\ntop=1\r\nleft=90000\r\n") << QPoint(311, 163)
                                                 << QPoint() << "0" << true << "" << false;
        // Over the right edge: moved inside, the top kept (x -1: at the right edge).
        const int partlyOn = QGuiApplication::primaryScreen()->availableGeometry().right() - 100;
        QTest::newRow("main partly on a screen") << "[Veltrix]\r\ntop=20\r\nleft=" + QByteArray::number(partlyOn) + "\r\n"
                                                 << QPoint(-1, 20) << QPoint() << "0" << true << "" << false;
    }
    void load()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QPoint, mainPos);
        QFETCH(QPoint, statusPos);
        QFETCH(QString, hideout);
        QFETCH(bool, marker);
        QFETCH(QString, lastOpened);
        QFETCH(bool, watch);
        if (!ini.isEmpty())
            QVERIFY(test::putFile(m_ini, ini));
        MainAndStatus w(m_ini);
        const QPoint start = w.status->pos();
        control<QLineEdit>(*w.main, "Versteck")->setText(QStringLiteral("55"));
        w.main->show(); // the first showing reads them
        QVERIFY(QTest::qWaitForWindowExposed(w.main.get()));
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(w.main->pos(), mainPos.x() < 0 ? QPoint(area.right() + 1 - w.main->frameGeometry().width(), mainPos.y()) : mainPos);
        QCOMPARE(w.status->pos(), statusPos.isNull() ? start : statusPos);
        QCOMPARE(control<QLineEdit>(*w.main, "Versteck")->text(), hideout);
        QCOMPARE(!control<QWidget>(*w.main, "keinversteck")->isHidden(), marker);
        QCOMPARE(control<QAction>(*w.main, "lastOpened")->isVisible(), !lastOpened.isEmpty());
        if (!lastOpened.isEmpty())
            QCOMPARE(control<QAction>(*w.main, "lastOpened")->text(), QStringLiteral("Öffnen: ") + lastOpened);
        QCOMPARE(control<QAction>(*w.main, "Zwischenablageueberwachen1")->isChecked(), watch);
        QVERIFY(w.boxes.shown.isEmpty());
        QCOMPARE(QFile::exists(m_ini), !ini.isEmpty());
    }

    // Showing the window again must not undo what the player typed or
    // where the window was moved since.
    void settingsReadAtFirstShowOnly_data()
    {
        QTest::addColumn<bool>("viaStatus");
        QTest::newRow("hidden and shown again") << false;
        QTest::newRow("status window hands the list back") << true;
    }
    void settingsReadAtFirstShowOnly()
    {
        QFETCH(bool, viaStatus);
        QVERIFY(test::putFile(m_ini, "[Veltrix]\r\ntop=20\r\nleft=30\r\n[Einstellungen]\r\nVersteck=120\r\n"));
        MainAndStatus w(m_ini);
        w.main->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.main.get()));
        QCOMPARE(control<QLineEdit>(*w.main, "Versteck")->text(), QStringLiteral("120"));
        QCOMPARE(w.main->pos(), QPoint(30, 20));
        control<QLineEdit>(*w.main, "Versteck")->setText(QStringLiteral("77"));
        w.main->move(100, 90);
        if (viaStatus) {
            trigger(*w.main, "Statusfenster1");
            QVERIFY(!w.main->isVisible());
            trigger(*w.status, "Schlieen1");
        } else {
            w.main->hide();
            w.main->show();
        }
        QVERIFY(w.main->isVisible());
        QCOMPARE(control<QLineEdit>(*w.main, "Versteck")->text(), QStringLiteral("77"));
        QCOMPARE(w.main->pos(), QPoint(100, 90));
    }

    void saveWritesKeysInOrder_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<bool>("watch");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("new file") << QByteArray() << false
                                  << QByteArray("[Datei]\r\nDateiname=\r\n[Statusfenster]\r\ntop=1\r\nleft=600\r\n"
                                                "[Veltrix]\r\ntop=50\r\nleft=40\r\n[Einstellungen]\r\nVersteck=120\r\n"
                                                "Zwischenablage=0\r\nFarben=1\r\n" + kShortcutsWritten);
        QTest::newRow("classic file") << QByteArray("; von Hand\r\n[DATEI]\r\nDATEINAME=C:\\alt.txt\r\nExtra=1\r\n\r\n"
                                                    "[Fremd]\r\nx = y\r\n[veltrix]\r\nLEFT=1\r\nTop=2\r\n")
                                      << true
                                      << QByteArray("; von Hand\r\n[DATEI]\r\nDATEINAME=\r\nExtra=1\r\n\r\n[Fremd]\r\nx = y\r\n"
                                                    "[veltrix]\r\nLEFT=40\r\nTop=50\r\n[Statusfenster]\r\ntop=1\r\nleft=600\r\n"
                                                    "[Einstellungen]\r\nVersteck=120\r\nZwischenablage=1\r\nFarben=1\r\n"
                                                    + kShortcutsWritten);
    }
    void saveWritesKeysInOrder()
    {
        QFETCH(QByteArray, before);
        QFETCH(bool, watch);
        QFETCH(QByteArray, after);
        if (!before.isEmpty())
            QVERIFY(test::putFile(m_ini, before));
        MainAndStatus w(m_ini);
        w.main->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.main.get()));
        w.main->move(40, 50);
        w.status->move(600, 1);
        control<QLineEdit>(*w.main, "Versteck")->setText(QStringLiteral("120"));
        control<QAction>(*w.main, "Zwischenablageueberwachen1")->setChecked(watch);
        w.main->close();
        QCOMPARE(fileBytes(m_ini), after);
    }

    // "Zeilen einfärben" is kept: on unless the file says "0".
    void coloursSetting_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<bool>("checked");
        QTest::newRow("no key") << QByteArray("[Einstellungen]\r\nVersteck=1\r\n") << true;
        QTest::newRow("off") << QByteArray("[Einstellungen]\r\nFarben=0\r\n") << false;
        QTest::newRow("on") << QByteArray("[Einstellungen]\r\nFarben=1\r\n") << true;
    }
    void coloursSetting()
    {
        QFETCH(QByteArray, ini);
        QFETCH(bool, checked);
        QVERIFY(test::putFile(m_ini, ini));
        MainAndStatus w(m_ini);
        auto *item = control<QAction>(*w.main, "Zeileneinfaerben1");
        item->setChecked(!checked);
        w.main->show(); // the first showing reads them
        QVERIFY(QTest::qWaitForWindowExposed(w.main.get()));
        QCOMPARE(item->isChecked(), checked);
        item->setChecked(!checked);
        w.main->close();
        QVERIFY(fileBytes(m_ini).contains(checked ? "\r\nFarben=0\r\n" : "\r\nFarben=1\r\n"));
    }

    // The global shortcuts' section, read at the first showing and written
    // back after the other sections.
    void shortcutSettings_data()
    {
        QTest::addColumn<QByteArray>("section"); // lines below the header; empty: no section
        QTest::addColumn<bool>("supported");
        QTest::addColumn<QStringList>("bound");
        QTest::addColumn<QByteArray>("written");
        const QStringList defaults{"Ctrl+Alt+N", "Ctrl+Alt+H", "Ctrl+Alt+B"};
        const QByteArray defaultKeys = "NaechstesZiel=Ctrl+Alt+N\r\nHausnummer=Ctrl+Alt+H\r\nAbgleichen=Ctrl+Alt+B\r\n";
        QTest::newRow("no section: off") << QByteArray() << true << QStringList() << "aktiv=0\r\n" + defaultKeys;
        QTest::newRow("on with the defaults") << QByteArray("aktiv=1\r\n") << true << defaults << "aktiv=1\r\n" + defaultKeys;
        QTest::newRow("own keys") << QByteArray("AKTIV=1\r\nNaechstesZiel=F9\r\nHausnummer=Alt+Ctrl+Ä\r\nAbgleichen=meta+b\r\n")
                                  << true << QStringList{"F9", "Ctrl+Alt+Ä", "Meta+B"}
                                  << QByteArray("AKTIV=1\r\nNaechstesZiel=F9\r\nHausnummer=Ctrl+Alt+\xC4\r\nAbgleichen=Meta+B\r\n");
        QTest::newRow("empty: no shortcut") << QByteArray("aktiv=1\r\nHausnummer=\r\n") << true
                                            << QStringList{"Ctrl+Alt+N", "Ctrl+Alt+B"}
                                            << QByteArray("aktiv=1\r\nHausnummer=\r\nNaechstesZiel=Ctrl+Alt+N\r\n"
                                                          "Abgleichen=Ctrl+Alt+B\r\n");
        QTest::newRow("unreadable: defaults")
            << QByteArray("aktiv=1\r\nNaechstesZiel=Strg+Alt+X\r\nHausnummer=Ctrl+A, Ctrl+B\r\nAbgleichen=Ctrl+Alt\r\n") << true
            << defaults << "aktiv=1\r\n" + defaultKeys;
        QTest::newRow("aktiv other than 1: off") << QByteArray("aktiv=ja\r\n") << true << QStringList()
                                                 << "aktiv=0\r\n" + defaultKeys;
        QTest::newRow("desktop without global keys") << QByteArray("aktiv=1\r\n") << false << QStringList()
                                                     << "aktiv=1\r\n" + defaultKeys;
    }
    void shortcutSettings()
    {
        QFETCH(QByteArray, section);
        QFETCH(bool, supported);
        QFETCH(QStringList, bound);
        QFETCH(QByteArray, written);
        QVERIFY(test::putFile(m_ini, section.isEmpty() ? QByteArray("[Veltrix]\r\nleft=30\r\n")
                                                       : kShortcutsHeader + QString::fromUtf8(section).toLatin1()));
        MainAndStatus w(m_ini);
        w.fakes.globalKeys.isSupported = supported;
        w.main->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.main.get()));
        QCOMPARE(w.fakes.globalKeys.boundKeys(), bound);
        w.main->close();
        const QByteArray file = fileBytes(m_ini);
        const qsizetype header = file.indexOf(kShortcutsHeader);
        QVERIFY(header >= 0);
        QByteArray lines = file.mid(header + kShortcutsHeader.size());
        if (const qsizetype next = lines.indexOf("\r\n["); next >= 0)
            lines.truncate(next + 2);
        QCOMPARE(lines, written);
        // Nothing stays grabbed once the program ends.
        w.main.reset();
        QVERIFY(w.fakes.globalKeys.boundKeys().isEmpty());
    }

    void closeQueryPaths_data()
    {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<bool>("withName");
        QTest::addColumn<int>("answer");       // MsgResult
        QTest::addColumn<QString>("dialog");   // save dialog answer, empty: cancel
        QTest::addColumn<bool>("closes");
        QTest::addColumn<QString>("written");  // file that must hold the list
        QTest::newRow("unmodified") << false << false << int(MsgResult::Yes) << "" << true << "";
        QTest::newRow("Ja with name") << true << true << int(MsgResult::Yes) << "" << true << "a.txt";
        QTest::newRow("Ja without name") << true << false << int(MsgResult::Yes) << "neu" << true << "neu.txt";
        QTest::newRow("Ja, dialog cancelled") << true << false << int(MsgResult::Yes) << "" << false << "";
        QTest::newRow("Ja, save fails") << true << false << int(MsgResult::Yes) << "ordner.txt" << false << "";
        QTest::newRow("Nein") << true << true << int(MsgResult::No) << "" << true << "";
        QTest::newRow("Abbrechen") << true << true << int(MsgResult::Cancel) << "" << false << "";
    }
    void closeQueryPaths()
    {
        QFETCH(bool, modified);
        QFETCH(bool, withName);
        QFETCH(int, answer);
        QFETCH(QString, dialog);
        QFETCH(bool, closes);
        QFETCH(QString, written);
        QDir(m_temp->path()).mkdir(QStringLiteral("ordner.txt"));
        QVERIFY(test::putFile(path(QStringLiteral("a.txt")), kBank.toLatin1()));
        MainAndStatus w(m_ini);
        if (withName) {
            w.fakes.fileDialogs.openAnswers.push_back(path(QStringLiteral("a.txt")));
            trigger(*w.main, "Dateiffnen1");
        }
        if (modified)
            w.main->list().memo().setText(QStringLiteral("neu 1: Kiosk"));
        w.boxes.answers.push_back(MsgResult(answer));
        if (!dialog.isEmpty())
            w.fakes.fileDialogs.saveAnswers.push_back(path(dialog));
        showAndClose(*w.main);
        QCOMPARE(!w.main->isVisible(), closes);
        QCOMPARE(w.boxes.shown.isEmpty(), !modified);
        if (modified) {
            const MessageRequest &q = w.boxes.shown.first();
            QCOMPARE(q.title, QStringLiteral("Veltrix Professional"));
            QCOMPARE(q.text, QStringLiteral("Wollen Sie die Änderungen speichern?"));
            QCOMPARE(q.buttons, MsgButtons::YesNoCancel);
        }
        if (!written.isEmpty())
            QCOMPARE(fileBytes(path(written)), QByteArray("neu 1: Kiosk"));
        else
            QCOMPARE(fileBytes(path(QStringLiteral("a.txt"))), kBank.toLatin1());
        QVERIFY(QFile::exists(m_ini)); // on every close attempt
    }

    void alwaysOnTopHandBack_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("onTopAfter");
        QTest::newRow("Abbrechen restores it") << int(MsgResult::Cancel) << true;
        QTest::newRow("Nein closes") << int(MsgResult::No) << false;
    }
    void alwaysOnTopHandBack()
    {
        QFETCH(int, answer);
        QFETCH(bool, onTopAfter);
        MainAndStatus w(m_ini);
        trigger(*w.main, "AlwaysOnTop1");
        w.main->list().memo().setText(kBank);
        w.boxes.answers.push_back(MsgResult(answer));
        showAndClose(*w.main);
        QVERIFY(!w.boxes.onTopDuringQuestion);
        QCOMPARE(control<QAction>(*w.main, "AlwaysOnTop1")->isChecked(), onTopAfter);
        QCOMPARE(isStayOnTop(w.main.get()), onTopAfter);
        QCOMPARE(control<QTimer>(*w.main, "ToFront")->isActive(), onTopAfter);
    }

    // Reported, but the player must always be able to quit. Run as nobody
    // when the suite runs as root, which ignores permissions.
    void unwritableSettings_data()
    {
        QTest::addColumn<QString>("ini");
        QTest::newRow("below a file") << "datei/veltrix.ini";
        QTest::newRow("a read-only file") << "nurlesen.ini";
#ifndef Q_OS_WIN // a Windows folder's read-only mark does not keep files out
        QTest::newRow("in a read-only folder") << "nurlesen/veltrix.ini";
#endif
    }
    void unwritableSettings()
    {
        VELTRIX_RUN_HERE(test::asUnprivileged());
        QFETCH(QString, ini);
        QDir(m_temp->path()).mkdir(QStringLiteral("ordner"));
        QVERIFY(test::putFile(path(QStringLiteral("datei")), "x"));
        QVERIFY(test::putFile(path(QStringLiteral("nurlesen.ini")), "[Veltrix]\r\nLeft=1\r\n"));
        QVERIFY(QFile::setPermissions(path(QStringLiteral("nurlesen.ini")), QFile::ReadOwner));
        QVERIFY(QDir(m_temp->path()).mkdir(QStringLiteral("nurlesen")));
        QVERIFY(QFile::setPermissions(path(QStringLiteral("nurlesen")), QFile::ReadOwner | QFile::ExeOwner));
        MainAndStatus w(path(ini));
        showAndClose(*w.main);
        QVERIFY(!w.main->isVisible());
        QCOMPARE(w.boxes.shown.size(), 1);
        QCOMPARE(w.boxes.lastText(), QStringLiteral("In %1 kann nicht geschrieben werden").arg(path(ini)));
        QCOMPARE(fileBytes(path(QStringLiteral("datei"))), QByteArray("x"));
        QCOMPARE(fileBytes(path(QStringLiteral("nurlesen.ini"))), QByteArray("[Veltrix]\r\nLeft=1\r\n"));
        QVERIFY(QDir(path(QStringLiteral("nurlesen"))).isEmpty());
    }

    // A file that is there but cannot be read is never written over: the
    // program's keys alone would replace everything else it holds.
    void unreadableSettingsStayUntouched_data()
    {
        QTest::addColumn<bool>("folder"); // else a file without read permission
        QTest::newRow("a folder") << true;
#ifndef Q_OS_WIN // Windows files have no read permission to take away
        QTest::newRow("no read permission") << false;
#endif
    }
    void unreadableSettingsStayUntouched()
    {
        QFETCH(bool, folder);
        const QByteArray held = "[Einstellungen]\r\nVersteck=120\r\n[Eigenes]\r\nx=1\r\n";
        if (folder) {
            QVERIFY(QDir().mkdir(m_ini));
            QVERIFY(test::putFile(m_ini + QStringLiteral("/inhalt"), held));
        } else {
#ifndef Q_OS_WIN
            if (geteuid() == 0)
                QSKIP("root reads every file: the folder row covers this path");
#endif
            QVERIFY(test::putFile(m_ini, held));
            QVERIFY(QFile::setPermissions(m_ini, QFileDevice::WriteOwner));
        }
        MainAndStatus w(m_ini);
        w.main->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.main.get()));
        w.main->list().memo().setText(kBank);
        w.boxes.answers.push_back(MsgResult::Cancel); // a first close attempt that stays open
        w.main->close();
        QVERIFY(w.main->isVisible());
        w.boxes.answers.push_back(MsgResult::No);
        w.main->close();
        QVERIFY(!w.main->isVisible());
        if (!folder)
            QFile::setPermissions(m_ini, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QCOMPARE(fileBytes(folder ? m_ini + QStringLiteral("/inhalt") : m_ini), held);
        QCOMPARE(QDir(m_temp->path()).entryList(QDir::Files), folder ? QStringList() : QStringList{"veltrix.ini"});
        const auto notices = std::count_if(w.boxes.shown.begin(), w.boxes.shown.end(), [&](const MessageRequest &box) {
            return box.text == QStringLiteral("Die Einstellungen konnten nicht aus %1 gelesen werden; "
                                              "die Datei wird nicht überschrieben.").arg(m_ini);
        });
        QCOMPARE(notices, 1);
        QCOMPARE(w.boxes.shown.size(), 3); // the notice and two save questions
    }
};

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
