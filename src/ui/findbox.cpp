#include "findbox.h"

#include "pagelayout.h"
#include "windowutil.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace veltrix {

FindBox::FindBox(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FindDialog1"));
    setWindowTitle(QStringLiteral("Suchen"));
    setModal(false);
    setSizeGripEnabled(false);

    label = new QLabel(QStringLiteral("Suchen nach:"), this);
    label->setObjectName(QStringLiteral("label"));
    findEdit = new QLineEdit(this);
    findEdit->setObjectName(QStringLiteral("findEdit"));
    keepScaled(findEdit, [this] { findEdit->setMinimumWidth(scaled(180)); });
    label->setBuddy(findEdit);

    findNextButton = new QPushButton(QStringLiteral("Weitersuchen"), this);
    findNextButton->setObjectName(QStringLiteral("findNextButton"));
    findNextButton->setDefault(true);
    findNextButton->setEnabled(false);
    cancelButton = new QPushButton(QStringLiteral("Abbrechen"), this);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));

    auto *grid = new QGridLayout(this);
    setScaledMargins(grid, 10, 10, 10, 10);
    setScaledSpacing(grid, 8, 6);
    grid->addWidget(label, 0, 0);
    grid->addWidget(findEdit, 0, 1);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(findNextButton);
    buttons->addWidget(cancelButton);
    buttons->addStretch(1);
    grid->addLayout(buttons, 0, 2, 2, 1);
    setScaledSpacing(buttons, 6);
    grid->setRowStretch(1, 1);

    connect(findEdit, &QLineEdit::textChanged, this,
            [this](const QString &text) { findNextButton->setEnabled(!text.isEmpty()); });
    connect(findNextButton, &QPushButton::clicked, this, [this] {
        if (!findText().isEmpty())
            emit findNext();
    });
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    keepScaled(this, [this] { setFixedSize(sizeHint()); });
}

QString FindBox::findText() const
{
    return findEdit->text();
}

void FindBox::setFindText(const QString &text)
{
    findEdit->setText(text);
}

void FindBox::execute()
{
    show();
    raise();
    activateWindow();
    findEdit->selectAll();
    findEdit->setFocus();
}

void FindBox::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        fitOnScreen(this);
}

} // namespace veltrix
