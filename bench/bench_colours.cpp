// Line colours: list operations with "Zeilen einfärben" on, timed until the
// lines in view are coloured (comparable with the operations' own rows); and
// typing and scrolling timed until painted, with colours on and off.
#include "harness.h"
#include "support/controls.h"

#include "ui/mainfrm.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>

namespace veltrix::bench {
using namespace veltrix::test;

namespace {

QPlainTextEdit *memo(TfrmMain &w)
{
    return control<QPlainTextEdit>(w, "Memo1");
}

// Runs the queued colouring of the lines in view, which comes before the
// next paint.
void coloured(TfrmMain &)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
}

// Colours and paints the text area, as the player next sees it.
void painted(TfrmMain &w)
{
    coloured(w);
    memo(w)->viewport()->repaint();
}

std::function<void(TfrmMain &, const QString &)> colours(bool on, std::function<void(TfrmMain &)> more = nullptr)
{
    return [on, more](TfrmMain &w, const QString &) {
        control<QAction>(w, "Zeileneinfaerben1")->setChecked(on);
        memo(w)->verticalScrollBar()->setValue(0);
        if (more)
            more(w);
        QCoreApplication::processEvents();
        painted(w);
    };
}

std::function<void(TfrmMain &)> then(std::function<void(TfrmMain &)> run, void (*finish)(TfrmMain &))
{
    return [run, finish](TfrmMain &w) {
        run(w);
        finish(w);
    };
}

void typeOneCharacter(TfrmMain &w)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
    QApplication::sendEvent(memo(w), &press);
}

void caretToTop(TfrmMain &w)
{
    QTextCursor c = memo(w)->textCursor();
    c.setPosition(0);
    memo(w)->setTextCursor(c);
    memo(w)->setFocus();
}

void scrollPage(TfrmMain &w)
{
    QScrollBar *bar = memo(w)->verticalScrollBar();
    bar->setValue(bar->value() + bar->pageStep());
}

void scrollWheelStep(TfrmMain &w)
{
    QScrollBar *bar = memo(w)->verticalScrollBar();
    bar->setValue(bar->value() + 3);
}

void scrollToEnd(TfrmMain &w)
{
    memo(w)->verticalScrollBar()->setValue(memo(w)->verticalScrollBar()->maximum());
}

// A list operation, timed until the lines in view are coloured; comparable
// with the operation's own row.
Case operation(const char *name, std::function<void(TfrmMain &)> run, std::function<void(TfrmMain &)> more = nullptr)
{
    return {QStringLiteral("colours on: ") + QString::fromUtf8(name), colours(true, more), then(run, coloured)};
}

// Typing and scrolling, timed until painted, with colours on and off.
Case view(bool on, const char *name, std::function<void(TfrmMain &)> run, std::function<void(TfrmMain &)> more = nullptr)
{
    return {QString::fromUtf8(on ? "colours on: " : "colours off: ") + QString::fromUtf8(name) + QStringLiteral(", painted"),
            colours(on, more), then(run, painted)};
}

const Registrar sgOn{operation("order Sicherheitsgefühl", [](TfrmMain &w) { trigger(w, "Strasse1"); })};
const Registrar streetOn{operation("order Strasse", [](TfrmMain &w) { trigger(w, "Strasse2"); })};
const Registrar typeOn{operation("order Gebäudetyp", [](TfrmMain &w) { trigger(w, "Gebude1"); })};
const Registrar filterOn{operation("filter SG <= 44", [](TfrmMain &w) { click(w, "BitBtn3"); })};
const Registrar reverseOn{operation("Liste umkehren", [](TfrmMain &w) { trigger(w, "Listeumkehren1"); })};
const Registrar cleanOn{operation("CleanList", [](TfrmMain &w) { w.list().CleanList(); })};
const Registrar deleteOn{operation("1. Zeile löschen", [](TfrmMain &w) { trigger(w, "AktuelleZeilelschen1"); })};
const Registrar lastOn{operation("letzte Zeile löschen", [](TfrmMain &w) { trigger(w, "letzteZeilelschen1"); })};
const Registrar undoOn{operation("Rückgängig", [](TfrmMain &w) { trigger(w, "Rckgngig1"); }, [](TfrmMain &w) {
    w.list().CreateSafepoint();
    w.list().memo().setLines({w.list().memo().firstLine()});
})};
const Registrar pasteOn{operation("paste report into Memo1", [](TfrmMain &w) { memo(w)->paste(); }, [](TfrmMain &w) {
    QApplication::clipboard()->setText(w.list().memo().text());
    w.list().memo().clear();
})};
const Registrar switchOn{{QStringLiteral("colours switched on"), colours(false),
                          then([](TfrmMain &w) { control<QAction>(w, "Zeileneinfaerben1")->setChecked(true); }, coloured)}};

const Registrar typedOn{view(true, "one typed character", typeOneCharacter, caretToTop)};
const Registrar typedOff{view(false, "one typed character", typeOneCharacter, caretToTop)};
const Registrar wheelOn{view(true, "scroll 3 lines", scrollWheelStep)};
const Registrar wheelOff{view(false, "scroll 3 lines", scrollWheelStep)};
const Registrar pageOn{view(true, "scroll one page", scrollPage)};
const Registrar pageOff{view(false, "scroll one page", scrollPage)};
const Registrar endOn{view(true, "scroll to the end", scrollToEnd)};
const Registrar endOff{view(false, "scroll to the end", scrollToEnd)};

} // namespace
} // namespace veltrix::bench
