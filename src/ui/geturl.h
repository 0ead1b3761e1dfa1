#pragma once

#include "platform/platform.h"

#include <QWidget>

class QLineEdit;

namespace veltrix {

class ReportList;

// "Datei aus URL einlesen...": reads a report from a web address into the
// report list. It shows centred over the main window.
class TfrmgetURL : public QWidget {
    Q_OBJECT

public:
    TfrmgetURL(ReportList &list, QWidget *mainWindow, const Platform &platform);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void Button1Click();

    ReportList &m_list;
    QWidget *m_mainWindow;
    Platform m_platform;
    QLineEdit *URL1 = nullptr;
};

} // namespace veltrix
