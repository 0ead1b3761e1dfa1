#include "platform/files.h"
#include "support/fakeplatform.h"
#include "ui/mainfrm.h"
#include "ui/statusfenster.h"

#include <QAction>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace veltrix;

namespace {

const QString kBank = QStringLiteral("Lindenallee 117: Bank (SG: 45%) [Fallgitter]");

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Records whether the window was on top while the question was shown.
class ProbingBoxes : public test::FakeMessageBoxes {
public:
    MsgResult show(const MessageRequest &request) override
    {
        if (window)
            onTopDuringQuestion = isStayOnTop(window);
        return FakeMessageBoxes::show(request);
    }
    QWidget *window = nullptr;
    bool onTopDuringQuestion = false;
};

// The main window with its status window and, until the Filter page
// provides them, stand-ins for the hideout field and its marker.
struct Windows {
    test::FakePlatform fakes;
    ProbingBoxes boxes;
    std::unique_ptr<TfrmMain> main;
    std::unique_ptr<TfrmStatus> status;

    Windows()
    {
        Platform p = fakes.platform();
        p.messageBoxes = &boxes;
        main = std::make_unique<TfrmMain>(p);
        status = std::make_unique<TfrmStatus>(*main, p);
        TfrmMain::Companions c;
        c.status = status.get();
        main->setCompanions(c);
        if (!main->Versteck)
            main->Versteck = new QLineEdit(QStringLiteral("0"), main->TabFilter);
        if (!main->keinversteck)
            main->keinversteck = new QWidget(main->TabFilter);
        boxes.window = main.get();
    }
};

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
        qputenv("VELTRIX_INI", m_ini.toLocal8Bit());
    }

    void settingsPath_data()
    {
        QTest::addColumn<QString>("explicitPath");
        QTest::addColumn<QString>("configHome");
        QTest::addColumn<QString>("expected");
        const QString home = QDir::homePath();
        QTest::newRow("VELTRIX_INI wins") << "/srv/v.ini" << "/cfg" << "/srv/v.ini";
        QTest::newRow("XDG_CONFIG_HOME") << "" << "/cfg" << "/cfg/veltrix.ini";
        QTest::newRow("no XDG_CONFIG_HOME") << "" << "" << home + "/.config/veltrix.ini";
        QTest::newRow("relative XDG_CONFIG_HOME ignored") << "" << "cfg" << home + "/.config/veltrix.ini";
    }
    void settingsPath()
    {
        QFETCH(QString, explicitPath);
        QFETCH(QString, configHome);
        QFETCH(QString, expected);
        const QByteArray oldHome = qgetenv("XDG_CONFIG_HOME");
        qputenv("VELTRIX_INI", explicitPath.toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", configHome.toLocal8Bit());
        const QString result = settingsFilePath();
        qputenv("XDG_CONFIG_HOME", oldHome);
        QCOMPARE(result, expected);
    }

    void missingFileGivesDefaults()
    {
        Windows w;
        const QPoint statusStart = w.status->pos();
        w.main->Versteck->setText(QStringLiteral("55"));
        w.main->LoadSettings();
        QCOMPARE(w.main->pos(), QPoint(311, 163));
        QCOMPARE(w.status->pos(), statusStart);
        QVERIFY(!w.main->lastOpened->isVisible());
        QCOMPARE(w.main->Versteck->text(), QStringLiteral("0"));
        QVERIFY(!w.main->keinversteck->isHidden());
        QVERIFY(!QFile::exists(m_ini));
    }

    void loadApplies_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QPoint>("mainPos");
        QTest::addColumn<QPoint>("statusPos"); // (-1, -1): its start position
        QTest::addColumn<QString>("hideout");
        QTest::addColumn<bool>("markerShown");
        QTest::addColumn<QString>("lastOpened");
        QTest::newRow("full") << QByteArray("[Datei]\r\nDateiname=/tmp/a.txt\r\n[Statusfenster]\r\ntop=40\r\nleft=500\r\n"
                                            "[Veltrix]\r\ntop=20\r\nleft=30\r\n[Einstellungen]\r\nVersteck=120\r\n")
                              << QPoint(30, 20) << QPoint(500, 40) << "120" << false << "/tmp/a.txt";
        QTest::newRow("partial") << QByteArray("[Veltrix]\r\nleft=30\r\n")
                                 << QPoint(30, 163) << QPoint(-1, -1) << "0" << true << "";
        QTest::newRow("abc in Versteck") << QByteArray("[Einstellungen]\r\nVersteck=abc\r\n")
                                         << QPoint(311, 163) << QPoint(-1, -1) << "abc" << true << "";
        QTest::newRow("00 in Versteck") << QByteArray("[Einstellungen]\r\nVersteck=00\r\n")
                                        << QPoint(311, 163) << QPoint(-1, -1) << "00" << false << "";
        QTest::newRow("empty Versteck") << QByteArray("[Einstellungen]\r\nVersteck=\r\n")
                                        << QPoint(311, 163) << QPoint(-1, -1) << "" << true << "";
        QTest::newRow("bad top, good left") << QByteArray("[Veltrix]\r\ntop=abc\r\nleft=30\r\n[Statusfenster]\r\ntop=7\r\nleft=12a\r\n"
                                                          "[Einstellungen]\r\nVersteck=9\r\n")
                                            << QPoint(30, 163) << QPoint(-2, 7) << "9" << false << "";
        QTest::newRow("hex and blanks") << QByteArray("[veltrix]\r\n TOP = $10 \r\nLeft=-5\r\n")
                                        << QPoint(-5, 16) << QPoint(-1, -1) << "0" << true << "";
        QTest::newRow("empty file name") << QByteArray("[Datei]\r\nDateiname=\r\n")
                                         << QPoint(311, 163) << QPoint(-1, -1) << "0" << true << "";
        QTest::newRow("ampersand in name") << QByteArray("[Datei]\r\nDateiname=/tmp/a&b.txt\r\n")
                                           << QPoint(311, 163) << QPoint(-1, -1) << "0" << true << "/tmp/a&&b.txt";
    }
    void loadApplies()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QPoint, mainPos);
        QFETCH(QPoint, statusPos);
        QFETCH(QString, hideout);
        QFETCH(bool, markerShown);
        QFETCH(QString, lastOpened);
        writeBytes(m_ini, ini);
        Windows w;
        const QPoint start = w.status->pos();
        if (statusPos == QPoint(-1, -1))
            statusPos = start;
        else if (statusPos.x() == -2)
            statusPos.setX(start.x());
        w.main->LoadSettings();
        QCOMPARE(w.main->pos(), mainPos);
        QCOMPARE(w.status->pos(), statusPos);
        QCOMPARE(w.main->Versteck->text(), hideout);
        QCOMPARE(!w.main->keinversteck->isHidden(), markerShown);
        QCOMPARE(w.main->lastOpened->isVisible(), !lastOpened.isEmpty());
        if (!lastOpened.isEmpty())
            QCOMPARE(w.main->lastOpened->text(), QStringLiteral("Öffnen: ") + lastOpened);
        QVERIFY(w.boxes.shown.isEmpty());
    }

    void saveWritesKeysInOrder()
    {
        Windows w;
        w.main->move(40, 50);
        w.status->move(600, 1);
        w.main->Versteck->setText(QStringLiteral("120"));
        w.main->SaveSettings();
        QCOMPARE(readBytes(m_ini), QByteArray("[Datei]\r\nDateiname=\r\n[Statusfenster]\r\ntop=1\r\nleft=600\r\n"
                                              "[Veltrix]\r\ntop=50\r\nleft=40\r\n[Einstellungen]\r\nVersteck=120\r\n"));
    }

    void saveKeepsTheRestOfAClassicFile()
    {
        writeBytes(m_ini, "; von Hand\r\n[DATEI]\r\nDATEINAME=C:\\alt.txt\r\nExtra=1\r\n\r\n[Fremd]\r\nx = y\r\n"
                          "[veltrix]\r\nLEFT=1\r\nTop=2\r\n");
        Windows w;
        w.main->move(40, 50);
        w.status->move(600, 1);
        w.main->SaveSettings();
        QCOMPARE(readBytes(m_ini), QByteArray("; von Hand\r\n[DATEI]\r\nDATEINAME=\r\nExtra=1\r\n\r\n[Fremd]\r\nx = y\r\n"
                                              "[veltrix]\r\nLEFT=40\r\nTop=50\r\n[Statusfenster]\r\ntop=1\r\nleft=600\r\n"
                                              "[Einstellungen]\r\nVersteck=0\r\n"));
    }

    void saveThenLoadRestoresPositions()
    {
        {
            Windows w;
            w.main->move(123, 45);
            w.status->move(456, 7);
            w.main->Versteck->setText(QStringLiteral("321"));
            w.main->SaveSettings();
        }
        Windows w;
        w.main->LoadSettings();
        QCOMPARE(w.main->pos(), QPoint(123, 45));
        QCOMPARE(w.status->pos(), QPoint(456, 7));
        QCOMPARE(w.main->Versteck->text(), QStringLiteral("321"));
    }

    void closeRequestWritesNothing()
    {
        writeBytes(m_ini, "[Veltrix]\r\ntop=2\r\n");
        Windows w;
        w.main->setCloseRequest();
        w.main->SaveSettings();
        QVERIFY(w.main->closeQuery());
        QCOMPARE(readBytes(m_ini), QByteArray("[Veltrix]\r\ntop=2\r\n"));
    }

    // ---- close query ----

    void closeQueryPaths_data()
    {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<bool>("withName");
        QTest::addColumn<int>("answer");      // MsgResult
        QTest::addColumn<QString>("dialog");  // save dialog answer
        QTest::addColumn<bool>("closes");
        QTest::addColumn<QString>("written"); // file that must hold the list
        QTest::newRow("unmodified") << false << false << int(MsgResult::Yes) << "" << true << "";
        QTest::newRow("Ja with name") << true << true << int(MsgResult::Yes) << "" << true << "a.txt";
        QTest::newRow("Ja without name") << true << false << int(MsgResult::Yes) << "neu" << true << "neu.txt";
        QTest::newRow("Ja, dialog cancelled") << true << false << int(MsgResult::Yes) << "" << false << "";
        QTest::newRow("Ja, folder as target") << true << false << int(MsgResult::Yes) << "ordner.txt" << false << "";
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
        writeBytes(path(QStringLiteral("a.txt")), "alt\r\n");
        Windows w;
        if (withName) {
            w.fakes.fileDialogs.openAnswers.push_back(path(QStringLiteral("a.txt")));
            w.main->Dateiffnen1->trigger();
        }
        if (modified)
            w.main->memo().setText(kBank);
        QCOMPARE(w.main->modified(), modified);
        w.boxes.answers.push_back(MsgResult(answer));
        if (!dialog.isEmpty())
            w.fakes.fileDialogs.saveAnswers.push_back(path(dialog));

        w.main->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.main.get()));
        QFile::remove(m_ini);
        w.main->close();
        QCOMPARE(!w.main->isVisible(), closes);

        if (modified) {
            QVERIFY(!w.boxes.shown.isEmpty());
            const MessageRequest &q = w.boxes.shown.first();
            QCOMPARE(q.title, QStringLiteral("Veltrix Professional"));
            QCOMPARE(q.text, QStringLiteral("Wollen Sie die Änderungen speichern?"));
            QCOMPARE(q.buttons, MsgButtons::YesNoCancel);
        } else {
            QVERIFY(w.boxes.shown.isEmpty());
        }
        if (!written.isEmpty())
            QCOMPARE(readBytes(path(written)), kBank.toLatin1());
        else if (withName)
            QCOMPARE(readBytes(path(QStringLiteral("a.txt"))), QByteArray("alt\r\n"));
        // The settings are written on every close attempt.
        QVERIFY(QFile::exists(m_ini));
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
        Windows w;
        w.main->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.main.get()));
        w.main->AlwaysOnTop1->trigger();
        QVERIFY(isStayOnTop(w.main.get()));
        w.main->memo().setText(kBank);
        w.boxes.answers.push_back(MsgResult(answer));
        w.main->close();
        QVERIFY(!w.boxes.onTopDuringQuestion);
        QCOMPARE(w.main->AlwaysOnTop1->isChecked(), onTopAfter);
        QCOMPARE(isStayOnTop(w.main.get()), onTopAfter);
        QCOMPARE(w.main->ToFront->isActive(), onTopAfter);
    }

    // The player must always be able to quit.
    void unwritableSettingsAreReportedAndTheWindowCloses_data()
    {
        QTest::addColumn<QString>("ini");
        QTest::newRow("a folder") << "ordner";
        QTest::newRow("below a file") << "datei/veltrix.ini";
    }
    void unwritableSettingsAreReportedAndTheWindowCloses()
    {
        QFETCH(QString, ini);
        QDir(m_temp->path()).mkdir(QStringLiteral("ordner"));
        writeBytes(path(QStringLiteral("datei")), "x");
        qputenv("VELTRIX_INI", path(ini).toLocal8Bit());
        Windows w;
        w.main->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.main.get()));
        w.main->close();
        QVERIFY(!w.main->isVisible());
        QCOMPARE(w.boxes.shown.size(), 1);
        QCOMPARE(w.boxes.lastText(), QStringLiteral("In %1 kann nicht geschrieben werden").arg(path(ini)));
        QCOMPARE(readBytes(path(QStringLiteral("datei"))), QByteArray("x"));
    }

    void unwritableSettingsStillThrowFromSaveSettings()
    {
        qputenv("VELTRIX_INI", m_temp->path().toLocal8Bit());
        Windows w;
        QVERIFY_THROWS_EXCEPTION(VeltrixError, w.main->SaveSettings());
    }
};

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
