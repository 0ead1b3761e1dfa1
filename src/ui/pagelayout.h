#pragma once

#include <QPalette>
#include <QString>
#include <Qt>

class QColor;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace veltrix {

class ReportList;

// The pieces the sidebar pages and the small windows are built from, so
// that alike controls look and behave alike.

// What a display field shows while it has no value.
inline const QString kNoValue = QStringLiteral("---");

template <class W>
W *named(W *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// The column every sidebar page stacks its groups in.
QVBoxLayout *makePageLayout(QWidget *page);

QGroupBox *makeGroup(QWidget *page, const char *name, const QString &caption);

// A caption bound to the control it names, so that a screen reader reads
// them together; an "&" in it would give the control an Alt shortcut.
QLabel *makeCaption(QWidget *parent, const QString &text, QWidget *buddy);

// The hint, where there is one, shows as a tool tip.
QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption, const QString &hint = {});

// A bold display field starting at "---". It shows values taken from the
// list, so markup in them stays text.
QLabel *makeValueLabel(QWidget *parent, const char *name, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);

void setTextColour(QWidget *widget, QPalette::ColorRole role, const QColor &colour);

// Numeric fields are checked as the focus leaves them: a text that is not an
// integer goes back to the field's default.
void replaceNonInteger(QLineEdit *field, const QString &fallback);
void checkIntegerOnExit(ReportList &list, QLineEdit *field, const QString &fallback);
void checkIntegerOnExit(ReportList &list, QComboBox *field, const QString &fallback);

} // namespace veltrix
