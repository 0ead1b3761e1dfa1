#pragma once

#include "platform.h"

#include <memory>

namespace veltrix {

class QtMessageBoxes : public MessageBoxes {
public:
    MsgResult show(const MessageRequest &request) override;
    void showModeless(const MessageRequest &request, std::function<void()> closed) override;
};

class QtClipboard : public Clipboard {
public:
    void setText(const QString &text) override;
    QString text() const override;
};

class QtFeedback : public Feedback {
public:
    void beep() override;
    void flash(QWidget *window) override;
};

class QtFileDialogs : public FileDialogs {
public:
    QString openFileName(QWidget *parent, const QString &filter) override;
    QString saveFileName(QWidget *parent, const QString &filter, const QString &initialName) override;
};

class DesktopUrlOpener : public UrlOpener {
public:
    void open(const QString &url) override;
};

class SystemClock : public Clock {
public:
    QDateTime now() const override;
    QString shortDate(const QDateTime &t) const override;
    QString longTime(const QDateTime &t) const override;
};

// Owns one real implementation of every service.
class RealPlatform {
public:
    RealPlatform();
    ~RealPlatform();
    const Platform &platform() const { return m_platform; }

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
    Platform m_platform;
};

} // namespace veltrix
