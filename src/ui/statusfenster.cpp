#include "statusfenster.h"

#include "core/advisors.h"
#include "core/reportline.h"
#include "linecolours.h"
#include "pagelayout.h"
#include "reportlist.h"
#include "resources.h"
#include "stayontop.h"
#include "windowutil.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QShowEvent>
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

TfrmStatus::TfrmStatus(ReportList &list, StayOnTop &stayOnTop, const Platform &platform, QWidget *parent)
    : QMainWindow(parent,
                  Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                      | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      m_list(list), m_stayOnTop(stayOnTop), m_platform(platform)
{
    setObjectName(QStringLiteral("frmStatus"));
    setWindowTitle(QStringLiteral("Statusfenster"));
    setWindowIcon(programIcon());

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);

    m_edit = new QPlainTextEdit(client);
    m_edit->setObjectName(QStringLiteral("Memo1"));
    m_edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The strip is lower than a text area would like to be; it fills the
    // client area at every size.
    m_edit->setMinimumSize(1, 1);
    auto *layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_edit);
    // The list keeps its colours while it lives here; the main window's item
    // switches both.
    LineColours::attach(m_edit, list.edit()->window()->findChild<QAction *>(QStringLiteral("Zeileneinfaerben1")));

    m_toFront = new QTimer(this);
    m_toFront->setObjectName(QStringLiteral("ToFront"));
    m_toFront->setInterval(kToFrontInterval);
    connect(m_toFront, &QTimer::timeout, this, [this] { ToFrontTimer(); });

    createMenu();
    m_stayOnTop.setStatus({this, m_alwaysOnTop, m_toFront});
    connect(m_edit, &QPlainTextEdit::textChanged, this, [this] { Memo1Change(); });
    Memo1Change();

    keepScaled(this, [this] {
        resize(scaled(kClientWidth), scaled(kClientHeight) + menuBar()->sizeHint().height());
        FormCreate();
    });
}

// Destroyed while it holds the list, its text area gives the list back on
// its way out (the list may be gone already).
TfrmStatus::~TfrmStatus() = default;

bool TfrmStatus::holdsList() const
{
    return m_list.edit() == m_edit;
}

void TfrmStatus::createMenu()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    QMenu *datei = bar->addMenu(QStringLiteral("Datei"));
    datei->setObjectName(QStringLiteral("Datei1"));
    m_alwaysOnTop = named(datei->addAction(QStringLiteral("Always On Top")), "AlwaysOnTop1");
    m_alwaysOnTop->setShortcut(QKeySequence(QStringLiteral("Ctrl+F1")));
    m_alwaysOnTop->setCheckable(true);
    named(datei->addSeparator(), "N1");
    QAction *selectAll = named(datei->addAction(QStringLiteral("&Alles markieren")), "Allesmarkieren1");
    selectAll->setShortcut(QKeySequence(QStringLiteral("Ctrl+A")));

    QAction *deleteFirst = named(bar->addAction(QStringLiteral("1. &Zeile löschen")), "N1Zeilelschen1");
    QAction *copy = named(bar->addAction(QStringLiteral("1. &Hausnummer kopieren")), "Kopieren1");
    QAction *back = named(bar->addAction(QStringLiteral("zurück zum Hauptfenster")), "Schlieen1");
    m_count = named(bar->addAction(QStringLiteral("Gebs remaining: ")), "Gebs1");
    m_riots = named(bar->addAction(QString()), "Randale");
    m_robberies = named(bar->addAction(QString()), "Ueberfall");
    // Displays only: their captions are rewritten, they cannot be clicked.
    for (QAction *display : {m_count, m_riots, m_robberies})
        display->setEnabled(false);

    // Shortcuts work while the menu is closed.
    addActions({m_alwaysOnTop, selectAll});

    m_list.connectCommand(selectAll, [this] { m_edit->selectAll(); });
    m_list.connectCommand(deleteFirst, [this] { N1Zeilelschen1Click(); });
    m_list.connectCommand(copy, [this] { Kopieren1Click(); });
    m_list.connectCommand(back, [this] { close(); });
}

void TfrmStatus::FormCreate()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const int screenWidth = screen ? screen->geometry().width() : 1024;
    move(screenWidth - frameGeometry().width() - 20, 1);
}

void TfrmStatus::takeList()
{
    m_list.CleanList();
    // Before showing: the window then appears with its stay-on-top style.
    m_stayOnTop.toStatus();
    m_list.lendTo(m_edit);
    show();
    raise();
    activateWindow();
}

void TfrmStatus::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        fitOnScreen(this);
}

void TfrmStatus::closeEvent(QCloseEvent *event)
{
    guarded(m_platform, [this] { FormClose(); });
    event->accept();
}

void TfrmStatus::FormClose()
{
    m_list.takeBack();
    m_stayOnTop.toMain();
}

void TfrmStatus::N1Zeilelschen1Click()
{
    MemoLines &memo = m_list.memo();
    memo.deleteFirstLine();
    selectFirstHouseNumber(memo, *m_platform.clipboard);
    m_advice = Advice::Long;
    showAdvice();
}

void TfrmStatus::Kopieren1Click()
{
    m_edit->setFocus();
    selectFirstHouseNumber(m_list.memo(), *m_platform.clipboard);
    m_advice = Advice::Short;
    showAdvice();
}

void TfrmStatus::showAdvice()
{
    const QString first = m_list.memo().firstLine();
    const bool full = m_advice == Advice::Long;
    m_riots->setText((full ? QStringLiteral("Randale:") : QStringLiteral("R:")) + requiredRiots(first));
    m_robberies->setText((full ? QStringLiteral("Überfall:") : QStringLiteral("Ü:")) + requiredRobberies(first));
    m_advisedLine = first;
}

void TfrmStatus::Memo1Change()
{
    m_count->setText(QStringLiteral("Gebs remaining: ") + QString::number(MemoLines(m_edit).lineCount()));
    // Whatever gave the list another first building (a merge, a fetched
    // report), the riot and robbery displays follow it.
    if (m_advice != Advice::None && holdsList() && m_list.memo().firstLine() != m_advisedLine)
        showAdvice();
}

void TfrmStatus::ToFrontTimer()
{
    if (m_alwaysOnTop->isChecked())
        raise();
}

} // namespace veltrix
