// Undo, slot restore and the whole-list SG shifts on a full report.
#include "harness.h"
#include "support/controls.h"

#include "ui/mainfrm.h"

#include <QLineEdit>
#include <QPushButton>

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
