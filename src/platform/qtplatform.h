#pragma once

#include "platform.h"

#include <QLocale>
#include <QObject>
#include <QPointer>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QProcessEnvironment;

namespace veltrix {

class QtMessageBoxes : public MessageBoxes {
public:
    MsgResult show(const MessageRequest &request) override;
    void showModeless(const MessageRequest &request, std::function<void()> closed) override;
};

class QtClipboard : public Clipboard {
public:
    ~QtClipboard() override;
    void setText(const QString &text) override;
    QString text() const override;
    void watch(QObject *context, std::function<void()> changed) override;

private:
    void dataChanged();

    // The text setText put there last, until another text comes: a platform
    // that cannot tell who owns the clipboard reports the program's own copy
    // as a change, at once or later.
    std::optional<QString> m_written;
    std::vector<std::pair<QPointer<QObject>, std::function<void()>>> m_watchers;
    QMetaObject::Connection m_connection;
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
    QString saveFileNameAndFilter(QWidget *parent, const QString &title, const QString &filter,
                                  const QString &initialName, QString &selectedFilter) override;
};

class DesktopUrlOpener : public UrlOpener {
public:
    void open(const QString &url) override;
};

// The user's locale (or the one given) with its short date widened to a
// four-digit year and its long time without the time zone.
class SystemClock : public Clock {
public:
    SystemClock() = default;
    explicit SystemClock(const QLocale &locale) : m_locale(locale) {}
    QDateTime now() const override;
    QString shortDate(const QDateTime &t) const override;
    QString longTime(const QDateTime &t) const override;

private:
    QLocale locale() const { return m_locale.value_or(QLocale::system()); }
    std::optional<QLocale> m_locale;
};

// Where the program keeps its own data files (the save slots).
QString dataFolderPath();

// Owns one real implementation of every service. The settings path and the
// server addresses come from the environment given, read here only.
class RealPlatform {
public:
    explicit RealPlatform(const QProcessEnvironment &environment);
    ~RealPlatform();
    const Platform &platform() const { return m_platform; }

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
    Platform m_platform;
};

} // namespace veltrix
