#include "pagelayout.h"

#include "reportlist.h"
#include "windowutil.h"

#include "core/intconv.h"

#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QSet>
#include <QVBoxLayout>

#include <cmath>
#include <vector>

namespace veltrix {

namespace {

// 96 DPI as dots per metre.
constexpr int kDesignedDotsPerMetre = 3780;

// Every setting kept scaled, in the order the windows made them: a window's
// places that follow its texts come after the fonts of those texts. They are
// applied again once the application font has changed and every widget has
// taken it on.
struct ScaledSetting {
    QPointer<QWidget> owner;
    std::function<void()> apply;
};

std::vector<ScaledSetting> &scaledSettings()
{
    static std::vector<ScaledSetting> settings;
    return settings;
}

void forgetGone()
{
    std::erase_if(scaledSettings(), [](const ScaledSetting &s) { return s.owner.isNull(); });
}

void reapplyScaled()
{
    forgetGone();
    std::vector<ScaledSetting> &settings = scaledSettings();
    // Places that follow texts need the new font in every widget now, before
    // Qt might hand it on by itself (it does so at once only while its event
    // loop runs).
    QSet<QWidget *> windows;
    for (const ScaledSetting &setting : settings)
        windows.insert(setting.owner->window());
    for (QWidget *window : std::as_const(windows)) {
        QEvent fontChange(QEvent::ApplicationFontChange);
        QCoreApplication::sendEvent(window, &fontChange);
    }
    // A copy: a setting that makes new ones must not move the one running.
    const std::vector<ScaledSetting> now = settings;
    for (const ScaledSetting &setting : now) {
        if (setting.owner)
            setting.apply();
    }
}

// Learns of a new application font; the settings follow once the change
// has reached every widget.
class FontChangeWatch : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == qApp && event->type() == QEvent::ApplicationFontChange && !m_pending) {
            m_pending = true;
            QMetaObject::invokeMethod(
                this,
                [this] {
                    m_pending = false;
                    reapplyScaled();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    bool m_pending = false;
};

int designedFontHeight(const QFont &font)
{
    QFont designed = font;
    designed.setPointSizeF(kDesignedPointSize);
    QImage at96(1, 1, QImage::Format_ARGB32);
    at96.setDotsPerMeterX(kDesignedDotsPerMetre);
    at96.setDotsPerMeterY(kDesignedDotsPerMetre);
    return QFontMetrics(designed, &at96).height();
}

} // namespace

qreal fontScale()
{
    static QFont measured;
    static qreal ratio = 1;
    static bool known = false;
    const QFont font = QApplication::font();
    if (!known || font != measured) {
        const int designed = designedFontHeight(font);
        ratio = designed > 0 ? qreal(QFontMetrics(font).height()) / designed : 1;
        measured = font;
        known = true;
    }
    return ratio;
}

int scaled(int designed)
{
    return int(std::lround(designed * fontScale()));
}

QSize scaled(QSize designed)
{
    return {scaled(designed.width()), scaled(designed.height())};
}

QRect scaled(const QRect &designed)
{
    return {scaled(designed.x()), scaled(designed.y()), scaled(designed.width()), scaled(designed.height())};
}

void keepScaled(QWidget *owner, std::function<void()> apply)
{
    static QPointer<FontChangeWatch> watch;
    if (!watch) {
        watch = new FontChangeWatch(qApp);
        qApp->installEventFilter(watch);
    }
    apply();
    std::vector<ScaledSetting> &settings = scaledSettings();
    if (settings.size() % 512 == 511)
        forgetGone();
    settings.push_back({owner, std::move(apply)});
}

void setScaledFixedWidth(QWidget *widget, int width)
{
    keepScaled(widget, [widget, width] { widget->setFixedWidth(scaled(width)); });
}

void setScaledFixedHeight(QWidget *widget, int height)
{
    keepScaled(widget, [widget, height] { widget->setFixedHeight(scaled(height)); });
}

void setScaledFixedSize(QWidget *widget, QSize size)
{
    keepScaled(widget, [widget, size] { widget->setFixedSize(scaled(size)); });
}

void setScaledMinimumSize(QWidget *widget, QSize size)
{
    keepScaled(widget, [widget, size] { widget->setMinimumSize(scaled(size)); });
}

void setScaledGeometry(QWidget *widget, const QRect &geometry)
{
    keepScaled(widget, [widget, geometry] { widget->setGeometry(scaled(geometry)); });
}

void setScaledMargins(QLayout *layout, int left, int top, int right, int bottom)
{
    Q_ASSERT(layout->parentWidget());
    keepScaled(layout->parentWidget(), [layout = QPointer<QLayout>(layout), left, top, right, bottom] {
        if (layout)
            layout->setContentsMargins(scaled(left), scaled(top), scaled(right), scaled(bottom));
    });
}

void setScaledSpacing(QLayout *layout, int horizontal, int vertical)
{
    Q_ASSERT(layout->parentWidget());
    keepScaled(layout->parentWidget(), [layout = QPointer<QLayout>(layout), horizontal, vertical] {
        if (auto *grid = qobject_cast<QGridLayout *>(layout.data())) {
            grid->setHorizontalSpacing(scaled(horizontal));
            grid->setVerticalSpacing(scaled(vertical));
        } else if (auto *form = qobject_cast<QFormLayout *>(layout.data())) {
            form->setHorizontalSpacing(scaled(horizontal));
            form->setVerticalSpacing(scaled(vertical));
        } else if (layout) {
            layout->setSpacing(scaled(horizontal));
        }
    });
}

void setScaledSpacing(QLayout *layout, int spacing)
{
    setScaledSpacing(layout, spacing, spacing);
}

void setScaledPixelFont(QWidget *widget, QFont font, int pixels)
{
    keepScaled(widget, [widget, font, pixels]() mutable {
        font.setPixelSize(scaled(pixels));
        widget->setFont(font);
    });
}

QFont serifFont(int pixels, bool bold)
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// ---- LinkLabel ----

LinkLabel::LinkLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setCursor(Qt::PointingHandCursor);
    QFont f = font();
    f.setUnderline(true);
    setScaledPixelFont(this, f, 12);
    setTextColour(this, QPalette::WindowText, palette().color(QPalette::Highlight));
}

void LinkLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
    QLabel::mousePressEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    QLabel::mouseReleaseEvent(event);
    if (click)
        emit clicked();
}

// ---- controls ----

QVBoxLayout *makePageLayout(QWidget *page)
{
    auto *layout = new QVBoxLayout(page);
    setScaledMargins(layout, 4, 4, 4, 4);
    setScaledSpacing(layout, 6);
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
