#include "pagelayout.h"

#include "reportlist.h"
#include "windowutil.h"

#include "core/intconv.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace veltrix {

QVBoxLayout *makePageLayout(QWidget *page)
{
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(6);
    return layout;
}

QGroupBox *makeGroup(QWidget *page, const char *name, const QString &caption)
{
    return named(new QGroupBox(caption, page), name);
}

QLabel *makeCaption(QWidget *parent, const QString &text, QWidget *buddy)
{
    auto *label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption, const QString &hint)
{
    auto *button = named(new QPushButton(caption, parent), name);
    if (!hint.isEmpty())
        button->setToolTip(hint);
    return button;
}

QLabel *makeValueLabel(QWidget *parent, const char *name, Qt::Alignment alignment)
{
    auto *label = named(new QLabel(kNoValue, parent), name);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(alignment);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

void setTextColour(QWidget *widget, QPalette::ColorRole role, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

void replaceNonInteger(QLineEdit *field, const QString &fallback)
{
    if (!isStrictInt(field->text()))
        field->setText(fallback);
}

void checkIntegerOnExit(ReportList &list, QLineEdit *field, const QString &fallback)
{
    onFocusLost(field, [&list, field, fallback] { list.command([&] { replaceNonInteger(field, fallback); }); });
}

void checkIntegerOnExit(ReportList &list, QComboBox *field, const QString &fallback)
{
    // The combo box's own edit field holds its text.
    onFocusLost(field, [&list, field, fallback] { list.command([&] { replaceNonInteger(field->lineEdit(), fallback); }); });
}

} // namespace veltrix
