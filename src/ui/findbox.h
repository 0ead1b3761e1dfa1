#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace veltrix {

// The small modeless find box: one search text, searching downwards,
// case-sensitive, without options. "Weitersuchen" raises findNext; the box
// stays open until the user closes it.
class FindBox : public QDialog {
    Q_OBJECT

public:
    explicit FindBox(QWidget *parent = nullptr);

    QString findText() const;
    void setFindText(const QString &text);

    QLabel *label = nullptr;
    QLineEdit *findEdit = nullptr;
    QPushButton *findNextButton = nullptr;
    QPushButton *cancelButton = nullptr;

    // Shows the box, or brings it forward with its text selected.
    void execute();

protected:
    void showEvent(QShowEvent *event) override;

signals:
    void findNext();
};

} // namespace veltrix
