// Foundation operations: pasting, cleaning, statistics, save point, last
// line, and one typed character (the change handler).
#include "harness.h"
#include "support/controls.h"

#include "ui/mainfrm.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextCursor>

namespace veltrix::bench {
using namespace veltrix::test;

namespace {

const Registrar paste{{QStringLiteral("paste report into Memo1"),
                       [](TfrmMain &w, const QString &report) {
                           w.list().memo().clear();
                           QApplication::clipboard()->setText(report);
                       },
                       [](TfrmMain &w) { control<QPlainTextEdit>(w, "Memo1")->paste(); }}};

const Registrar clean{{QStringLiteral("CleanList"), nullptr, [](TfrmMain &w) { w.list().CleanList(); }}};

const Registrar money{{QStringLiteral("UpdateProtectionMoney"), nullptr, [](TfrmMain &w) { w.list().UpdateProtectionMoney(); }}};

const Registrar safepoint{{QStringLiteral("CreateSafepoint"), nullptr, [](TfrmMain &w) { w.list().CreateSafepoint(); }}};

// Found before the clock starts: the search through the window's controls
// would take longer than the command.
QAction *lastLineItem = nullptr;
const Registrar lastLine{{QStringLiteral("letzte Zeile löschen"),
                          [](TfrmMain &w, const QString &) { lastLineItem = control<QAction>(w, "letzteZeilelschen1"); },
                          [](TfrmMain &) { lastLineItem->trigger(); }}};

const Registrar typed{{QStringLiteral("one typed character (change handler)"),
                       [](TfrmMain &w, const QString &) {
                           QTextCursor c = control<QPlainTextEdit>(w, "Memo1")->textCursor();
                           c.setPosition(0);
                           control<QPlainTextEdit>(w, "Memo1")->setTextCursor(c);
                           control<QPlainTextEdit>(w, "Memo1")->setFocus();
                       },
                       [](TfrmMain &w) {
                           QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
                           QApplication::sendEvent(control<QPlainTextEdit>(w, "Memo1"), &press);
                       }}};

} // namespace
} // namespace veltrix::bench
