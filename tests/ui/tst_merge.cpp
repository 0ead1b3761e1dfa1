// "Bericht abgleichen": the clipboard's report merged into the list.
#include "support/controls.h"
#include "support/mergesamples.h"
#include "support/fakeplatform.h"
#include "ui/mainfrm.h"
#include "ui/memolines.h"
#include "ui/reportlist.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QtTest>

using namespace veltrix;
using namespace veltrix::test;

namespace {

const QString &kBank = kMergeBank;
const QString &kBankNew = kMergeBankNew;
const QString &kKiosk = kMergeKiosk;
const QString &kFabrik = kMergeFabrik;
const QString kJunk = QStringLiteral("Spionagebericht vom 07.12.2026");

} // namespace

class TestMerge : public QObject {
    Q_OBJECT

private slots:
    void merge_data()
    {
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QString>("status"); // empty: the box instead
        QTest::addColumn<bool>("modified");

        QTest::newRow("merged") << QStringList{kBank, kKiosk} << (kJunk + QStringLiteral("\r\n") + kBankNew + QStringLiteral("\r\n") + kFabrik)
                                << QStringList{kBankNew, kKiosk, kFabrik}
                                << QStringLiteral("Abgleich: 1 neu, 1 geändert, 0 unverändert, 1 nicht im Bericht") << true;
        QTest::newRow("nothing new") << QStringList{kBank, kKiosk} << (kKiosk + QLatin1Char('\n'))
                                     << QStringList{kBank, kKiosk}
                                     << QStringLiteral("Abgleich: 0 neu, 0 geändert, 1 unverändert, 1 nicht im Bericht") << false;
        QTest::newRow("no report") << QStringList{kBank} << kJunk << QStringList{kBank} << QString() << false;
    }

    void merge()
    {
        QFETCH(QStringList, list);
        QFETCH(QString, clipboard);
        QFETCH(QStringList, expected);
        QFETCH(QString, status);
        QFETCH(bool, modified);

        FakePlatform fakes;
        TfrmMain w(fakes.platform());
        w.list().memo().setLines(list);
        w.list().setModified(false);
        fakes.clipboard.setText(clipboard);
        trigger(w, "Berichtabgleichen1");

        QCOMPARE(w.list().memo().lines(), expected);
        QCOMPARE(w.list().isModified(), modified);
        if (status.isEmpty()) {
            QCOMPARE(fakes.messageBoxes.shown.size(), 1);
            QCOMPARE(fakes.messageBoxes.shown.first().title, QStringLiteral("Hinweis"));
            QCOMPARE(fakes.messageBoxes.lastText(), QStringLiteral("Die Zwischenablage enthält keinen Spionagebericht."));
            QVERIFY(!control<QAction>(w, "Rckgngig1")->isEnabled());
            return;
        }
        QVERIFY(fakes.messageBoxes.shown.isEmpty());
        QCOMPARE(control<QLabel>(w, "Panel0")->text(), status);
        trigger(w, "Rckgngig1");
        QCOMPARE(w.list().memo().lines(), list);
    }
};

QTEST_MAIN(TestMerge)
#include "tst_merge.moc"
