// The kitchen timer on the "Zubehör" page: countdown, alarm clock, alarm
// sound, note box and the volume slider.
#include "mainfrm.h"

#include "core/countdown.h"
#include "statusfenster.h"

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

template <class W>
W *named(W *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLineEdit *timeField(QWidget *parent, const char *name, const QString &text)
{
    auto *edit = named(new QLineEdit(text, parent), name);
    edit->setFixedSize(kFieldWidth, kFieldHeight);
    return edit;
}

QPushButton *goButton(QWidget *parent, const char *name)
{
    auto *button = named(new QPushButton(QStringLiteral("Go!"), parent), name);
    button->setFixedSize(kFieldWidth, kFieldHeight);
    return button;
}

} // namespace

void TfrmMain::setupTimerPage()
{
    GroupTimer = named(new QGroupBox(QStringLiteral(" Timer "), TabZubehoer), "GroupTimer");
    auto *grid = new QGridLayout(GroupTimer);
    grid->setContentsMargins(8, 6, 6, 6);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);

    Label6 = named(new QLabel(QStringLiteral("Uhrzeit:"), GroupTimer), "Label6");
    TimerEUhr = timeField(GroupTimer, "TimerEUhr", QStringLiteral("0:00"));
    Button9 = goButton(GroupTimer, "Button9");
    Label11 = named(new QLabel(QStringLiteral("Minuten:"), GroupTimer), "Label11");
    TimerE = timeField(GroupTimer, "TimerE", QStringLiteral("4:00"));
    Button6 = goButton(GroupTimer, "Button6");
    Label6->setBuddy(TimerEUhr);
    Label11->setBuddy(TimerE);

    TimerA = named(new QLabel(QStringLiteral("0:00"), GroupTimer), "TimerA");
    TimerA->setFrameStyle(QFrame::Panel | QFrame::Raised);
    TimerA->setAlignment(Qt::AlignCenter);
    TimerA->setFixedHeight(33);
    TimerA->setCursor(Qt::PointingHandCursor);
    QFont display(QStringLiteral("Arial"));
    display.setPixelSize(19);
    TimerA->setFont(display);

    Label5 = named(new QLabel(QStringLiteral("click timer to start/stop"), GroupTimer), "Label5");

    Sound = named(new QComboBox(GroupTimer), "Sound");
    Sound->setEditable(true);
    // Typed names are used as they are, never added to the list.
    Sound->setInsertPolicy(QComboBox::NoInsert);
    Sound->addItems({QStringLiteral("Timer1"), QStringLiteral("Timer2"), QStringLiteral("Timer3"),
                     QStringLiteral("no sound")});
    Sound->setCurrentIndex(1);
    Sound->setFixedWidth(97);

    TimerNotice = named(new QCheckBox(QStringLiteral("MessageBox"), GroupTimer), "TimerNotice");
    TimerNotice->setChecked(false);

    TrackBar1 = named(new QSlider(Qt::Horizontal, GroupTimer), "TrackBar1");
    TrackBar1->setRange(0, 16);
    TrackBar1->setValue(0);
    TrackBar1->setSingleStep(1);
    TrackBar1->setPageStep(2);
    TrackBar1->setTickPosition(QSlider::TicksBelow);
    TrackBar1->setTickInterval(1);
    TrackBar1->setFixedWidth(150);

    grid->addWidget(Label6, 0, 0);
    grid->addWidget(TimerEUhr, 0, 1);
    grid->addWidget(Button9, 0, 2);
    grid->addWidget(Label11, 1, 0);
    grid->addWidget(TimerE, 1, 1);
    grid->addWidget(Button6, 1, 2);
    grid->addWidget(TimerA, 2, 0, 2, 2);
    grid->addWidget(Sound, 2, 2, 1, 2);
    grid->addWidget(TimerNotice, 3, 2, 1, 2);
    grid->addWidget(Label5, 4, 0, 1, 4);
    grid->addWidget(TrackBar1, 5, 0, 1, 4, Qt::AlignHCenter);
    grid->setColumnStretch(3, 1);
    grid->setRowMinimumHeight(1, kFieldHeight + 2);

    GroupNotiz = named(new QGroupBox(QStringLiteral(" Notiz / MessageBox "), TabZubehoer), "GroupNotiz");
    auto *notizLayout = new QVBoxLayout(GroupNotiz);
    notizLayout->setContentsMargins(8, 6, 6, 8);
    Notiz = named(new QPlainTextEdit(GroupNotiz), "Notiz");
    Notiz->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Notiz->setFixedHeight(113);
    notizLayout->addWidget(Notiz);

    auto *page = static_cast<QVBoxLayout *>(TabZubehoer->layout());
    page->addWidget(GroupTimer);
    page->addWidget(GroupNotiz);

    Timer1 = named(new QTimer(this), "Timer1");
    Timer1->setInterval(1000);
    Timer1->setTimerType(Qt::PreciseTimer);

    connectCommand(Button6, [this] { Button6Click(); });
    connectCommand(Button9, [this] { Button9Click(); });
    connect(Timer1, &QTimer::timeout, this, [this] { command([this] { Timer1Timer(); }); });
    new ClickFilter(TimerA, [this] { command([this] { TimerAClick(); }); });
    connect(TrackBar1, &QSlider::valueChanged, this, [this] { command([this] { TrackBar1Change(); }); });
}

void TfrmMain::showCountdown()
{
    TimerA->setText(countdownText({m_countdownMinutes, m_countdownSeconds}));
}

void TfrmMain::Button6Click()
{
    // A new countdown gets a full first second.
    Timer1->start();
    if (const auto parsed = parseCountdown(TimerE->text())) {
        m_countdownMinutes = parsed->minutes;
        m_countdownSeconds = parsed->seconds;
    } else {
        m_platform.feedback->beep();
        Timer1->stop();
    }
    if (hasTimeLeft({m_countdownMinutes, m_countdownSeconds})) {
        showCountdown();
    } else {
        Timer1->stop();
        TimerE->setText(QStringLiteral("0:00"));
        TimerA->setText(QStringLiteral("0:00"));
    }
}

void TfrmMain::Button9Click()
{
    Timer1->start();
    const auto wait = alarmMinutes(TimerEUhr->text(), m_platform.clock->now().time());
    if (!wait) {
        m_platform.feedback->beep();
        Timer1->stop();
        return;
    }
    m_countdownMinutes = *wait;
    m_countdownSeconds = 0;
    showCountdown();
}

void TfrmMain::Timer1Timer()
{
    const Countdown next = tickCountdown({m_countdownMinutes, m_countdownSeconds});
    m_countdownMinutes = next.minutes;
    m_countdownSeconds = next.seconds;
    // With the note box open, the display follows when it is closed.
    if (isAlarmDue(next) && runAlarm())
        return;
    showCountdown();
}

bool TfrmMain::runAlarm()
{
    Timer1->stop();
    const QString name = Sound->currentText();
    // While the status window holds the list, the main window is hidden.
    TfrmStatus *status = statusWindow();
    m_platform.feedback->flash(status && status->holdsList() ? static_cast<QWidget *>(status) : this);
    if (name == u"nosound")
        return false;
    if (m_platform.audio)
        m_platform.audio->playSound(name);
    if (!TimerNotice->isChecked())
        return false;
    // Modeless, so that every window stays usable while the note is shown.
    QPointer<TfrmMain> self(this);
    m_platform.messageBoxes->showModeless(
        {QStringLiteral("Time is up!"), Notiz->toPlainText(), MsgButtons::Ok, MsgIcon::None},
        [self] {
            if (self)
                self->command([&] { self->showCountdown(); });
        });
    return true;
}

void TfrmMain::TimerAClick()
{
    if (Timer1->isActive())
        Timer1->stop();
    else
        Timer1->start();
}

void TfrmMain::TrackBar1Change()
{
    if (m_platform.audio)
        m_platform.audio->setWaveVolume(waveVolumeForPosition(TrackBar1->value()));
}

void TfrmMain::showVolume()
{
    if (!m_platform.audio)
        return;
    // Moving the slider applies its value, so the volume is quantised to
    // the slider's steps and both channels end up alike.
    if (const auto volume = m_platform.audio->waveVolume())
        TrackBar1->setValue(positionForWaveVolume(*volume));
}

} // namespace veltrix
