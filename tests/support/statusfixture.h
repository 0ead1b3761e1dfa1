#include "support/controls.h"
#pragma once

#include "controls.h"
#include "fakeplatform.h"
#include "ui/mainfrm.h"
#include "ui/statusfenster.h"
#include "ui/windowutil.h"

#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <memory>

namespace veltrix::test {

inline QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

inline bool putFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Records whether the window was on top while a question was shown.
class ProbingBoxes : public FakeMessageBoxes {
public:
    MsgResult show(const MessageRequest &request) override
    {
        if (window)
            onTopDuringQuestion = isStayOnTop(window);
        return FakeMessageBoxes::show(request);
    }
    QWidget *window = nullptr;
    bool onTopDuringQuestion = false;
};

// The main window with its status window; the settings file at
// settingsPath when one is given, the real global keys when given.
struct MainAndStatus {
    FakePlatform fakes;
    ProbingBoxes boxes;
    std::unique_ptr<TfrmMain> main;
    std::unique_ptr<TfrmStatus> status;

    explicit MainAndStatus(const QString &settingsPath = {}, GlobalKeys *globalKeys = nullptr)
    {
        if (!settingsPath.isEmpty())
            fakes.settingsPath = settingsPath;
        Platform p = fakes.platform();
        p.messageBoxes = &boxes;
        if (globalKeys)
            p.globalKeys = globalKeys;
        main = std::make_unique<TfrmMain>(p);
        status = std::make_unique<TfrmStatus>(main->list(), main->stayOnTop(), p);
        main->setCompanions({nullptr, nullptr, nullptr, status.get()});
        boxes.window = main.get();
    }

    // The status window's text area, with the line semantics of the list.
    MemoLines statusList() const { return MemoLines(control<QPlainTextEdit>(*status, "Memo1")); }
};

} // namespace veltrix::test
