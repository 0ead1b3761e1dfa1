#pragma once

#include "memolines.h"
#include "platform/platform.h"

#include <QMainWindow>

class QAction;
class QPlainTextEdit;
class QTimer;

namespace veltrix {

class ReportList;
class StayOnTop;

// The small always-on-top strip that holds the report list while the
// player works it down; the main window is hidden meanwhile and gets the
// list back when this window closes.
class TfrmStatus : public QMainWindow {
    Q_OBJECT

public:
    TfrmStatus(ReportList &list, StayOnTop &stayOnTop, const Platform &platform, QWidget *parent = nullptr);
    ~TfrmStatus() override;

    // True while the list lives here (between opening and closing).
    bool holdsList() const { return isVisible(); }
    // Opens the window with the cleaned list; closing hands it back.
    void takeList();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createMenu();
    void FormCreate();
    void FormClose();
    void N1Zeilelschen1Click();
    void Kopieren1Click();
    void Memo1Change();
    void ToFrontTimer();

    ReportList &m_list;
    StayOnTop &m_stayOnTop;
    Platform m_platform;
    QPlainTextEdit *m_edit = nullptr;
    MemoLines m_memo;
    QTimer *m_toFront = nullptr;
    QAction *m_alwaysOnTop = nullptr;
    QAction *m_count = nullptr;
    QAction *m_riots = nullptr;
    QAction *m_robberies = nullptr;
};

} // namespace veltrix
