#include "core/error.h"
#include "core/textfile.h"
#include "platform/files.h"
#include "platform/qtplatform.h"
#include "support/elsewhere.h"
#include "support/samplecharacters.h"
#include "support/statusfixture.h"
#include "support/controls.h"
#include "ui/application.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#endif

using namespace veltrix;
using namespace veltrix::test;
using test::fileBytes;

namespace {

const QByteArray kBank = "Lindenallee 117: Bank (SG: 45%) [Fallgitter]";
const QByteArray kKiosk = "Am Alten Markt 3: Kiosk (SG: 100%) Keine Ausbauten vorhanden";
// Windows-1252: umlauts, sharp s and the euro sign (0x80).
const QByteArray kBaecker = "M\xFChlweg 12: B\xE4""cker (SG: 50%) [Sicherheitsschlo\xDF, 1.000 \x80]";

QString errorOf(const std::function<void()> &fn)
{
    try {
        fn();
    } catch (const VeltrixError &e) {
        return e.message();
    }
    return QStringLiteral("<no error>");
}

} // namespace

class TestReportFiles : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_temp;
    QString path(const QString &name) const { return m_temp->filePath(name); }
    void put(const QString &name, const QByteArray &bytes) { QVERIFY(test::putFile(path(name), bytes)); }
    // Opens a file through "Datei öffnen..." in a new window.
    std::unique_ptr<TfrmMain> opened(test::FakePlatform &fakes, const QString &name)
    {
        auto w = std::make_unique<TfrmMain>(fakes.platform());
        fakes.fileDialogs.openAnswers.push_back(path(name));
        trigger(*w, "Dateiffnen1");
        return w;
    }

private slots:
    void init()
    {
        m_temp = std::make_unique<QTemporaryDir>();
        QVERIFY(m_temp->isValid());
        QDir(m_temp->path()).mkdir(QStringLiteral("ordner.txt"));
        put(QStringLiteral("datei"), "x");
    }

    // Run as nobody when the suite runs as root, which ignores permissions.
    void failuresNameFileAndReason_data()
    {
        QTest::addColumn<bool>("write");
        QTest::addColumn<QString>("name");
        QTest::newRow("read missing") << false << "fehlt.txt";
        QTest::newRow("read a folder") << false << "ordner.txt";
        QTest::newRow("read below a file") << false << "datei/a.txt";
#ifndef Q_OS_WIN // Unix permissions
        QTest::newRow("read unreadable") << false << "gesperrt.txt";
#endif
        QTest::newRow("write a folder") << true << "ordner.txt";
        QTest::newRow("write below a file") << true << "datei/a.txt";
        QTest::newRow("write missing folder") << true << "fehlt/a.txt";
#ifndef Q_OS_WIN
        QTest::newRow("write read-only file") << true << "nurlesen.txt";
        QTest::newRow("write in read-only folder") << true << "nurlesen/a.txt";
#endif
    }
    void failuresNameFileAndReason()
    {
        VELTRIX_RUN_HERE(test::asUnprivileged());
        put(QStringLiteral("gesperrt.txt"), kBank);
        put(QStringLiteral("nurlesen.txt"), kBank);
        QVERIFY(QDir(m_temp->path()).mkdir(QStringLiteral("nurlesen")));
#ifndef Q_OS_WIN
        QVERIFY(QFile::setPermissions(path(QStringLiteral("gesperrt.txt")), {}));
        QVERIFY(QFile::setPermissions(path(QStringLiteral("nurlesen.txt")), QFile::ReadOwner));
        QVERIFY(QFile::setPermissions(path(QStringLiteral("nurlesen")), QFile::ReadOwner | QFile::ExeOwner));
#endif
        QFETCH(bool, write);
        QFETCH(QString, name);
        const QString target = path(name);
        const QString message = errorOf([&] { write ? writeTextFile(target, QStringLiteral("T")) : (void)readTextFile(target); });
        const QString prefix = write ? QStringLiteral("Datei \"%1\" kann nicht erstellt werden. ").arg(target)
                                     : QStringLiteral("Datei %1 kann nicht geöffnet werden. ").arg(target);
        QVERIFY2(message.startsWith(prefix) && message.size() > prefix.size(), qPrintable(message));
        QCOMPARE(fileBytes(path(QStringLiteral("datei"))), QByteArray("x"));
        QCOMPARE(fileBytes(path(QStringLiteral("nurlesen.txt"))), kBank);
        QVERIFY(QDir(path(QStringLiteral("nurlesen"))).isEmpty());
    }

#ifndef Q_OS_WIN // a file-size limit and a mount namespace of its own are Linux's
    // The file-size limit binds root too: the write really fails half-way.
    void failedSaveKeepsTheOriginal()
    {
        put(QStringLiteral("a.txt"), kBank);
        rlimit old{};
        QVERIFY(getrlimit(RLIMIT_FSIZE, &old) == 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = old;
        small.rlim_cur = 4096;
        QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
        const QString message = errorOf([&] { writeTextFile(path(QStringLiteral("a.txt")), QString(100000, u'a')); });
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
        QVERIFY2(message.startsWith(QStringLiteral("Datei \"%1\" kann nicht erstellt werden. ").arg(path(QStringLiteral("a.txt"))))
                     && !message.endsWith(QStringLiteral("Unknown error")),
                 qPrintable(message));
        QCOMPARE(fileBytes(path(QStringLiteral("a.txt"))), kBank);
        QCOMPARE(QDir(m_temp->path()).entryList(QDir::Files), (QStringList{"a.txt", "datei"}));
    }

    // A full disk: the save fails with the file error and the older file
    // stays whole, with no temporary file left beside it.
    void fullDiskKeepsTheOlderFile()
    {
        const test::Elsewhere where = test::onSmallFileSystem();
        VELTRIX_RUN_HERE(where);
        const QDir disk(where.detail);
        const QString file = disk.filePath(QStringLiteral("a.txt"));
        QVERIFY(test::putFile(file, kBank + "\r\n"));
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        fakes.fileDialogs.openAnswers.push_back(file);
        trigger(w, "Dateiffnen1");
        QCOMPARE(w.list().memo().lines(), QStringList{QString::fromLatin1(kBank)});
        w.list().memo().setText(QStringList(2000, QString::fromLatin1(kKiosk)).join(u'\n')); // about 120 KiB
        trigger(w, "Dateispeichern1");
        const QString prefix = QStringLiteral("Datei \"%1\" kann nicht erstellt werden. ").arg(file);
        QCOMPARE(fakes.messageBoxes.shown.size(), 1);
        QVERIFY2(fakes.messageBoxes.lastText().startsWith(prefix) && fakes.messageBoxes.lastText().size() > prefix.size(),
                 qPrintable(fakes.messageBoxes.lastText()));
        QCOMPARE(fileBytes(file), kBank + "\r\n");
        QCOMPARE(disk.entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("a.txt")});
        QVERIFY(w.list().isModified());
        QCOMPARE(w.currentFileName(), file);
    }
#endif

    void openAndSaveIsByteForByte()
    {
        const QByteArray original = kBaecker + "\r\n" + kBank + "\r\n";
        put(QStringLiteral("alt.txt"), original);
        test::FakePlatform fakes;
        auto w = opened(fakes, QStringLiteral("alt.txt"));
        QCOMPARE(w->list().memo().firstLine(), QStringLiteral("Mühlweg 12: Bäcker (SG: 50%) [Sicherheitsschloß, 1.000 €]"));
        QVERIFY(!w->list().isModified());
        QCOMPARE(w->windowTitle(), QStringLiteral("Veltrix Professional by Morwen - Version 1.61 - ") + QDir::toNativeSeparators(path(QStringLiteral("alt.txt"))));
        fakes.fileDialogs.saveAnswers.push_back(path(QStringLiteral("neu")));
        trigger(*w, "Speichernunter1");
        QCOMPARE(fileBytes(path(QStringLiteral("neu.txt"))), original);
        QCOMPARE(w->currentFileName(), path(QStringLiteral("neu.txt")));
        QVERIFY(fakes.messageBoxes.shown.isEmpty());
    }

    // Characters the text area could take for something else stay in their
    // line through the list operations and the save.
    void lineCharactersSurviveOperationsAndSave_data()
    {
        test::addSampleCharacterRows();
    }
    void lineCharactersSurviveOperationsAndSave()
    {
        QFETCH(QString, character);
        const QString kiosk = "Am Markt 3: Kiosk (SG: 40%) [x" + character + "y]";
        const QString hideout = "Weg 5: Versteck (SG: 45%) [" + character + "]";
        const QStringList list{kiosk, QString::fromLatin1(kBank), hideout};
        test::MainAndStatus w;
        w.main->list().memo().setLines({hideout, kiosk, QString::fromLatin1(kBank)});
        trigger(*w.main, "Verstecknachunten1");
        trigger(*w.main, "Strasse2");
        for (QAction *command : {control<QAction>(*w.main, "N1Zeilenachunten1"), control<QAction>(*w.main, "N1Zeilenachunten1"), control<QAction>(*w.main, "N1Zeilenachunten1"),
                               control<QAction>(*w.main, "Listeumkehren1"), control<QAction>(*w.main, "Listeumkehren1"), control<QAction>(*w.main, "Aktualisieren1")})
            command->trigger();
        click(*w.main, "save1");
        trigger(*w.main, "Alleslschen1");
        click(*w.main, "restore1");
        trigger(*w.main, "Statusfenster1");
        trigger(*w.status, "Schlieen1");
        QVERIFY(w.fakes.messageBoxes.shown.isEmpty());
        QCOMPARE(w.main->list().memo().lines(), list);
        w.fakes.fileDialogs.saveAnswers.push_back(path(QStringLiteral("b.txt")));
        trigger(*w.main, "Dateispeichern1");
        QCOMPARE(decodeFileText(fileBytes(path(QStringLiteral("b.txt")))), list.join(QStringLiteral("\r\n")) + "\r\n");
    }

    void openReadsEveryForm_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("utf8") << QByteArray("M\xC3\xBChlweg 12: B\xC3\xA4""cker (SG: 50%) [Sicherheitsschlo\xC3\x9F, 1.000 \xE2\x82\xAC]\r\n") + kBank;
        QTest::newRow("lf, invalid line") << kBaecker + "\nkeine Zeile\n" + kBank + "\n";
        QTest::newRow("cr") << kBaecker + "\r" + kBank;
    }
    void openReadsEveryForm()
    {
        QFETCH(QByteArray, bytes);
        put(QStringLiteral("a.txt"), bytes);
        test::FakePlatform fakes;
        auto w = opened(fakes, QStringLiteral("a.txt"));
        QCOMPARE(w->list().memo().lines(), (QStringList{QStringLiteral("Mühlweg 12: Bäcker (SG: 50%) [Sicherheitsschloß, 1.000 €]"),
                                                 QString::fromLatin1(kBank)}));
        trigger(*w, "Dateispeichern1"); // to the open file, without a dialog, as 1252 with CR LF
        QCOMPARE(fakes.fileDialogs.saves, 0);
        QCOMPARE(fileBytes(path(QStringLiteral("a.txt"))), kBaecker + "\r\n" + kBank + "\r\n");
    }

    // A save that did not happen must not look done.
    void unsavedListStaysModified_data()
    {
        QTest::addColumn<bool>("saveAs");
        QTest::addColumn<QString>("answer"); // empty: dialog cancelled
        QTest::addColumn<bool>("error");
        QTest::newRow("Datei speichern cancelled") << false << "" << false;
        QTest::newRow("Speichern unter cancelled") << true << "" << false;
        QTest::newRow("Speichern unter fails") << true << "ordner.txt" << true;
    }
    void unsavedListStaysModified()
    {
        QFETCH(bool, saveAs);
        QFETCH(QString, answer);
        QFETCH(bool, error);
        put(QStringLiteral("a.txt"), kBank + "\r\n");
        test::FakePlatform fakes;
        auto w = opened(fakes, saveAs ? QStringLiteral("a.txt") : QStringLiteral("fehlt.txt"));
        const QString name = w->currentFileName();
        w->list().memo().appendLine(QString::fromLatin1(kKiosk));
        if (!answer.isEmpty())
            fakes.fileDialogs.saveAnswers.push_back(path(answer));
        fakes.messageBoxes.shown.clear();
        (saveAs ? control<QAction>(*w, "Speichernunter1") : control<QAction>(*w, "Dateispeichern1"))->trigger();
        QCOMPARE(fakes.fileDialogs.saves, 1);
        QCOMPARE(fakes.messageBoxes.shown.size(), error ? 1 : 0);
        QVERIFY(w->list().isModified());
        QVERIFY(w->windowTitle().endsWith(QStringLiteral(" *")));
        QCOMPARE(w->currentFileName(), name);
        QCOMPARE(fileBytes(path(QStringLiteral("a.txt"))), kBank + "\r\n");
    }

    // The ".txt" rule comes first; the question is about the file really written.
    void overwriteAskedOnce_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("existing"); // empty: none
        QTest::addColumn<int>("answer");       // MsgResult
        QTest::addColumn<bool>("written");
        QTest::newRow("bericht over bericht.txt, Nein") << "bericht" << "bericht.txt" << int(MsgResult::No) << false;
        QTest::newRow("bericht over bericht.txt, Ja") << "bericht" << "bericht.txt" << int(MsgResult::Yes) << true;
        QTest::newRow("bericht.txt over itself, Nein") << "bericht.txt" << "bericht.txt" << int(MsgResult::No) << false;
        QTest::newRow("bericht beside bericht") << "bericht" << "bericht" << int(MsgResult::No) << true;
        QTest::newRow("new file") << "bericht" << "" << int(MsgResult::No) << true;
    }
    void overwriteAskedOnce()
    {
        QFETCH(QString, typed);
        QFETCH(QString, existing);
        QFETCH(int, answer);
        QFETCH(bool, written);
        if (!existing.isEmpty())
            put(existing, kKiosk);
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        w.list().memo().setText(QString::fromLatin1(kBank));
        fakes.fileDialogs.saveAnswers.push_back(path(typed));
        fakes.messageBoxes.answers.push_back(MsgResult(answer));
        trigger(w, "Speichernunter1");
        const QString target = path(QStringLiteral("bericht.txt"));
        const bool asked = existing == u"bericht.txt";
        QCOMPARE(fakes.messageBoxes.shown.size(), asked ? 1 : 0);
        if (asked) {
            const MessageRequest &q = fakes.messageBoxes.shown.first();
            QCOMPARE(q.text, QStringLiteral("Die Datei %1 existiert bereits.\nSoll sie ersetzt werden?").arg(target));
            QCOMPARE(q.buttons, MsgButtons::YesNo);
        }
        QCOMPARE(fileBytes(target), written ? kBank : asked ? kKiosk : QByteArray("<unreadable>"));
        QCOMPARE(w.list().isModified(), !written);
        QCOMPARE(w.currentFileName(), written ? target : QString());
        if (existing == u"bericht")
            QCOMPARE(fileBytes(path(existing)), kKiosk);
    }

    // The real dialog leaves the question to the program, so it comes once.
    void realSaveDialogAsksNothing()
    {
        QtFileDialogs dialogs;
        bool seen = false;
        bool confirms = true;
        QObject guard; // no look-out outlives the test
        whenModalDialog(guard, [&](QWidget *found) {
            auto *dialog = qobject_cast<QFileDialog *>(found);
            seen = true;
            confirms = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
            dialog->reject();
        });
        QCOMPARE(dialogs.saveFileName(nullptr, QStringLiteral("*.txt"), path(QStringLiteral("bericht"))), QString());
        QVERIFY(seen);
        QVERIFY(!confirms);
    }

    // A failed open keeps the list and its name, so the next save cannot
    // write the old list over the file that failed to open.
    void failedOpenKeepsNameAndList()
    {
        put(QStringLiteral("a.txt"), kBank + "\r\n");
        test::FakePlatform fakes;
        auto w = opened(fakes, QStringLiteral("a.txt"));
        fakes.fileDialogs.openAnswers.push_back(path(QStringLiteral("ordner.txt")));
        trigger(*w, "Dateiffnen1");
        QVERIFY(fakes.messageBoxes.lastText().startsWith(QStringLiteral("Datei %1 kann nicht geöffnet werden. ").arg(path(QStringLiteral("ordner.txt")))));
        QCOMPARE(w->currentFileName(), path(QStringLiteral("a.txt")));
        QCOMPARE(w->list().memo().lines(), QStringList{QString::fromLatin1(kBank)});
    }

    // Only regular files of a sane size are read, and quickly refused
    // otherwise, by open and append alike; the list stays.
    void refusesWhatIsNoReport_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("reason");
        const QString notAFile = QStringLiteral("Das ist keine gewöhnliche Datei.");
        QTest::newRow("folder") << "ordner.txt" << "Das ist ein Ordner, keine Datei.";
#ifdef Q_OS_WIN
        QTest::newRow("device without end") << "NUL" << notAFile;
#else
        QTest::newRow("device without end") << "/dev/zero" << notAFile;
        QTest::newRow("pipe without writer") << "rohr.txt" << notAFile;
#endif
        QTest::newRow("over 64 MiB") << "riesig.txt" << "Die Datei ist größer als 64 MiB.";
    }
    void refusesWhatIsNoReport()
    {
        QFETCH(QString, target);
        QFETCH(QString, reason);
#ifndef Q_OS_WIN
        QVERIFY(::mkfifo(QFile::encodeName(path(QStringLiteral("rohr.txt"))).constData(), 0600) == 0);
#endif
        QFile huge(path(QStringLiteral("riesig.txt")));
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(64 * 1024 * 1024 + 1)); // sparse
        huge.close();
        put(QStringLiteral("a.txt"), kBank + "\r\n");
        const QString name = target.startsWith(u'/') || target == u"NUL" ? target : path(target);
        test::FakePlatform fakes;
        auto w = opened(fakes, QStringLiteral("a.txt"));
        for (QAction *command : {control<QAction>(*w, "Dateiffnen1"), control<QAction>(*w, "Berichtanfgen1")}) {
            fakes.messageBoxes.shown.clear();
            fakes.fileDialogs.openAnswers.push_back(name);
            command->trigger();
            QCOMPARE(fakes.messageBoxes.shown.size(), 1);
            QCOMPARE(fakes.messageBoxes.lastText(),
                     QStringLiteral("Datei %1 kann nicht geöffnet werden. %2").arg(name, reason));
            QCOMPARE(w->list().memo().lines(), QStringList{QString::fromLatin1(kBank)});
            QCOMPARE(w->currentFileName(), path(QStringLiteral("a.txt")));
        }
    }

    void appendKeepsNameAndMarksModified()
    {
        put(QStringLiteral("a.txt"), kBank);
        put(QStringLiteral("b.txt"), kKiosk + "\r\nkeine Zeile");
        test::FakePlatform fakes;
        auto w = opened(fakes, QStringLiteral("a.txt"));
        control<QPlainTextEdit>(*w, "Memo1")->setPlainText(QString::fromLatin1(kBank)); // no final line break
        fakes.fileDialogs.openAnswers.push_back(path(QStringLiteral("b.txt")));
        trigger(*w, "Berichtanfgen1");
        QCOMPARE(w->list().memo().lines(), (QStringList{QString::fromLatin1(kBank), QString::fromLatin1(kKiosk), "keine Zeile"}));
        QCOMPARE(w->list().undoCopy(), QStringList{QString::fromLatin1(kBank)});
        QVERIFY(w->list().isModified());
        QCOMPARE(w->windowTitle(), QStringLiteral("Veltrix Professional by Morwen - Version 1.61 - %1 *").arg(QDir::toNativeSeparators(path(QStringLiteral("a.txt")))));
        QCOMPARE(control<QLabel>(*w, "Panel1")->text(), QStringLiteral("Gebs remaining: 3"));
        trigger(*w, "Dateispeichern1");
        QCOMPARE(fileBytes(path(QStringLiteral("a.txt"))), kBank + "\r\n" + kKiosk + "\r\nkeine Zeile\r\n");
    }

    void neuEmptiesAndKeepsUndo()
    {
        put(QStringLiteral("a.txt"), kBank);
        test::FakePlatform fakes;
        auto w = opened(fakes, QStringLiteral("a.txt"));
        w->list().memo().appendLine(QString::fromLatin1(kKiosk));
        trigger(*w, "Neu1");
        QVERIFY(w->list().memo().isEmpty() && w->currentFileName().isEmpty() && !w->list().isModified());
        QCOMPARE(w->windowTitle(), QStringLiteral("Veltrix Professional by Morwen - Version 1.61"));
        QCOMPARE(w->list().undoCopy(), (QStringList{QString::fromLatin1(kBank), QString::fromLatin1(kKiosk)}));
        QVERIFY(control<QLabel>(*w, "Panel1")->text().isEmpty() && control<QLabel>(*w, "Panel3")->text().isEmpty());
    }

    // "veltrix DATEI": the file opens as "Datei öffnen..." opens it, under
    // its full name so that the settings find it from any folder.
    void fileNamedAtStart_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<bool>("opens");
        QTest::newRow("full path") << "<temp>/a.txt" << true;
        QTest::newRow("relative to the current folder") << "a.txt" << true;
        QTest::newRow("missing") << "fehlt.txt" << false;
    }
    void fileNamedAtStart()
    {
        QFETCH(QString, argument);
        QFETCH(bool, opens);
        put(QStringLiteral("a.txt"), kBank + "\r\nkeine Zeile\r\n" + kKiosk);
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_temp->path()));
        auto back = qScopeGuard([&] { QDir::setCurrent(before); });
        test::FakePlatform fakes;
        VeltrixWindows windows = createWindows(fakes.platform());
        showWindows(windows, argument.replace(QStringLiteral("<temp>"), m_temp->path()));
        const TfrmMain &w = *windows.main;
        QVERIFY(w.isVisible());
        const QString full = path(opens ? QStringLiteral("a.txt") : QStringLiteral("fehlt.txt"));
        if (opens) {
            QVERIFY(fakes.messageBoxes.shown.isEmpty());
            QCOMPARE(windows.main->list().memo().lines(), (QStringList{QString::fromLatin1(kBank), QString::fromLatin1(kKiosk)}));
            QCOMPARE(w.currentFileName(), full);
            QCOMPARE(w.windowTitle(), QStringLiteral("Veltrix Professional by Morwen - Version 1.61 - ") + QDir::toNativeSeparators(full));
        } else {
            QCOMPARE(fakes.messageBoxes.shown.size(), 1);
            QVERIFY2(fakes.messageBoxes.lastText().startsWith(QStringLiteral("Datei %1 kann nicht geöffnet werden. ").arg(full)),
                     qPrintable(fakes.messageBoxes.lastText()));
            QVERIFY(windows.main->list().memo().isEmpty() && w.currentFileName().isEmpty());
        }
    }

    void lastOpenedEntry_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("readable") << "a.txt";
        QTest::newRow("unreadable") << "ordner.txt";
    }
    void lastOpenedEntry()
    {
        QFETCH(QString, name);
        put(QStringLiteral("a.txt"), kBank + "\r\nkeine Zeile\r\n");
        put(QStringLiteral("veltrix.ini"), "[Datei]\r\nDateiname=" + path(name).toLocal8Bit() + "\r\n");
        test::FakePlatform fakes;
        fakes.settingsPath = path(QStringLiteral("veltrix.ini"));
        TfrmMain w(fakes.platform());
        w.show(); // the first showing reads the settings
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(control<QAction>(w, "lastOpened")->isVisible());
        QCOMPARE(control<QAction>(w, "lastOpened")->text(), QStringLiteral("Öffnen: ") + path(name));
        w.list().memo().setText(QString::fromLatin1(kKiosk));
        trigger(w, "lastOpened");
        const bool ok = name == u"a.txt";
        QCOMPARE(w.list().memo().lines(), QStringList{QString::fromLatin1(ok ? kBank : kKiosk)});
        QCOMPARE(w.currentFileName(), ok ? path(name) : QString());
        QCOMPARE(w.list().isModified(), !ok);
        QCOMPARE(fakes.messageBoxes.shown.size(), ok ? 0 : 1);
    }
};

QTEST_MAIN(TestReportFiles)
#include "tst_reportfiles.moc"
