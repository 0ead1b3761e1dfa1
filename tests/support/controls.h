#pragma once

// Windows are driven from outside, the way a player or a screen reader meets
// them: controls are found by their objectName.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QObject>
#include <QTimer>
#include <QtGlobal>
#include <functional>
#include <memory>

namespace veltrix::test {

// The control of that name below root; a missing control ends the test
// program with its name, since every later step would only crash.
template <class T = QWidget>
T *control(const QObject &root, const QString &name)
{
    T *found = root.findChild<T *>(name);
    if (!found)
        qFatal("no control '%s' of the expected type", qPrintable(name));
    return found;
}

template <class T = QWidget>
T *control(const QObject &root, const char *name)
{
    return control<T>(root, QString::fromLatin1(name));
}

// Runs act on the modal dialog once one is up (a modal dialog's own event
// loop runs it), looking every 20 ms while guard lives.
inline void whenModalDialog(QObject &guard, std::function<void(QWidget *dialog)> act)
{
    auto look = std::make_shared<std::function<void()>>();
    *look = [&guard, act = std::move(act), weak = std::weak_ptr(look)] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog) {
            if (auto again = weak.lock())
                QTimer::singleShot(20, &guard, [again] { (*again)(); });
            return;
        }
        act(dialog);
    };
    QTimer::singleShot(0, &guard, [look] { (*look)(); });
}

inline void trigger(const QObject &root, const char *name) { control<QAction>(root, name)->trigger(); }
inline void click(const QObject &root, const char *name) { control<QAbstractButton>(root, name)->click(); }

} // namespace veltrix::test
