#include "accessoriespage.h"

#include "pagelayout.h"
#include "reportlist.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

namespace veltrix {

namespace {

constexpr int kFieldWidth = 49;
constexpr int kFieldHeight = 21;

// A panel has no click signal; a press and release inside it is one.
class ClickFilter : public QObject {
public:
    ClickFilter(QWidget *target, std::function<void()> clicked)
        : QObject(target), m_clicked(std::move(clicked))
    {
        target->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != parent())
            return false;
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)
            return static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton;
        if (event->type() == QEvent::MouseButtonRelease) {
            const auto *release = static_cast<QMouseEvent *>(event);
            const auto *widget = static_cast<QWidget *>(watched);
            if (release->button() == Qt::LeftButton && widget->rect().contains(release->position().toPoint()))
                m_clicked();
            return true;
        }
        return false;
    }

private:
    std::function<void()> m_clicked;
};

QLineEdit *timeField(QWidget *parent, const char *name, const QString &text)
{
    auto *edit = named(new QLineEdit(text, parent), name);
    setScaledFixedSize(edit, {kFieldWidth, kFieldHeight});
    return edit;
}

QPushButton *goButton(QWidget *parent, const char *name)
{
    QPushButton *button = makeButton(parent, name, QStringLiteral("Go!"));
    setScaledFixedSize(button, {kFieldWidth, kFieldHeight});
    return button;
}

} // namespace

AccessoriesPage::AccessoriesPage(ReportList &list, const Platform &platform, std::function<QWidget *()> shownWindow,
                                 QWidget *parent)
    : QWidget(parent), m_list(list), m_platform(platform), m_shownWindow(std::move(shownWindow))
{
    setObjectName(QStringLiteral("TabZubehoer"));
    QVBoxLayout *page = makePageLayout(this);
    page->addWidget(createTimer());
    page->addWidget(createNote());

    m_timer = named(new QTimer(this), "Timer1");
    m_timer->setInterval(1000);
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, [this] { m_list.command([this] { tick(); }); });
}

QGroupBox *AccessoriesPage::createTimer()
{
    QGroupBox *group = makeGroup(this, "GroupTimer", QStringLiteral(" Timer "));
    auto *grid = new QGridLayout(group);
    setScaledMargins(grid, 8, 6, 6, 6);
    setScaledSpacing(grid, 6, 3);

    auto *clockLabel = named(new QLabel(QStringLiteral("Uhrzeit:"), group), "Label6");
    m_alarmTime = timeField(group, "TimerEUhr", QStringLiteral("0:00"));
    auto *alarmGo = goButton(group, "Button9");
    auto *minutesLabel = named(new QLabel(QStringLiteral("Minuten:"), group), "Label11");
    m_minutes = timeField(group, "TimerE", QStringLiteral("4:00"));
    auto *countdownGo = goButton(group, "Button6");
    clockLabel->setBuddy(m_alarmTime);
    minutesLabel->setBuddy(m_minutes);

    m_display = named(new QLabel(QStringLiteral("0:00"), group), "TimerA");
    m_display->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_display->setAlignment(Qt::AlignCenter);
    setScaledFixedHeight(m_display, 33);
    m_display->setCursor(Qt::PointingHandCursor);
    setScaledPixelFont(m_display, QFont(QStringLiteral("Arial")), 19);

    auto *hint = named(new QLabel(QStringLiteral("click timer to start/stop"), group), "Label5");

    m_sound = named(new QComboBox(group), "Sound");
    m_sound->setEditable(true);
    // Typed names are used as they are, never added to the list.
    m_sound->setInsertPolicy(QComboBox::NoInsert);
    m_sound->addItems({QStringLiteral("Timer1"), QStringLiteral("Timer2"), QStringLiteral("Timer3"),
                       QStringLiteral("no sound")});
    m_sound->setCurrentIndex(1);
    setScaledFixedWidth(m_sound, 97);

    m_notice = named(new QCheckBox(QStringLiteral("MessageBox"), group), "TimerNotice");
    m_notice->setChecked(false);

    m_volume = named(new QSlider(Qt::Horizontal, group), "TrackBar1");
    m_volume->setRange(0, 16);
    m_volume->setValue(0);
    m_volume->setSingleStep(1);
    m_volume->setPageStep(2);
    m_volume->setTickPosition(QSlider::TicksBelow);
    m_volume->setTickInterval(1);
    setScaledFixedWidth(m_volume, 150);

    grid->addWidget(clockLabel, 0, 0);
    grid->addWidget(m_alarmTime, 0, 1);
    grid->addWidget(alarmGo, 0, 2);
    grid->addWidget(minutesLabel, 1, 0);
    grid->addWidget(m_minutes, 1, 1);
    grid->addWidget(countdownGo, 1, 2);
    grid->addWidget(m_display, 2, 0, 2, 2);
    grid->addWidget(m_sound, 2, 2, 1, 2);
    grid->addWidget(m_notice, 3, 2, 1, 2);
    grid->addWidget(hint, 4, 0, 1, 4);
    grid->addWidget(m_volume, 5, 0, 1, 4, Qt::AlignHCenter);
    grid->setColumnStretch(3, 1);
    keepScaled(group, [grid] { grid->setRowMinimumHeight(1, scaled(kFieldHeight + 2)); });

    m_list.connectCommand(countdownGo, [this] { startCountdown(); });
    m_list.connectCommand(alarmGo, [this] { startAlarmClock(); });
    new ClickFilter(m_display, [this] { m_list.command([this] { toggleTimer(); }); });
    connect(m_volume, &QSlider::valueChanged, this, [this] { m_list.command([this] { applyVolume(); }); });
    return group;
}

QGroupBox *AccessoriesPage::createNote()
{
    QGroupBox *group = makeGroup(this, "GroupNotiz", QStringLiteral(" Notiz / MessageBox "));
    auto *layout = new QVBoxLayout(group);
    setScaledMargins(layout, 8, 6, 6, 8);
    m_note = named(new QPlainTextEdit(group), "Notiz");
    m_note->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setScaledFixedHeight(m_note, 113);
    m_note->setAccessibleName(QStringLiteral("Notiz"));
    layout->addWidget(m_note);
    return group;
}

void AccessoriesPage::showCountdown()
{
    m_display->setText(countdownText(m_countdown));
}

void AccessoriesPage::startCountdown()
{
    // A new countdown gets a full first second.
    m_timer->start();
    if (const auto parsed = parseCountdown(m_minutes->text())) {
        m_countdown = *parsed;
    } else {
        m_platform.feedback->beep();
        m_timer->stop();
    }
    if (hasTimeLeft(m_countdown)) {
        showCountdown();
    } else {
        m_timer->stop();
        m_minutes->setText(QStringLiteral("0:00"));
        m_display->setText(QStringLiteral("0:00"));
    }
}

void AccessoriesPage::startAlarmClock()
{
    m_timer->start();
    const auto wait = alarmMinutes(m_alarmTime->text(), m_platform.clock->now().time());
    if (!wait) {
        m_platform.feedback->beep();
        m_timer->stop();
        return;
    }
    m_countdown = {*wait, 0};
    showCountdown();
}

void AccessoriesPage::tick()
{
    m_countdown = tickCountdown(m_countdown);
    // With the note box open, the display follows when it is closed.
    if (isAlarmDue(m_countdown) && runAlarm())
        return;
    showCountdown();
}

bool AccessoriesPage::runAlarm()
{
    m_timer->stop();
    const QString name = m_sound->currentText();
    m_platform.feedback->flash(m_shownWindow ? m_shownWindow() : window());
    if (name == u"nosound")
        return false;
    if (m_platform.audio)
        m_platform.audio->playSound(name);
    if (!m_notice->isChecked())
        return false;
    // Modeless, so that every window stays usable while the note is shown.
    QPointer<AccessoriesPage> self(this);
    m_platform.messageBoxes->showModeless(
        {QStringLiteral("Time is up!"), m_note->toPlainText(), MsgButtons::Ok, MsgIcon::None},
        [self] {
            if (self)
                self->m_list.command([&] { self->showCountdown(); });
        });
    return true;
}

void AccessoriesPage::toggleTimer()
{
    if (m_timer->isActive())
        m_timer->stop();
    else
        m_timer->start();
}

void AccessoriesPage::applyVolume()
{
    if (m_platform.audio)
        m_platform.audio->setWaveVolume(waveVolumeForPosition(m_volume->value()));
}

void AccessoriesPage::showVolume()
{
    if (!m_platform.audio)
        return;
    // Moving the slider applies its value, so the volume is quantised to
    // the slider's steps and both channels end up alike.
    if (const auto volume = m_platform.audio->waveVolume())
        m_volume->setValue(positionForWaveVolume(*volume));
}

} // namespace veltrix
