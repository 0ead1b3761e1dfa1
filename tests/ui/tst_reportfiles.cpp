#include "core/error.h"
#include "platform/files.h"
#include "support/fakeplatform.h"
#include "ui/mainfrm.h"

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

using namespace veltrix;

namespace {

const QByteArray kBank = "Lindenallee 117: Bank (SG: 45%) [Fallgitter]";
const QByteArray kKiosk = "Am Alten Markt 3: Kiosk (SG: 100%) Keine Ausbauten vorhanden";
// Windows-1252: umlauts, sharp s and the euro sign (0x80).
const QByteArray kBaecker = "M\xFChlweg 12: B\xE4""cker (SG: 50%) [Sicherheitsschlo\xDF, 1.000 \x80]";

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

QString errorOf(const std::function<void()> &fn)
{
    try {
        fn();
    } catch (const VeltrixError &e) {
        return e.message();
    }
    return QString();
}

} // namespace

class TestReportFiles : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_temp;
    QString m_dir;
    QString path(const QString &name) const { return m_dir + QLatin1Char('/') + name; }

private slots:
    void init()
    {
        m_temp = std::make_unique<QTemporaryDir>();
        QVERIFY(m_temp->isValid());
        m_dir = m_temp->path();
        qputenv("VELTRIX_INI", path(QStringLiteral("veltrix.ini")).toLocal8Bit());
    }

    // ---- reading and writing files ----

    void unreadableFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing") << "fehlt.txt";
        QTest::newRow("a folder") << "ordner";
        QTest::newRow("below a file") << "datei/bericht.txt";
    }
    void unreadableFile()
    {
        QFETCH(QString, name);
        QDir(m_dir).mkdir(QStringLiteral("ordner"));
        writeBytes(path(QStringLiteral("datei")), "x");
        const QString target = path(name);
        const QString message = errorOf([&] { readTextFile(target); });
        const QString prefix = QStringLiteral("Datei %1 kann nicht geöffnet werden. ").arg(target);
        QVERIFY2(message.startsWith(prefix), qPrintable(message));
        QVERIFY2(message.size() > prefix.size(), "the system's reason is missing");
    }

    void unwritableTarget_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("a folder") << "ordner";
        QTest::newRow("below a file") << "datei/bericht.txt";
        QTest::newRow("missing folder") << "fehlt/bericht.txt";
    }
    void unwritableTarget()
    {
        QFETCH(QString, name);
        QDir(m_dir).mkdir(QStringLiteral("ordner"));
        writeBytes(path(QStringLiteral("datei")), "x");
        const QString target = path(name);
        const QString message = errorOf([&] { writeTextFile(target, QStringLiteral("Text")); });
        const QString prefix = QStringLiteral("Datei \"%1\" kann nicht erstellt werden. ").arg(target);
        QVERIFY2(message.startsWith(prefix), qPrintable(message));
        QVERIFY2(message.size() > prefix.size(), "the system's reason is missing");
        QCOMPARE(readBytes(path(QStringLiteral("datei"))), QByteArray("x"));
    }

    // Root ignores permissions, but not the file-size limit: the write
    // really fails half-way, and the old file must survive it whole.
    void failedSaveKeepsTheOriginal()
    {
        const QString target = path(QStringLiteral("bericht.txt"));
        writeBytes(target, kBank + "\r\n");
        rlimit old{};
        QVERIFY(getrlimit(RLIMIT_FSIZE, &old) == 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = old;
        small.rlim_cur = 4096;
        QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
        const QString message = errorOf([&] { writeTextFile(target, QString(100000, QLatin1Char('a'))); });
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);

        QVERIFY2(message.startsWith(QStringLiteral("Datei \"%1\" kann nicht erstellt werden. ").arg(target)),
                 qPrintable(message));
        QVERIFY2(!message.endsWith(QStringLiteral("Unknown error")), qPrintable(message));
        QCOMPARE(readBytes(target), kBank + "\r\n");
        QCOMPARE(QDir(m_dir).entryList(QDir::Files), QStringList{QStringLiteral("bericht.txt")});
    }

    // ---- the file commands ----

    void openAndSaveIsByteForByte()
    {
        const QByteArray original = kBaecker + "\r\n" + kBank + "\r\n";
        writeBytes(path(QStringLiteral("alt.txt")), original);
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        fakes.fileDialogs.openAnswers.push_back(path(QStringLiteral("alt.txt")));
        w.Dateiffnen1->trigger();
        QCOMPARE(w.memo().firstLine(), QStringLiteral("Mühlweg 12: Bäcker (SG: 50%) [Sicherheitsschloß, 1.000 €]"));
        QCOMPARE(w.currentFileName(), path(QStringLiteral("alt.txt")));
        QVERIFY(!w.modified());
        QCOMPARE(w.windowTitle(), QStringLiteral("Veltrix Professional by Morwen - Version 1.61 - ") + path(QStringLiteral("alt.txt")));

        fakes.fileDialogs.saveAnswers.push_back(path(QStringLiteral("neu")));
        w.Speichernunter1->trigger();
        QCOMPARE(readBytes(path(QStringLiteral("neu.txt"))), original);
        QCOMPARE(w.currentFileName(), path(QStringLiteral("neu.txt")));
        QVERIFY(fakes.messageBoxes.shown.isEmpty());
    }

    void openReadsEveryFileForm_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("utf8 crlf") << QByteArray("M\xC3\xBChlweg 12: B\xC3\xA4""cker (SG: 50%) [Sicherheitsschlo\xC3\x9F, 1.000 \xE2\x82\xAC]\r\n") + kBank + "\r\n";
        QTest::newRow("1252 lf") << kBaecker + "\n" + kBank + "\n";
        QTest::newRow("1252 cr") << kBaecker + "\r" + kBank;
        QTest::newRow("mixed line ends") << kBaecker + "\r\n" + kBank + "\n";
    }
    void openReadsEveryFileForm()
    {
        QFETCH(QByteArray, bytes);
        writeBytes(path(QStringLiteral("bericht.txt")), bytes);
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        fakes.fileDialogs.openAnswers.push_back(path(QStringLiteral("bericht.txt")));
        w.Dateiffnen1->trigger();
        const QStringList expected{QStringLiteral("Mühlweg 12: Bäcker (SG: 50%) [Sicherheitsschloß, 1.000 €]"),
                                   QString::fromLatin1(kBank)};
        QCOMPARE(w.memo().lines(), expected);
        // Saved back as Windows-1252 with CR LF.
        w.Dateispeichern1->trigger();
        QCOMPARE(readBytes(path(QStringLiteral("bericht.txt"))), kBaecker + "\r\n" + kBank + "\r\n");
    }

    void saveAppliesTheTxtRule_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");
        QTest::newRow("bericht") << "bericht" << "bericht.txt";
        QTest::newRow("bericht.TXT") << "bericht.TXT" << "bericht.TXT.txt";
        QTest::newRow("alt.txt.bak") << "alt.txt.bak" << "alt.txt.bak";
    }
    void saveAppliesTheTxtRule()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        for (QAction *TfrmMain::*item : {&TfrmMain::Dateispeichern1, &TfrmMain::Speichernunter1}) {
            QFile::remove(path(written));
            test::FakePlatform fakes;
            TfrmMain w(fakes.platform());
            w.memo().setText(QString::fromLatin1(kBank));
            fakes.fileDialogs.saveAnswers.push_back(path(chosen));
            (w.*item)->trigger();
            QCOMPARE(readBytes(path(written)), kBank);
            QCOMPARE(w.currentFileName(), path(written));
            QCOMPARE(w.saveDialogFileName(), path(written));
            QVERIFY(!w.modified());
            QVERIFY(!w.windowTitle().endsWith(QStringLiteral(" *")));
        }
    }

    void saveWithNameAsksNothing()
    {
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        fakes.fileDialogs.openAnswers.push_back(path(QStringLiteral("a.txt")));
        writeBytes(path(QStringLiteral("a.txt")), kBank + "\r\n");
        w.Dateiffnen1->trigger();
        w.memo().appendLine(QString::fromLatin1(kKiosk));
        QVERIFY(w.modified());
        w.Dateispeichern1->trigger();
        QCOMPARE(fakes.fileDialogs.saves, 0);
        QCOMPARE(readBytes(path(QStringLiteral("a.txt"))), kBank + "\r\n" + kKiosk + "\r\n");
        QVERIFY(!w.modified());
        // "Speichern unter..." offers the name last held.
        w.Speichernunter1->trigger();
        QCOMPARE(fakes.fileDialogs.saveInitialNames, QStringList{path(QStringLiteral("a.txt"))});
    }

    // A cancelled save dialog saved nothing, so nothing may look saved.
    void cancelledSaveLeavesTheListUnsaved_data()
    {
        QTest::addColumn<bool>("saveAs");
        QTest::addColumn<bool>("withName");
        QTest::newRow("Datei speichern, no name") << false << false;
        QTest::newRow("Speichern unter, no name") << true << false;
        QTest::newRow("Speichern unter, with name") << true << true;
    }
    void cancelledSaveLeavesTheListUnsaved()
    {
        QFETCH(bool, saveAs);
        QFETCH(bool, withName);
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        if (withName) {
            writeBytes(path(QStringLiteral("a.txt")), kBank + "\r\n");
            fakes.fileDialogs.openAnswers.push_back(path(QStringLiteral("a.txt")));
            w.Dateiffnen1->trigger();
        }
        const QString name = w.currentFileName();
        w.memo().appendLine(QString::fromLatin1(kKiosk));
        (saveAs ? w.Speichernunter1 : w.Dateispeichern1)->trigger();
        QCOMPARE(fakes.fileDialogs.saves, 1);
        QVERIFY(w.modified());
        QVERIFY(w.windowTitle().endsWith(QStringLiteral(" *")));
        QCOMPARE(w.currentFileName(), name);
        if (withName)
            QCOMPARE(readBytes(name), kBank + "\r\n");
    }

    void failedSaveChangesNothing()
    {
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        w.memo().setText(QString::fromLatin1(kBank));
        QDir(m_dir).mkdir(QStringLiteral("ordner.txt"));
        fakes.fileDialogs.saveAnswers.push_back(path(QStringLiteral("ordner.txt")));
        w.Dateispeichern1->trigger();
        QCOMPARE(fakes.messageBoxes.shown.size(), 1);
        QVERIFY(fakes.messageBoxes.lastText().startsWith(
            QStringLiteral("Datei \"%1\" kann nicht erstellt werden. ").arg(path(QStringLiteral("ordner.txt")))));
        QVERIFY(w.modified());
        QVERIFY(w.currentFileName().isEmpty());
    }

    // A failed open keeps the list and the name it belongs to, so the next
    // save cannot write the old list over the file that failed to open.
    void failedOpenKeepsNameAndList()
    {
        writeBytes(path(QStringLiteral("a.txt")), kBank + "\r\n");
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        fakes.fileDialogs.openAnswers.push_back(path(QStringLiteral("a.txt")));
        w.Dateiffnen1->trigger();
        QDir(m_dir).mkdir(QStringLiteral("b.txt"));
        fakes.fileDialogs.openAnswers.push_back(path(QStringLiteral("b.txt")));
        w.Dateiffnen1->trigger();
        QVERIFY(fakes.messageBoxes.lastText().startsWith(
            QStringLiteral("Datei %1 kann nicht geöffnet werden. ").arg(path(QStringLiteral("b.txt")))));
        QCOMPARE(w.currentFileName(), path(QStringLiteral("a.txt")));
        QCOMPARE(w.memo().lines(), QStringList{QString::fromLatin1(kBank)});
        QVERIFY(!w.windowTitle().contains(QStringLiteral("b.txt")));
    }

    void cancelledOpenChangesNothing()
    {
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        w.memo().setText(QString::fromLatin1(kBank));
        w.Dateiffnen1->trigger();
        QCOMPARE(fakes.fileDialogs.opens, 1);
        QCOMPARE(w.memo().lines(), QStringList{QString::fromLatin1(kBank)});
        QVERIFY(w.modified());
    }

    void appendKeepsNameAndMarksModified()
    {
        writeBytes(path(QStringLiteral("a.txt")), kBank + "\r\n");
        writeBytes(path(QStringLiteral("b.txt")), kKiosk + "\r\nkeine Zeile\r\n");
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        fakes.fileDialogs.openAnswers.push_back(path(QStringLiteral("a.txt")));
        w.Dateiffnen1->trigger();
        fakes.fileDialogs.openAnswers.push_back(path(QStringLiteral("b.txt")));
        w.Berichtanfgen1->trigger();
        const QStringList combined{QString::fromLatin1(kBank), QString::fromLatin1(kKiosk), QStringLiteral("keine Zeile")};
        QCOMPARE(w.memo().lines(), combined);
        QCOMPARE(w.undoCopy(), QStringList{QString::fromLatin1(kBank)});
        QVERIFY(w.modified());
        QCOMPARE(w.windowTitle(),
                 QStringLiteral("Veltrix Professional by Morwen - Version 1.61 - ") + path(QStringLiteral("a.txt")) + QStringLiteral(" *"));
        QCOMPARE(w.panels[1]->text(), QStringLiteral("Gebs remaining: 3"));
        // The combined list goes to the file that was open.
        w.Dateispeichern1->trigger();
        QCOMPARE(readBytes(path(QStringLiteral("a.txt"))), kBank + "\r\n" + kKiosk + "\r\nkeine Zeile\r\n");
    }

    void appendToListWithoutFinalBreak()
    {
        writeBytes(path(QStringLiteral("b.txt")), kKiosk);
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        w.Memo1->setPlainText(QString::fromLatin1(kBank));
        fakes.fileDialogs.openAnswers.push_back(path(QStringLiteral("b.txt")));
        w.Berichtanfgen1->trigger();
        QCOMPARE(w.memo().lines(), (QStringList{QString::fromLatin1(kBank), QString::fromLatin1(kKiosk)}));
    }

    void neuEmptiesAndKeepsUndo()
    {
        writeBytes(path(QStringLiteral("a.txt")), kBank + "\r\n");
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        fakes.fileDialogs.openAnswers.push_back(path(QStringLiteral("a.txt")));
        w.Dateiffnen1->trigger();
        w.memo().appendLine(QString::fromLatin1(kKiosk));
        w.Neu1->trigger();
        QVERIFY(w.memo().isEmpty());
        QVERIFY(w.currentFileName().isEmpty());
        QVERIFY(!w.modified());
        QCOMPARE(w.windowTitle(), QStringLiteral("Veltrix Professional by Morwen - Version 1.61"));
        QCOMPARE(w.undoCopy(), (QStringList{QString::fromLatin1(kBank), QString::fromLatin1(kKiosk)}));
        QVERIFY(w.panels[1]->text().isEmpty());
        QVERIFY(w.panels[3]->text().isEmpty());
        QVERIFY(fakes.messageBoxes.shown.isEmpty());
    }

    void lastOpenedEntry()
    {
        writeBytes(path(QStringLiteral("a.txt")), kBank + "\r\nkeine Zeile\r\n");
        writeBytes(path(QStringLiteral("veltrix.ini")),
                   "[Datei]\r\nDateiname=" + path(QStringLiteral("a.txt")).toLocal8Bit() + "\r\n");
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        w.LoadSettings();
        QVERIFY(w.lastOpened->isVisible());
        QCOMPARE(w.lastOpened->text(), QStringLiteral("Öffnen: ") + path(QStringLiteral("a.txt")));
        w.lastOpened->trigger();
        QCOMPARE(w.memo().lines(), QStringList{QString::fromLatin1(kBank)});
        QCOMPARE(w.currentFileName(), path(QStringLiteral("a.txt")));
        QVERIFY(!w.modified());
        QCOMPARE(fakes.fileDialogs.opens, 0);
    }

    void lastOpenedFailureKeepsName()
    {
        writeBytes(path(QStringLiteral("veltrix.ini")),
                   "[Datei]\r\nDateiname=" + path(QStringLiteral("weg.txt")).toLocal8Bit() + "\r\n");
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        w.LoadSettings();
        w.memo().setText(QString::fromLatin1(kKiosk));
        w.lastOpened->trigger();
        QVERIFY(fakes.messageBoxes.lastText().startsWith(
            QStringLiteral("Datei %1 kann nicht geöffnet werden. ").arg(path(QStringLiteral("weg.txt")))));
        QVERIFY(w.currentFileName().isEmpty());
        QCOMPARE(w.memo().lines(), QStringList{QString::fromLatin1(kKiosk)});
    }
};

QTEST_MAIN(TestReportFiles)
#include "tst_reportfiles.moc"
