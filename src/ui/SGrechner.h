#pragma once

#include "platform/platform.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>

class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QTimer;

namespace veltrix {

// The separate SG calculator: SG for a building type and an amount of
// protection money, capped at 100, and the takeover threshold for a number
// of traps. It can hide the main window and always brings it back on close.
class TfrmSGr : public QMainWindow {
    Q_OBJECT

public:
    // showMain shows or hides the main window ("Hide Mainwindow", closing).
    TfrmSGr(const Platform &platform, std::function<void(bool visible)> showMain, QWidget *parent = nullptr);
    ~TfrmSGr() override;

    // ---- controls ----
    QMenu *Datei1 = nullptr;
    QAction *AlwaysOnTop1 = nullptr;
    QAction *Exit1 = nullptr;
    QAction *HideMainwindow1 = nullptr;
    QListWidget *SGGebaeude = nullptr;
    QListWidget *Fallen = nullptr;
    QLineEdit *SGBetrag = nullptr;
    QPushButton *Button15 = nullptr;
    QLabel *SGLabel = nullptr;
    QLabel *Uebernahme = nullptr;
    QTimer *ToFront = nullptr;

    // ---- commands ----
    void Button15Click();
    void SGBetragExit();
    // The menu items toggle their own check mark before these run.
    void AlwaysOnTop1Click();
    void HideMainwindow1Click();
    void Exit1Click();
    void ToFrontTimer();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void createMenu();
    // What closing and "Exit" share: normal window, main window shown.
    void FormClose();
    void command(const std::function<void()> &fn);

    Platform m_platform;
    std::function<void(bool)> m_showMain;
};

} // namespace veltrix
