#include "geturl.h"

#include "core/textfile.h"
#include "pagelayout.h"
#include "programname.h"
#include "reportlist.h"
#include "windowutil.h"

#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

namespace veltrix {

TfrmgetURL::TfrmgetURL(ReportList &list, QWidget *mainWindow, const Platform &platform)
    : QWidget(nullptr, Qt::Dialog), m_list(list), m_mainWindow(mainWindow), m_platform(platform)
{
    setObjectName(QStringLiteral("frmgetURL"));
    setWindowTitle(QStringLiteral("Datei aus URL einlesen..."));
    setAttribute(Qt::WA_QuitOnClose, false);
    setScaledFixedSize(this, {348, 63});

    URL1 = new QLineEdit(QStringLiteral("http://www."), this);
    URL1->setObjectName(QStringLiteral("URL1"));
    setScaledGeometry(URL1, {8, 24, 289, 21});

    auto *go = new QPushButton(QStringLiteral("go"), this);
    go->setObjectName(QStringLiteral("Button1"));
    setScaledGeometry(go, {312, 24, 25, 25});

    auto run = [this] { guarded(m_platform, [this] { Button1Click(); }); };
    connect(go, &QPushButton::clicked, this, run);
    connect(URL1, &QLineEdit::returnPressed, this, run);
}

void TfrmgetURL::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous() && m_mainWindow) {
        // Over the main window, like the other companions.
        const QRect main = m_mainWindow->frameGeometry();
        move(main.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
    }
    if (!event->spontaneous())
        fitOnScreen(this);
}

void TfrmgetURL::Button1Click()
{
    const HttpResult result = m_platform.http ? m_platform.http->get(URL1->text())
                                              : HttpResult{false, {}, QStringLiteral("no HTTP client")};
    if (result.ok) {
        // The fetched text replaces the list: "Rückgängig" brings it back.
        m_list.CreateSafepoint();
        MemoLines &memo = m_list.memo();
        memo.clear();
        memo.setText(decodeFileText(result.body));
    } else {
        // The player's list stays as it was: nothing arrived to replace it.
        m_platform.messageBoxes->show({kProgramName,
                                       QStringLiteral("Error encountered during POST: ") + result.error,
                                       MsgButtons::Ok});
    }
    hide();
}

} // namespace veltrix
