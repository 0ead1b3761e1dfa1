// The ten save slots kept in the data folder from run to run.
#include "core/lines.h"
#include "support/controls.h"
#include "support/fakeplatform.h"
#include "support/statusfixture.h"
#include "core/slotfile.h"
#include "ui/mainfrm.h"
#include "ui/statspage.h"

#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>

using namespace veltrix;
using namespace veltrix::test;

namespace {

const QString kBank45 = QStringLiteral("Lindenallee 117: Bank (SG: 45%) [Fallgitter]");
const QString kKiosk10 = QStringLiteral("Am Markt 3: Kiosk (SG: 10%) Keine Ausbauten vorhanden");
// Slots keep whatever the list held, uncleaned.
const QString kOdd = QStringLiteral("Seite\u20282 \"von\" 7 \\ {\"text\": 1}");

QPushButton *button(const QObject &w, const char *name, int k)
{
    return control<QPushButton>(w, QStringLiteral("%1%2").arg(QLatin1String(name)).arg(k));
}

int fileErrors(const FakeMessageBoxes &boxes)
{
    return int(std::count_if(boxes.shown.cbegin(), boxes.shown.cend(),
                             [](const MessageRequest &r) { return r.text.startsWith(QStringLiteral("Datei ")); }));
}

// The main window of a new run, once it has read the slots kept before.
void started(TfrmMain &w)
{
    w.show();
    QTRY_VERIFY(control<StatsPage>(w, "TabStats")->keptSlotsRead());
}

} // namespace

class TestSlotStore : public QObject {
    Q_OBJECT

private slots:
    void slotsSurviveANewWindow()
    {
        QTemporaryDir temp;
        // A first run: the folder is not there yet.
        const QString folder = temp.filePath(QStringLiteral("Veltrix Professional"));
        {
            FakePlatform fakes;
            fakes.dataFolder = folder;
            TfrmMain w(fakes.platform());
            w.list().memo().setLines({kBank45, kOdd});
            button(w, "save", 1)->click();
            fakes.clock.current = fakes.clock.current.addSecs(60);
            w.list().memo().setLines({kKiosk10});
            button(w, "save", 10)->click();
            button(w, "save", 2)->click();
            button(w, "save", 2)->click(); // "Safestate löschen?" Ja
            w.list().memo().clear();
            button(w, "save", 5)->click();
            QCOMPARE(fakes.messageBoxes.shown.size(), 1);
        }
        FakePlatform fakes;
        fakes.dataFolder = folder;
        TfrmMain w(fakes.platform());
        started(w);
        QCOMPARE(button(w, "save", 1)->text(), QStringLiteral("07.12.2026 11:30:05"));
        QCOMPARE(button(w, "save", 10)->text(), QStringLiteral("07.12.2026 11:31:05"));
        QCOMPARE(button(w, "save", 2)->text(), QStringLiteral("- - -"));
        for (int k = 1; k <= 10; ++k)
            QCOMPARE(button(w, "restore", k)->isEnabled(), k == 1 || k == 5 || k == 10);
        QVERIFY(!QFile::exists(QDir(folder).filePath(QStringLiteral("slot2.json"))));

        button(w, "restore", 1)->click();
        QCOMPARE(w.list().memo().lines(), (QStringList{kBank45, kOdd}));
        button(w, "restore", 10)->click();
        QCOMPARE(w.list().memo().lines(), QStringList{kKiosk10});
        button(w, "restore", 5)->click();
        QVERIFY(w.list().memo().isEmpty());
        QVERIFY(fakes.messageBoxes.shown.isEmpty());
    }

    // Every list the program can open comes back: 23,000,000 "€" are a
    // report of 23 MB and a slot file of 69 MB.
    void longListComesBack()
    {
        QTemporaryDir temp;
        const QStringList lines(100000, QString(230, QChar(0x20AC)));
        {
            FakePlatform fakes;
            fakes.dataFolder = temp.path();
            TfrmMain w(fakes.platform());
            w.list().memo().setLines(lines);
            button(w, "save", 4)->click();
            QVERIFY(fakes.messageBoxes.shown.isEmpty());
        }
        FakePlatform fakes;
        fakes.dataFolder = temp.path();
        TfrmMain w(fakes.platform());
        started(w);
        QCOMPARE(button(w, "save", 4)->text(), QStringLiteral("07.12.2026 11:30:05"));
        button(w, "restore", 4)->click();
        QVERIFY(w.list().memo().lines() == lines);
    }

    void damagedSlotIsSkipped_data()
    {
        // What a damaged file is, is core_tst_slotfile's; here one of them.
        QTest::addColumn<QByteArray>("slot3"); // empty: a folder in its place
        QTest::newRow("truncated") << QByteArray("{\n    \"caption\": \"07.12.2026 11:30:05\",\n    \"text\": \"Lindenallee 1");
        QTest::newRow("a folder in its place") << QByteArray();
    }
    void damagedSlotIsSkipped()
    {
        QFETCH(QByteArray, slot3);
        QTemporaryDir temp;
        const QDir folder(temp.path());
        QVERIFY(putFile(folder.filePath(QStringLiteral("slot1.json")),
                        "{\"caption\": \"01.12.2026 08:00:00\", \"text\": \"Lindenallee 117: Bank (SG: 45%) [Fallgitter]\"}"));
        if (slot3.isEmpty())
            QVERIFY(folder.mkdir(QStringLiteral("slot3.json")));
        else
            QVERIFY(putFile(folder.filePath(QStringLiteral("slot3.json")), slot3));
        const QString aside = folder.filePath(QStringLiteral("slot3.json.damaged"));
        QVERIFY(putFile(aside, "set aside by an earlier run"));

        FakePlatform fakes;
        fakes.dataFolder = temp.path();
        TfrmMain w(fakes.platform());
        started(w);
        QVERIFY(fakes.messageBoxes.shown.isEmpty());
        QCOMPARE(button(w, "save", 3)->text(), QStringLiteral("- - -"));
        QVERIFY(!button(w, "restore", 3)->isEnabled());
        QCOMPARE(button(w, "save", 1)->text(), QStringLiteral("01.12.2026 08:00:00"));
        button(w, "restore", 1)->click();
        QCOMPARE(w.list().memo().lines(), QStringList{kBank45});

        // The next save into the slot keeps the damaged file beside the
        // one set aside before.
        button(w, "save", 3)->click();
        QVERIFY(fakes.messageBoxes.shown.isEmpty());
        QCOMPARE(fileBytes(aside), QByteArray("set aside by an earlier run"));
        if (slot3.isEmpty())
            QVERIFY(QFileInfo(aside + QStringLiteral(".2")).isDir());
        else
            QCOMPARE(fileBytes(aside + QStringLiteral(".2")), slot3);
        QCOMPARE(readSlotFile(fileBytes(folder.filePath(QStringLiteral("slot3.json")))),
                 (StoredSlot{kBank45 + u'\n', QStringLiteral("07.12.2026 11:30:05")}));
    }

    // A save into a slot whose kept file is not read yet asks before it
    // writes over it; a later reading leaves the slots as saved.
    void saveBeforeTheKeptSlotsAreRead()
    {
        QTemporaryDir temp;
        const QDir folder(temp.path());
        const QByteArray kept = "{\"caption\": \"01.12.2026 08:00:00\", \"text\": \"Weg 7: Kiosk\"}";
        QVERIFY(putFile(folder.filePath(QStringLiteral("slot1.json")), kept));
        FakePlatform fakes;
        fakes.dataFolder = temp.path();
        TfrmMain w(fakes.platform());
        QVERIFY(!control<StatsPage>(w, "TabStats")->keptSlotsRead());
        w.list().memo().setLines({kBank45});
        fakes.messageBoxes.answers = {MsgResult::No};
        button(w, "save", 1)->click();
        QCOMPARE(fakes.messageBoxes.lastText(), QStringLiteral("Safestate löschen?"));
        button(w, "save", 2)->click();
        QCOMPARE(fakes.messageBoxes.shown.size(), 1);
        started(w);
        QCOMPARE(fileBytes(folder.filePath(QStringLiteral("slot1.json"))), kept);
        QCOMPARE(button(w, "save", 1)->text(), QStringLiteral("01.12.2026 08:00:00"));
        QCOMPARE(button(w, "save", 2)->text(), QStringLiteral("07.12.2026 11:30:05"));
        w.list().memo().clear();
        button(w, "restore", 2)->click();
        QCOMPARE(w.list().memo().lines(), QStringList{kBank45});
    }

    // Every save meets the same failure; the player hears of each, and the
    // slots still work for the run.
    void everyWriteFailureIsTold()
    {
        QTemporaryDir temp;
        QVERIFY(putFile(temp.filePath(QStringLiteral("datei")), "x"));
        FakePlatform fakes;
        fakes.dataFolder = temp.filePath(QStringLiteral("datei/Veltrix"));
        TfrmMain w(fakes.platform());
        w.list().memo().setLines({kBank45});
        button(w, "save", 1)->click();
        QVERIFY(fakes.messageBoxes.lastText().startsWith(
            QStringLiteral("Datei \"%1\" kann nicht erstellt werden. ").arg(temp.filePath(QStringLiteral("datei/Veltrix/slot1.json")))));
        button(w, "save", 2)->click();
        QCOMPARE(fileErrors(fakes.messageBoxes), 2);
        QVERIFY(button(w, "restore", 1)->isEnabled());
        QVERIFY(button(w, "restore", 2)->isEnabled());
        w.list().memo().clear();
        button(w, "restore", 2)->click();
        QCOMPARE(w.list().memo().lines(), QStringList{kBank45});
    }

    // A full disk after a damaged file was set aside: the saves that follow
    // are told and leave the set-aside file alone, the only copy there is.
    void failedSaveKeepsTheDamagedFile()
    {
        QTemporaryDir temp;
        const QDir folder(temp.path());
        QVERIFY(putFile(folder.filePath(QStringLiteral("slot3.json")), "damaged"));
        const QString aside = folder.filePath(QStringLiteral("slot3.json.damaged"));
        FakePlatform fakes;
        fakes.dataFolder = temp.path();
        fakes.files.failingWrites = 2;
        TfrmMain w(fakes.platform());
        started(w);
        w.list().memo().setLines({kBank45});
        button(w, "save", 3)->click();
        button(w, "save", 3)->click(); // "Safestate löschen?" Ja
        button(w, "save", 3)->click();
        QCOMPARE(fileErrors(fakes.messageBoxes), 2);
        button(w, "save", 3)->click(); // Ja
        button(w, "save", 3)->click(); // the disk has room again
        QCOMPARE(fileErrors(fakes.messageBoxes), 2);
        QCOMPARE(fileBytes(aside), QByteArray("damaged"));
        QVERIFY(!QFile::exists(aside + QStringLiteral(".2")));
        QCOMPARE(readSlotFile(fileBytes(folder.filePath(QStringLiteral("slot3.json")))),
                 (StoredSlot{kBank45 + u'\n', QStringLiteral("07.12.2026 11:30:05")}));
    }
};

QTEST_MAIN(TestSlotStore)
#include "tst_slotstore.moc"
