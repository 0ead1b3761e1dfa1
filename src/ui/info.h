#pragma once

#include "platform/platform.h"

#include <QLabel>
#include <QWidget>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace veltrix {

// A label that acts as a link: hand cursor, underlined, clicked on release.
class LinkLabel : public QLabel {
    Q_OBJECT

public:
    LinkLabel(const QString &text, QWidget *parent);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_pressed = false;
};

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
    void openAddress(const QString &url);
    int chosenSubject() const;

    QWidget *m_mainWindow;
    Platform m_platform;
};

} // namespace veltrix
