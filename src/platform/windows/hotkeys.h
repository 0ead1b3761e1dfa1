#pragma once

#include "platform/platform.h"

#include <QAbstractNativeEventFilter>
#include <QPointer>

namespace veltrix {

// Global shortcuts through RegisterHotKey on the GUI thread's own queue: the
// keys reach the program whichever window has the focus. WM_HOTKEY is read in
// a native event filter that lets every other message pass.
class WindowsHotKeys final : public GlobalKeys, public QAbstractNativeEventFilter {
public:
    WindowsHotKeys();
    ~WindowsHotKeys() override;

    bool supported() override { return true; }
    bool usable(const QKeySequence &keys) override;
    void bind(const QList<GlobalKey> &keys) override;
    void watch(QObject *context, std::function<void(const QString &id)> pressed,
               std::function<void(const KeyProblem &problem)> problem) override;

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    void release();

    QList<GlobalKey> m_keys;
    QList<int> m_registered; // hot-key ids: a key's position plus one
    bool m_filtering = false;
    QPointer<QObject> m_context;
    std::function<void(const QString &)> m_pressed;
    std::function<void(const KeyProblem &)> m_problem;
};

// The virtual-key code of a key without its modifiers; 0 for keys that have
// none.
unsigned virtualKeyOf(Qt::Key key);

} // namespace veltrix
