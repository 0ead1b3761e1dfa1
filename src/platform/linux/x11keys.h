#pragma once

#include <QAbstractNativeEventFilter>
#include <QKeyCombination>
#include <QList>
#include <functional>
#include <memory>

namespace veltrix {

// Passive key grabs on the root windows of Qt's own X connection: the keys
// reach the program whichever window has the focus. Needs Qt's "xcb"
// platform.
class X11GlobalKeys final : public QAbstractNativeEventFilter {
public:
    X11GlobalKeys();
    ~X11GlobalKeys() override;

    // Replaces the grabs; returns the positions of the keys another client
    // holds (none of theirs is kept). An empty combination grabs nothing.
    QList<qsizetype> grab(const QList<QKeyCombination> &keys);
    void release();
    // Gets the position of a grabbed key at each press (not its repeats).
    std::function<void(qsizetype)> pressed;

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace veltrix
