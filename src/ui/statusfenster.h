#pragma once

#include "memolines.h"
#include "platform/platform.h"

#include <QMainWindow>

class QAction;
class QMenu;
class QPlainTextEdit;
class QTimer;

namespace veltrix {

class TfrmMain;

// The small always-on-top strip that holds the report list while the
// player works it down; the main window is hidden meanwhile and gets the
// list back when this window closes.
class TfrmStatus : public QMainWindow {
    Q_OBJECT

public:
    TfrmStatus(TfrmMain &main, const Platform &platform, QWidget *parent = nullptr);
    ~TfrmStatus() override;

    MemoLines &memo() { return m_memo; }
    // True while the list lives here (between opening and closing).
    bool holdsList() const { return isVisible(); }

    // ---- controls ----
    QPlainTextEdit *Memo1 = nullptr;
    QTimer *ToFront = nullptr;
    QMenu *Datei1 = nullptr;
    QAction *AlwaysOnTop1 = nullptr;
    QAction *N1 = nullptr;
    QAction *Allesmarkieren1 = nullptr;
    QAction *N1Zeilelschen1 = nullptr;
    QAction *Kopieren1 = nullptr;
    QAction *Schlieen1 = nullptr;
    QAction *Gebs1 = nullptr;
    QAction *Randale = nullptr;
    QAction *Ueberfall = nullptr;

    // ---- handlers ----
    void FormPaint();
    void FormClose();
    void AlwaysOnTop1Click();
    void Allesmarkieren1Click();
    void N1Zeilelschen1Click();
    void Kopieren1Click();
    void Schlieen1Click();
    void Memo1Change();
    void ToFrontTimer();

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createMenu();
    void FormCreate();

    TfrmMain &m_main;
    Platform m_platform;
    MemoLines m_memo;
    bool m_paintQueued = false;
};

} // namespace veltrix
