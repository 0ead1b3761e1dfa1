// "Zwischenablage überwachen": reports copied elsewhere are merged into the list.
#include "platform/qtplatform.h"
#include "support/controls.h"
#include "support/mergesamples.h"
#include "support/statusfixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QtTest>

using namespace veltrix;
using namespace veltrix::test;

namespace {

const QString &kBank = kMergeBank;
const QString &kBankNew = kMergeBankNew;
const QString &kKiosk = kMergeKiosk;
const QString &kFabrik = kMergeFabrik;
const QString kReport = kBankNew + QStringLiteral("\r\n") + kFabrik + QStringLiteral("\r\n");
const QStringList kList{kBank, kKiosk};
const QStringList kMerged{kBankNew, kKiosk, kFabrik};

} // namespace

class TestClipboardWatch : public QObject {
    Q_OBJECT

private slots:
    // Steps: "on", "off", "copy:<text>" (another program copies), "undo".
    void watch_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QString>("status"); // panel 0 at the end; empty: not checked

        QTest::newRow("a report merges") << QStringList{"on", "copy:" + kReport} << kMerged
                                         << QStringLiteral("Abgleich: 1 neu, 1 geändert, 0 unverändert, 1 nicht im Bericht");
        QTest::newRow("no report is silent") << QStringList{"on", "copy:Seite 2 von 7"} << kList << QString();
        QTest::newRow("unchecked does nothing") << QStringList{"on", "off", "copy:" + kReport} << kList << QString();
        QTest::newRow("the text merged last is not merged again")
            << QStringList{"on", "copy:" + kReport, "undo", "copy:" + kReport} << kList << QString();
        QTest::newRow("another report after it merges")
            << QStringList{"on", "copy:" + kReport, "undo", "copy:" + kFabrik} << QStringList{kBank, kKiosk, kFabrik}
            << QString();
    }
    void watch()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, expected);
        QFETCH(QString, status);

        MainAndStatus w;
        w.main->list().memo().setLines(kList);
        QAction *item = control<QAction>(*w.main, "Zwischenablageueberwachen1");
        QVERIFY(item->isCheckable());
        QVERIFY(!item->isChecked());
        for (const QString &step : steps) {
            if (step == QLatin1String("on") || step == QLatin1String("off"))
                item->setChecked(step == QLatin1String("on"));
            else if (step.startsWith(QLatin1String("copy:")))
                w.fakes.clipboard.copyElsewhere(step.mid(5));
            else if (step == QLatin1String("undo"))
                trigger(*w.main, "Rckgngig1");
        }
        QCOMPARE(w.main->list().memo().lines(), expected);
        QVERIFY(w.boxes.shown.isEmpty());
        if (!status.isEmpty())
            QCOMPARE(control<QLabel>(*w.main, "Panel0")->text(), status);
    }

    // A report copied while a command waits for the player's answer is
    // merged once the command is over, not in the middle of it.
    void changeDuringACommandWaitsForItsEnd()
    {
        MainAndStatus w;
        w.main->list().memo().setLines(kList);
        control<QAction>(*w.main, "Zwischenablageueberwachen1")->setChecked(true);
        QStringList during;
        w.main->list().command([&] {
            w.fakes.clipboard.copyElsewhere(kReport);
            during = w.main->list().memo().lines();
        });
        QCOMPARE(during, kList);
        QCOMPARE(w.main->list().memo().lines(), kMerged);
    }

    // The real clipboard reports what other programs copy, never the
    // program's own copies.
    void realClipboardLeavesOutOwnCopies()
    {
        QtClipboard clipboard;
        QObject context;
        QStringList seen;
        clipboard.watch(&context, [&] { seen << clipboard.text(); });
        clipboard.setText(QStringLiteral("117"));
        QGuiApplication::clipboard()->setText(kReport);
        clipboard.setText(kBank);
        QGuiApplication::clipboard()->setText(kFabrik);
        QTRY_COMPARE(seen, (QStringList{kReport, kFabrik}));
    }
};

QTEST_MAIN(TestClipboardWatch)
#include "tst_clipboardwatch.moc"
