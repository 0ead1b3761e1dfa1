// "Bericht abgleichen": the clipboard's report merged into the list. How lines
// merge is the core's table; here only what the window adds: the counts in the
// status bar, the box, the undo and the Info page.
#include "core/lines.h"
#include "core/merge.h"
#include "support/controls.h"
#include "support/fakeplatform.h"
#include "support/mergesamples.h"
#include "ui/mainfrm.h"
#include "ui/memolines.h"
#include "ui/reportlist.h"

#include <QAction>
#include <QLabel>
#include <QtTest>

using namespace veltrix;
using namespace veltrix::test;

namespace {

const QString kJunk = QStringLiteral("Spionagebericht vom 07.12.2026");

// What the Info page shows of the first building.
QStringList infoTexts(const TfrmMain &w)
{
    QStringList texts;
    for (const char *name : {"InfoGeb", "InfoSG", "InfoRandale", "HintRandale", "InfoUeberfall"})
        texts << control<QLabel>(w, name)->text();
    return texts;
}

} // namespace

class TestMerge : public QObject {
    Q_OBJECT

private slots:
    void merge_data()
    {
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("status"); // empty: the box instead
        QTest::addColumn<bool>("modified");

        QTest::newRow("first line replaced")
            << QStringList{kMergeBank, kMergeKiosk}
            << (kJunk + QStringLiteral("\r\n") + kMergeBankNew + QStringLiteral("\r\n") + kMergeFabrik)
            << QStringLiteral("Abgleich: 1 neu, 1 geändert, 0 unverändert, 1 nicht im Bericht") << true;
        QTest::newRow("into an empty list")
            << QStringList{} << kMergeFabrik
            << QStringLiteral("Abgleich: 1 neu, 0 geändert, 0 unverändert, 0 nicht im Bericht") << true;
        QTest::newRow("nothing new") << QStringList{kMergeBank, kMergeKiosk} << (kMergeKiosk + QLatin1Char('\n'))
                                     << QStringLiteral("Abgleich: 0 neu, 0 geändert, 1 unverändert, 1 nicht im Bericht")
                                     << false;
        QTest::newRow("no report") << QStringList{kMergeBank} << kJunk << QString() << false;
    }

    void merge()
    {
        QFETCH(QStringList, list);
        QFETCH(QString, clipboard);
        QFETCH(QString, status);
        QFETCH(bool, modified);

        FakePlatform fakes;
        TfrmMain w(fakes.platform());
        w.list().memo().setLines(list);
        w.list().ShowBuildingInfo();
        w.list().setModified(false);
        fakes.clipboard.setText(clipboard);
        trigger(w, "Berichtabgleichen1");

        const QStringList merged = mergeReport(list, splitLines(clipboard)).lines;
        QCOMPARE(w.list().memo().lines(), merged);
        QCOMPARE(w.list().isModified(), modified);
        if (status.isEmpty()) {
            QCOMPARE(fakes.messageBoxes.shown.size(), 1);
            QCOMPARE(fakes.messageBoxes.shown.first().title, QStringLiteral("Hinweis"));
            QCOMPARE(fakes.messageBoxes.lastText(),
                     QStringLiteral("Die Zwischenablage enthält keinen Spionagebericht."));
            QVERIFY(!control<QAction>(w, "Rckgngig1")->isEnabled());
            return;
        }
        QVERIFY(fakes.messageBoxes.shown.isEmpty());
        QCOMPARE(control<QLabel>(w, "Panel0")->text(), status);
        // The Info page shows the list's first building, as a fresh look at it would.
        const QStringList shown = infoTexts(w);
        trigger(w, "N1Hausnummerkopieren1");
        QCOMPARE(shown, infoTexts(w));
        trigger(w, "Rckgngig1");
        QCOMPARE(w.list().memo().lines(), list);
    }
};

QTEST_MAIN(TestMerge)
#include "tst_merge.moc"
