#pragma once

// Windows are driven from outside, the way a player or a screen reader meets
// them: controls are found by their objectName.

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QObject>
#include <QPlainTextEdit>
#include <QtGlobal>

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
T *control(const QObject *root, const QString &name)
{
    return control<T>(*root, name);
}

inline QAction *action(const QObject &root, const QString &name) { return control<QAction>(root, name); }
inline void trigger(const QObject &root, const QString &name) { action(root, name)->trigger(); }
inline void click(const QObject &root, const QString &name) { control<QAbstractButton>(root, name)->click(); }
inline QString labelText(const QObject &root, const QString &name) { return control<QLabel>(root, name)->text(); }
inline QLineEdit *field(const QObject &root, const QString &name) { return control<QLineEdit>(root, name); }
inline QPlainTextEdit *textArea(const QObject &root, const QString &name)
{
    return control<QPlainTextEdit>(root, name);
}

} // namespace veltrix::test
