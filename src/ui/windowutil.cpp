#include "windowutil.h"

#include "programname.h"

#include "core/screenfit.h"

#include <QEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QObject>
#include <QScreen>
#include <QTimer>
#include <QValidator>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <optional>

namespace veltrix {

void reportError(const Platform &platform, const QString &text)
{
    if (platform.messageBoxes)
        platform.messageBoxes->show({kProgramName, text, MsgButtons::Ok, MsgIcon::Critical});
}

namespace {

class TypingLimit : public QValidator {
public:
    TypingLimit(QLineEdit *field, int maxLength)
        : QValidator(field), m_field(field), m_maxLength(maxLength), m_previous(field->text())
    {
        connect(field, &QLineEdit::textChanged, this, [this](const QString &text) { m_previous = text; });
    }

    State validate(QString &input, int &pos) const override
    {
        // The program's setText starts a fresh undo history; only edits
        // leave one behind.
        if (!m_field->isUndoAvailable())
            return Acceptable;
        const qsizetype excess = input.size() - std::max<qsizetype>(m_maxLength, m_previous.size());
        if (excess <= 0)
            return Acceptable;
        // The inserted text ends at the cursor: keep what fits of it.
        if (pos < excess)
            return Invalid;
        QString fitted = input;
        fitted.remove(pos - excess, excess);
        if (fitted == m_previous)
            return Invalid; // nothing fits; undoing the edit keeps the undo history
        input = fitted;
        pos -= int(excess);
        return Acceptable;
    }

private:
    QLineEdit *m_field;
    int m_maxLength;
    QString m_previous;
};

class FocusWatcher : public QObject {
public:
    FocusWatcher(QWidget *field, QEvent::Type type, std::function<void()> handler)
        : QObject(field), m_type(type), m_handler(std::move(handler))
    {
        field->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == m_type && watched == parent() && !leavesFocusInPlace(event))
            m_handler();
        return false;
    }

private:
    // A context menu or another window taking the focus for a while is no
    // exit: the field still holds the focus within its window, and a check
    // then would reset a field the user is about to paste into.
    static bool leavesFocusInPlace(const QEvent *event)
    {
        if (event->type() != QEvent::FocusOut)
            return false;
        const Qt::FocusReason reason = static_cast<const QFocusEvent *>(event)->reason();
        return reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason;
    }

    QEvent::Type m_type;
    std::function<void()> m_handler;
};

QRect fitted(const QRect &frame)
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    QList<QRect> areas;
    for (const QScreen *screen : screens)
        areas << screen->availableGeometry();
    return fitFrame(frame, areas, screens.indexOf(QGuiApplication::primaryScreen()));
}

// Gives the window the frame rect; the size is the client area's plus the
// frame as far as it is known.
void setFrame(QWidget *window, const QRect &from, const QRect &to)
{
    if (to.size() != from.size())
        window->resize(window->size() - (from.size() - to.size()));
    if (to.topLeft() == from.topLeft())
        return;
    QWindow *handle = window->windowHandle();
    if (!handle)
        window->move(to.topLeft());
    else if (handle->isExposed()) // framed: the client area's place follows
        handle->setPosition(to.topLeft() + (handle->geometry().topLeft() - handle->frameGeometry().topLeft()));
    else
        handle->setFramePosition(to.topLeft());
}

// Until a window manager has framed a window, neither Qt nor the window
// knows how large the frame is, and a window manager may take the place
// asked for as the client area's. Once the window shows, the place is
// checked against the real frame and mended; so is a window that grows.
class FrameCheck : public QObject {
public:
    static constexpr const char *kName = "frameCheck";

    FrameCheck(QWidget *window, QWindow *handle) : QObject(window), m_window(window)
    {
        setObjectName(QLatin1String(kName));
        handle->installEventFilter(this);
    }

    static FrameCheck *of(const QWidget *window)
    {
        // No meta-object of its own: found by its name.
        return static_cast<FrameCheck *>(
            window->findChild<QObject *>(QLatin1String(kName), Qt::FindDirectChildrenOnly));
    }

    void expect(const QPoint &frameTopLeft)
    {
        m_expected = frameTopLeft;
        m_pending = true;
    }

    // Where the frame was last seen while the window showed.
    std::optional<QPoint> lastPlace() const { return m_place; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *handle = qobject_cast<QWindow *>(watched);
        if (!handle || !handle->isExposed())
            return false;
        if (m_pending && event->type() == QEvent::Expose) {
            m_pending = false;
            const QRect frame = handle->frameGeometry();
            setFrame(m_window, frame, fitted(QRect(m_expected, frame.size())));
        } else if (event->type() == QEvent::Resize) {
            // Grown with a larger font, it stays on its screen.
            const QRect frame = handle->frameGeometry();
            setFrame(m_window, frame, fitted(frame));
        }
        if (event->type() == QEvent::Expose || event->type() == QEvent::Move)
            m_place = handle->framePosition();
        return false;
    }

private:
    QWidget *m_window;
    QPoint m_expected;
    bool m_pending = false;
    std::optional<QPoint> m_place;
};

} // namespace

void fitOnScreen(QWidget *window)
{
    const QRect frame(window->pos(), window->frameGeometry().size());
    const QRect place = fitted(frame);
    setFrame(window, frame, place);
    if (QWindow *handle = window->windowHandle()) {
        // A window manager may take the same place given again as the
        // client area's: it is given as the frame's in any case.
        if (place.topLeft() == frame.topLeft())
            handle->setFramePosition(place.topLeft());
        FrameCheck *check = FrameCheck::of(window);
        if (!check)
            check = new FrameCheck(window, handle);
        check->expect(place.topLeft());
    }
}

QPoint framePosition(const QWidget *window)
{
    // The widget's own idea of its frame is updated only when it moves;
    // the window system's is asked afresh.
    if (const QWindow *handle = window->windowHandle(); handle && handle->isExposed())
        return handle->framePosition();
    // Hidden, the frame may be gone: where it was last seen.
    if (const FrameCheck *check = FrameCheck::of(window); check && check->lastPlace())
        return *check->lastPlace();
    return window->pos();
}

void limitTyping(QLineEdit *field, int maxLength)
{
    field->setValidator(new TypingLimit(field, maxLength));
}

void onFocusLost(QWidget *field, std::function<void()> check)
{
    new FocusWatcher(field, QEvent::FocusOut, std::move(check));
}

bool isStayOnTop(const QWidget *window)
{
    return window->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

void setStayOnTop(QWidget *window, bool on)
{
    if (isStayOnTop(window) == on)
        return;
    const bool visible = window->isVisible();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (visible)
        window->show();
}

void setStayOnTop(QWidget *window, bool on, QTimer *toFront)
{
    setStayOnTop(window, on);
    if (on)
        toFront->start();
    else
        toFront->stop();
}

} // namespace veltrix
