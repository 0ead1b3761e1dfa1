#pragma once

#include "platform/platform.h"

#include <QWidget>

class QLineEdit;
class QPushButton;

namespace veltrix {

class TfrmMain;

// "Datei aus URL einlesen...": reads a report from a web address into the
// main window's list.
class TfrmgetURL : public QWidget {
    Q_OBJECT

public:
    TfrmgetURL(TfrmMain &main, const Platform &platform);

    QLineEdit *URL1 = nullptr;
    QPushButton *Button1 = nullptr;

    void Button1Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    TfrmMain &m_main;
    Platform m_platform;
};

} // namespace veltrix
