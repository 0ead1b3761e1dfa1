#include "statusfenster.h"

#include "core/advisors.h"
#include "core/reportline.h"
#include "linecolours.h"
#include "mainfrm.h"
#include "windowutil.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace veltrix {

namespace {

constexpr int kClientWidth = 849;
constexpr int kClientHeight = 52;
// Bringing the window forward a few times a second is enough on a desktop
// and keeps the program from waking up constantly.
constexpr int kToFrontInterval = 500;

QAction *named(QAction *action, const char *name)
{
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

} // namespace

TfrmStatus::TfrmStatus(TfrmMain &main, const Platform &platform, QWidget *parent)
    : QMainWindow(parent,
                  Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                      | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      m_main(main), m_platform(platform), m_memo(nullptr)
{
    setObjectName(QStringLiteral("frmStatus"));
    setWindowTitle(QStringLiteral("Statusfenster"));
    setWindowIcon(main.windowIcon());

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);

    Memo1 = new QPlainTextEdit(client);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The strip is lower than a text area would like to be; it fills the
    // client area at every size.
    Memo1->setMinimumSize(1, 1);
    auto *layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Memo1);
    m_memo = MemoLines(Memo1);
    // The list keeps its colours while it lives here; the main window's item
    // switches both.
    LineColours::attach(Memo1, main.findChild<QAction *>(QStringLiteral("Zeileneinfaerben1")));

    ToFront = new QTimer(this);
    ToFront->setObjectName(QStringLiteral("ToFront"));
    ToFront->setInterval(kToFrontInterval);
    connect(ToFront, &QTimer::timeout, this, [this] { ToFrontTimer(); });

    createMenu();
    connect(Memo1, &QPlainTextEdit::textChanged, this, [this] { Memo1Change(); });
    Memo1Change();

    resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    FormCreate();
}

TfrmStatus::~TfrmStatus() = default;

void TfrmStatus::createMenu()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    Datei1 = bar->addMenu(QStringLiteral("Datei"));
    Datei1->setObjectName(QStringLiteral("Datei1"));
    AlwaysOnTop1 = named(Datei1->addAction(QStringLiteral("Always On Top")), "AlwaysOnTop1");
    AlwaysOnTop1->setShortcut(QKeySequence(QStringLiteral("Ctrl+F1")));
    AlwaysOnTop1->setCheckable(true);
    N1 = named(Datei1->addSeparator(), "N1");
    Allesmarkieren1 = named(Datei1->addAction(QStringLiteral("&Alles markieren")), "Allesmarkieren1");
    Allesmarkieren1->setShortcut(QKeySequence(QStringLiteral("Ctrl+A")));

    N1Zeilelschen1 = named(bar->addAction(QStringLiteral("1. &Zeile löschen")), "N1Zeilelschen1");
    Kopieren1 = named(bar->addAction(QStringLiteral("1. &Hausnummer kopieren")), "Kopieren1");
    Schlieen1 = named(bar->addAction(QStringLiteral("zurück zum Hauptfenster")), "Schlieen1");
    Gebs1 = named(bar->addAction(QStringLiteral("Gebs remaining: ")), "Gebs1");
    Randale = named(bar->addAction(QString()), "Randale");
    Ueberfall = named(bar->addAction(QString()), "Ueberfall");
    // Displays only: their captions are rewritten, they cannot be clicked.
    for (QAction *display : {Gebs1, Randale, Ueberfall})
        display->setEnabled(false);

    // Shortcuts work while the menu is closed.
    addActions({AlwaysOnTop1, Allesmarkieren1});

    const auto connectItem = [this](QAction *action, void (TfrmStatus::*handler)()) {
        connect(action, &QAction::triggered, this, [this, handler] { guarded(m_platform, [&] { (this->*handler)(); }); });
    };
    connectItem(AlwaysOnTop1, &TfrmStatus::AlwaysOnTop1Click);
    connectItem(Allesmarkieren1, &TfrmStatus::Allesmarkieren1Click);
    connectItem(N1Zeilelschen1, &TfrmStatus::N1Zeilelschen1Click);
    connectItem(Kopieren1, &TfrmStatus::Kopieren1Click);
    connectItem(Schlieen1, &TfrmStatus::Schlieen1Click);
}

void TfrmStatus::FormCreate()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const int screenWidth = screen ? screen->geometry().width() : 1024;
    move(screenWidth - frameGeometry().width() - 20, 1);
}

bool TfrmStatus::event(QEvent *event)
{
    // The take-over runs after the paint, not inside it: changing window
    // flags recreates the native window.
    if ((event->type() == QEvent::UpdateRequest || event->type() == QEvent::Paint) && !m_paintQueued) {
        m_paintQueued = true;
        QMetaObject::invokeMethod(this, [this] {
            m_paintQueued = false;
            guarded(m_platform, [this] { FormPaint(); });
        }, Qt::QueuedConnection);
    }
    return QMainWindow::event(event);
}

void TfrmStatus::FormPaint()
{
    if (!isVisible())
        return;
    if (m_main.isVisible())
        m_main.hide();
    if (m_main.AlwaysOnTop1->isChecked()) {
        m_main.AlwaysOnTop1->setChecked(false);
        m_main.ToFront->stop();
        setStayOnTop(&m_main, false);
        AlwaysOnTop1->setChecked(true);
        setStayOnTop(this, true);
        ToFront->start();
    }
}

void TfrmStatus::closeEvent(QCloseEvent *event)
{
    guarded(m_platform, [this] { FormClose(); });
    event->accept();
}

void TfrmStatus::FormClose()
{
    m_memo.moveTextTo(m_main.memo());
    ToFront->stop();
    if (AlwaysOnTop1->isChecked()) {
        AlwaysOnTop1->setChecked(false);
        setStayOnTop(this, false);
        m_main.AlwaysOnTop1->setChecked(true);
        setStayOnTop(&m_main, true);
        m_main.ToFront->start();
    }
    hide();
    m_main.show();
}

void TfrmStatus::AlwaysOnTop1Click()
{
    // The item has already toggled its own tick.
    if (!AlwaysOnTop1->isChecked()) {
        setStayOnTop(this, false);
        ToFront->stop();
        m_main.AlwaysOnTop1->setChecked(false);
    } else {
        setStayOnTop(this, true);
        ToFront->start();
    }
}

void TfrmStatus::Allesmarkieren1Click()
{
    m_memo.selectAll();
}

void TfrmStatus::N1Zeilelschen1Click()
{
    m_memo.deleteFirstLine();
    selectFirstHouseNumber(m_memo, *m_platform.clipboard);
    const QString first = m_memo.firstLine();
    Randale->setText(QStringLiteral("Randale:") + requiredRiots(first));
    Ueberfall->setText(QStringLiteral("Überfall:") + requiredRobberies(first));
}

void TfrmStatus::Kopieren1Click()
{
    Memo1->setFocus();
    selectFirstHouseNumber(m_memo, *m_platform.clipboard);
    const QString first = m_memo.firstLine();
    Randale->setText(QStringLiteral("R:") + requiredRiots(first));
    Ueberfall->setText(QStringLiteral("Ü:") + requiredRobberies(first));
}

void TfrmStatus::Schlieen1Click()
{
    close();
}

void TfrmStatus::Memo1Change()
{
    Gebs1->setText(QStringLiteral("Gebs remaining: ") + QString::number(m_memo.lineCount()));
}

void TfrmStatus::ToFrontTimer()
{
    if (AlwaysOnTop1->isChecked())
        raise();
}

} // namespace veltrix
