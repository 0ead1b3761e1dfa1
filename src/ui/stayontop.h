#pragma once

#include <QObject>
#include <QPointer>

class QAction;
class QTimer;
class QWidget;

namespace veltrix {

// "Always On Top" follows the report list between the main window and the
// status window: it moves to the status window when that takes the list and
// back when the list returns. Each window brings its own checkable item and
// bring-to-front timer; the style, the tick and the timer change together.
class StayOnTop : public QObject {
    Q_OBJECT

public:
    struct Window {
        QWidget *window = nullptr;
        QAction *item = nullptr;
        QTimer *toFront = nullptr;
    };

    explicit StayOnTop(const Window &main, QObject *parent = nullptr);
    void setStatus(const Window &status);

    // The status window is about to show with the list: the main window
    // hides and hands its stay-on-top over, before the status window shows,
    // so that it appears with the style instead of being recreated.
    void toStatus();
    // The status window has handed the list back: it hides, returns its
    // stay-on-top to the main window and the main window shows.
    void toMain();

    bool mainOnTop() const;
    void setMainOnTop(bool on);

    // Shows or hides the main window for another window (the SG calculator).
    // While the status window holds the list the main window stays hidden
    // and the wish takes effect when the list is back.
    void setMainVisible(bool visible);

private:
    struct Parts {
        QPointer<QWidget> window;
        QPointer<QAction> item;
        QPointer<QTimer> toFront;
        explicit operator bool() const;
    };
    static void set(const Parts &parts, bool on);
    bool statusHoldsList() const;
    void statusToggled(bool on);

    Parts m_main;
    Parts m_status;
    bool m_mainWanted = true;
};

} // namespace veltrix
