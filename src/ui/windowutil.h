#pragma once

#include "core/error.h"
#include "platform/platform.h"

#include <QString>
#include <exception>
#include <functional>
#include <new>

class QAction;
class QLineEdit;
class QPoint;
class QWidget;
class QComboBox;
class QTimer;

namespace veltrix {

// Shows an error text the way every command failure is shown.
void reportError(const Platform &platform, const QString &text);

// The top-level guard around every command: an error ends the command, its
// text is shown in a message box and the program goes on.
template <class F>
void guarded(const Platform &platform, F &&command)
{
    try {
        command();
    } catch (const VeltrixError &e) {
        reportError(platform, e.message());
    } catch (const std::bad_alloc &) {
        reportError(platform, QStringLiteral("Zu wenig Arbeitsspeicher"));
    } catch (...) {
        // Library texts are English and internal: the player gets German.
        reportError(platform, QStringLiteral("Der Befehl wurde wegen eines unerwarteten Fehlers abgebrochen."));
    }
}

// Runs check when the keyboard focus moves from the field to another control.
// Focus moves on the mouse press, so the check runs before the click of the
// button taking it. A context menu or a switch to another window is no exit.
void onFocusLost(QWidget *field, std::function<void()> check);

// Limits what the user types or pastes into the field to maxLength
// characters. Unlike QLineEdit::setMaxLength it leaves text set by the
// program whole, and a longer text can still be shortened.
void limitTyping(QLineEdit *field, int maxLength);

// Switches the stay-on-top hint without leaving a shown window hidden.
void setStayOnTop(QWidget *window, bool on);
bool isStayOnTop(const QWidget *window);

// The stay-on-top style together with the window's bring-to-front timer.
void setStayOnTop(QWidget *window, bool on, QTimer *toFront);

// Called as a window shows, after it took its designed or saved place:
// the whole frame goes inside the available area of its screen, and that
// place is given as the frame's, so the position the window reports (and
// the settings keep) is the one it opens at the next time.
void fitOnScreen(QWidget *window);
// Where the window's frame is now (or, not shown, will open).
QPoint framePosition(const QWidget *window);

} // namespace veltrix
