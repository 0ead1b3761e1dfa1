#pragma once

#include "pagelayout.h"
#include "platform/platform.h"

#include <QWidget>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace veltrix {

// The About window with the contact form.
class TfrmInfo : public QWidget {
    Q_OBJECT

public:
    TfrmInfo(QWidget *mainWindow, const Platform &platform);

    QLabel *Image1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label3 = nullptr;
    QGroupBox *GroupBox1 = nullptr;
    QLabel *Label2 = nullptr;
    QLineEdit *Gangster = nullptr;
    QPushButton *Button2 = nullptr;
    QComboBox *Betreff = nullptr;
    QPlainTextEdit *Mitteilung = nullptr;
    QLabel *Label4 = nullptr;
    QLineEdit *email = nullptr;
    LinkLabel *Label5 = nullptr;
    LinkLabel *Label6 = nullptr;
    LinkLabel *Label7 = nullptr;
    QPushButton *Button1 = nullptr;

    void Button1Click();
    void Button2Click();
    void emailEnter();
    void Label5Click();
    void Label6Click();
    void Label7Click();

    // The "irc:" address that makes a registered chat program join the channel.
    static QString ircAddress();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    // The places that follow the texts' widths.
    void placeByText();
    void openAddress(const QString &url);
    int chosenSubject() const;

    QWidget *m_mainWindow;
    Platform m_platform;
};

} // namespace veltrix
