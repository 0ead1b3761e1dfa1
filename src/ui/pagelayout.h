#pragma once

#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QRect>
#include <QString>
#include <Qt>

#include <functional>

class QColor;
class QComboBox;
class QGroupBox;
class QLayout;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace veltrix {

class ReportList;

// The pieces the sidebar pages and the small windows are built from, so
// that alike controls look and behave alike.

// ---- designed sizes ----
// Every window is designed for an 8 pt font. Each designed position and size
// is multiplied by the ratio of the application font's height to the height
// of its family at 8 pt on a 96 DPI screen, rounded, as form scaling does: at
// 8 pt nothing moves; a larger font or a higher font DPI grows every window
// alike.
inline constexpr int kDesignedPointSize = 8;
qreal fontScale();
int scaled(int designed);
QSize scaled(QSize designed);
// Left, top, width and height each scaled on their own.
QRect scaled(const QRect &designed);

// Applies a setting made of designed sizes now, and again whenever the
// application font changes: a desktop theme may set its font only once the
// windows are built.
void keepScaled(QWidget *owner, std::function<void()> apply);

void setScaledFixedWidth(QWidget *widget, int width);
void setScaledFixedHeight(QWidget *widget, int height);
void setScaledFixedSize(QWidget *widget, QSize size);
void setScaledMinimumSize(QWidget *widget, QSize size);
// For controls placed by hand rather than by a layout.
void setScaledGeometry(QWidget *widget, const QRect &geometry);
// The layout must already belong to a widget (directly or through its
// parent layout).
void setScaledMargins(QLayout *layout, int left, int top, int right, int bottom);
// Both directions of a grid or form layout, or a box layout's one.
void setScaledSpacing(QLayout *layout, int horizontal, int vertical);
void setScaledSpacing(QLayout *layout, int spacing);

// A font of a fixed pixel size, which the application font does not reach.
void setScaledPixelFont(QWidget *widget, QFont font, int pixels);
// The About window's serif lettering, in designed pixels.
QFont serifFont(int pixels, bool bold);

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

// ---- controls ----

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
