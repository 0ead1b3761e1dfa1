#pragma once

// Windows are driven from outside, the way a player or a screen reader meets
// them: controls are found by their objectName.

#include <QAbstractButton>
#include <QAction>
#include <QObject>
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
T *control(const QObject &root, const char *name)
{
    return control<T>(root, QString::fromLatin1(name));
}

inline void trigger(const QObject &root, const char *name) { control<QAction>(root, name)->trigger(); }
inline void click(const QObject &root, const char *name) { control<QAbstractButton>(root, name)->click(); }

} // namespace veltrix::test
