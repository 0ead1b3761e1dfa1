// Undo, slot restore, the start with ten kept slots and the whole-list SG
// shifts on a full report.
#include "harness.h"
#include "support/controls.h"
#include "support/fakeplatform.h"

#include "ui/mainfrm.h"
#include "ui/slotstore.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <memory>

namespace veltrix::bench {
using namespace veltrix::test;

namespace {

// The undo copy holds the pasted report; Memo1 holds a single line.
const Registrar undo{{QStringLiteral("Rückgängig"),
                      [](TfrmMain &w, const QString &) {
                          w.list().CreateSafepoint();
                          w.list().memo().setLines({w.list().memo().firstLine()});
                      },
                      [](TfrmMain &w) { trigger(w, "Rckgngig1"); }}};

// Slot 1 holds the pasted report; Memo1 holds a single line.
const Registrar restoreSlot{{QStringLiteral("restore slot"),
                             [](TfrmMain &w, const QString &) {
                                 if (control<QPushButton>(w, "save1")->text() != QStringLiteral("- - -"))
                                     control<QPushButton>(w, "save1")->click(); // the fake answers Yes: empty the slot first
                                 control<QPushButton>(w, "save1")->click();
                                 w.list().memo().setLines({w.list().memo().firstLine()});
                             },
                             [](TfrmMain &w) { control<QPushButton>(w, "restore1")->click(); }}};

// A data folder whose ten slots each hold the report, as an earlier run
// left them.
QString keptSlotsFolder(const QString &report)
{
    static QTemporaryDir folder;
    static qsizetype keptLength = -1;
    if (keptLength != report.size()) {
        DiskFiles files;
        const SlotStore store(&files, folder.path());
        for (int i = 0; i < 10; ++i)
            store.save(i, {report, QStringLiteral("07.12.2026 11:30:05")});
        keptLength = report.size();
    }
    return folder.path();
}

// Notes the window's first paint.
class PaintWatch : public QObject {
public:
    bool painted = false;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

// The window of the last start, closed untimed before the next.
struct Started {
    test::FakePlatform fakes;
    std::unique_ptr<TfrmMain> window;
};
std::unique_ptr<Started> started;
QString startFolder;
const Releaser releaseStarted{[] { started.reset(); }};

void prepareStart(const QString &report)
{
    started.reset();
    startFolder = keptSlotsFolder(report);
}

// From creating the main window until it has painted, and if asked until
// the tenth slot is read as well.
void start(bool untilSlotsRead)
{
    started = std::make_unique<Started>();
    started->fakes.dataFolder = startFolder;
    started->window = std::make_unique<TfrmMain>(started->fakes.platform());
    PaintWatch watch;
    started->window->installEventFilter(&watch);
    started->window->show();
    QPushButton *last = control<QPushButton>(*started->window, "restore10");
    while (!watch.painted || (untilSlotsRead && !last->isEnabled()))
        QCoreApplication::processEvents();
    started->window->removeEventFilter(&watch);
}

const Registrar startShown{{QStringLiteral("start, ten slots kept: window painted"),
                            [](TfrmMain &, const QString &report) { prepareStart(report); },
                            [](TfrmMain &) { start(false); }}};

const Registrar startRead{{QStringLiteral("start, ten slots kept: slots read"),
                           [](TfrmMain &, const QString &report) { prepareStart(report); },
                           [](TfrmMain &) { start(true); }}};

const Registrar up{{QStringLiteral("SG up"), [](TfrmMain &w, const QString &) { control<QLineEdit>(w, "SGdown")->setText(QStringLiteral("25")); },
                    [](TfrmMain &w) { click(w, "BitBtn5"); }}};

const Registrar down{{QStringLiteral("SG down"),
                      [](TfrmMain &w, const QString &) { control<QLineEdit>(w, "SGdown")->setText(QStringLiteral("25")); },
                      [](TfrmMain &w) { click(w, "BitBtn6"); }}};

// The same shifts on a list that an earlier sort or filter has cleaned.
const Registrar upClean{{QStringLiteral("SG up, cleaned list"),
                         [](TfrmMain &w, const QString &) {
                             w.list().CleanList();
                             control<QLineEdit>(w, "SGdown")->setText(QStringLiteral("25"));
                         },
                         [](TfrmMain &w) { click(w, "BitBtn5"); }}};

const Registrar downClean{{QStringLiteral("SG down, cleaned list"),
                           [](TfrmMain &w, const QString &) {
                               w.list().CleanList();
                               control<QLineEdit>(w, "SGdown")->setText(QStringLiteral("25"));
                           },
                           [](TfrmMain &w) { click(w, "BitBtn6"); }}};

const Registrar cleanClean{{QStringLiteral("CleanList, cleaned list"), [](TfrmMain &w, const QString &) { w.list().CleanList(); },
                            [](TfrmMain &w) { w.list().CleanList(); }}};

} // namespace
} // namespace veltrix::bench
