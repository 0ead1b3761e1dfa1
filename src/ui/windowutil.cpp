#include "windowutil.h"

#include "programname.h"

#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QObject>
#include <QTimer>
#include <QValidator>
#include <QWidget>

#include <algorithm>

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

} // namespace

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
