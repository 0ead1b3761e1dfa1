#pragma once

#include "platform/platform.h"

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

    // Replaces the grabs. A key another client holds (none of its grabs is
    // kept) or that no key of the keyboard gives goes to problem with its
    // position. An empty combination grabs nothing. After a change of the
    // keyboard map the grabs are taken again.
    void grab(const QList<QKeyCombination> &keys);
    void release();
    // True when a key of the present keyboard map gives the combination.
    bool usable(QKeyCombination key) const;
    // Gets the position of a grabbed key at each press (not its repeats).
    std::function<void(qsizetype)> pressed;
    std::function<void(qsizetype, KeyProblem::Kind)> problem;

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace veltrix
