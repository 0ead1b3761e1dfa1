#pragma once

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

    // True while the list is shown here (between opening and closing).
    bool holdsList() const;
    // Opens the window with the cleaned list; closing hands it back.
    void takeList();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createMenu();
    void FormCreate();
    void FormClose();
    void N1Zeilelschen1Click();
    void Kopieren1Click();
    void Memo1Change();
    void showAdvice();
    void ToFrontTimer();

    // Which labels the riot and robbery displays carry: none until a command
    // wrote them, then its long or short ones.
    enum class Advice { None, Long, Short };

    ReportList &m_list;
    StayOnTop &m_stayOnTop;
    Platform m_platform;
    QPlainTextEdit *m_edit = nullptr;
    Advice m_advice = Advice::None;
    QString m_advisedLine;
    QTimer *m_toFront = nullptr;
    QAction *m_alwaysOnTop = nullptr;
    QAction *m_count = nullptr;
    QAction *m_riots = nullptr;
    QAction *m_robberies = nullptr;
};

} // namespace veltrix
