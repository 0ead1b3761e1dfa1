#include "mainfrm.h"

#include "buildingspage.h"
#include "filterpage.h"
#include "infopage.h"
#include "pagelayout.h"
#include "listcommands.h"
#include "exportcommands.h"
#include "resources.h"
#include "accessoriespage.h"
#include "calculatorspage.h"
#include "clipboardwatch.h"
#include "statspage.h"
#include "statusfenster.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "core/statistics.h"

namespace veltrix {

namespace {

constexpr int kClientWidth = 851;
constexpr int kClientHeight = 494;
constexpr int kSidebarWidth = 293;
constexpr int kStatusHeight = 20;

QAction *addItem(QMenu *menu, const char *name, const QString &caption, const QKeySequence &shortcut = {})
{
    auto *action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    return action;
}

QAction *addBarItem(QMenuBar *bar, const char *name, const QString &caption, const QKeySequence &shortcut = {})
{
    auto *action = bar->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    return action;
}

QWidget *addPage(QTabWidget *tabs, const char *name, const QString &caption)
{
    auto *page = new QWidget;
    page->setObjectName(QString::fromLatin1(name));
    makePageLayout(page);
    tabs->addTab(page, caption);
    return page;
}

} // namespace

TfrmMain::TfrmMain(const Platform &platform, QWidget *parent)
    : QMainWindow(parent), m_platform(platform), m_memo(nullptr)
{
    initVeltrixResources();
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(kProgramTitle);
    setWindowIcon(QIcon(QStringLiteral(":/veltrix.png")));

    createControls();
    createMenus();

    // Feature pages and commands, each in its own unit.
    setupListCommands();
    setupFileCommands();
    setupStatusCommands();
    setupNetCommands();
    for (QWidget *page : std::initializer_list<QWidget *>{TabStats, TabZubehoer, TabRechner})
        static_cast<QVBoxLayout *>(page->layout())->addStretch(1);

    m_list->connectCommand(Gebs10001, [this] { m_filterPage->filterFrom900(); });
    m_list->connectCommand(Gebs5001, [this] { m_filterPage->filterFrom500To900(); });
    m_list->connectCommand(Marktgebude1, [this] { m_filterPage->filterMarket(); });
    connect(m_filterPage, &FilterPage::distanceOrderRequested, this, [this] { m_commands->orderByDistance(); });
    connect(m_infoPage, &InfoPage::firstHouseNumberCopyRequested, this, [this] { m_commands->copyFirstHouseNumber(); });


    // FormCreate
    m_closeRequest = false;
    m_closeCancelled = false;
    m_fileName.clear();

    Memo1->setFocus();
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::createControls()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    // The controls sit at designed places: any smaller and the list and
    // the sidebar would overlap.
    client->setMinimumSize(kClientWidth, kClientHeight);
    setCentralWidget(client);

    Memo1 = new QPlainTextEdit(client);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setGeometry(0, 0, 550, 473);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo = MemoLines(Memo1);
    m_list = new ReportList(Memo1, m_platform, this);
    connect(m_list, &ReportList::countChanged, this, [this](qsizetype n) {
        panels[1]->setText(QStringLiteral("Gebs remaining: ") + QString::number(n));
        panels[3]->setText(QStringLiteral("Ansehen ~") + QString::number(5 * static_cast<qint64>(n)));
    });
    connect(m_list, &ReportList::modifiedChanged, this, [this] { UpdateCaption(); });
    connect(m_list, &ReportList::progressChanged, this, [this](int position) { ProgressBar1->setValue(position); });
    connect(m_list, &ReportList::actionShown, this, [this](const QString &text) {
        panels[0]->setText(text);
        StatusBar1->repaint();
    });
    connect(m_list, &ReportList::protectionMoneyChanged, this, [this](const ProtectionMoney &money) {
        panels[2]->setText(QStringLiteral("Schutzgeld: ") + formatEuro(money.sum));
    });
    connect(m_list, &ReportList::undoAvailableChanged, this, [this](bool on) { Rckgngig1->setEnabled(on); });

    sidebar = new QFrame(client);
    sidebar->setObjectName(QStringLiteral("sidebar"));
    sidebar->setFrameShape(QFrame::Box);
    sidebar->setFrameShadow(QFrame::Plain);
    sidebar->setAutoFillBackground(true);
    sidebar->setGeometry(kClientWidth - kSidebarWidth, 0, kSidebarWidth, 473);
    sidebar->installEventFilter(this);

    PageControl1 = new QTabWidget(sidebar);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setTabPosition(QTabWidget::West);
    PageControl1->setGeometry(4, 4, 285, 465);
    PageControl1->setUsesScrollButtons(false);
    PageControl1->setDocumentMode(false);

    m_filterPage = new FilterPage(*m_list);
    PageControl1->addTab(m_filterPage, QStringLiteral("Filter"));
    TabStats = new StatsPage(*m_list, m_platform);
    PageControl1->addTab(TabStats, QStringLiteral("Stats/Safestates"));
    m_buildingsPage = new BuildingsPage(*m_list);
    PageControl1->addTab(m_buildingsPage, QStringLiteral("Gebäude"));
    m_infoPage = new InfoPage(*m_list, [this] { return m_filterPage->hideout(); });
    PageControl1->addTab(m_infoPage, QStringLiteral("Info"));
    // While the status window holds the list, the main window is hidden.
    TabZubehoer = new AccessoriesPage(*m_list, m_platform, [this]() -> QWidget * {
        TfrmStatus *status = statusWindow();
        return status && status->holdsList() ? static_cast<QWidget *>(status) : this;
    });
    PageControl1->addTab(TabZubehoer, QStringLiteral("Zubehör"));
    TabRechner = new CalculatorsPage(*m_list, [this] { return m_companions.sgRechner; });
    PageControl1->addTab(TabRechner, QStringLiteral("Rechner"));
    PageControl1->setCurrentIndex(0);
    for (QWidget *page : std::initializer_list<QWidget *>{m_filterPage, TabStats, m_buildingsPage, m_infoPage, TabZubehoer})
        page->installEventFilter(this);

    StatusBar1 = new QStatusBar(client);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    // Panels sit at fixed places, as the progress bar lies over panel 0's
    // right end and must not drift onto the next panel.
    const int widths[4] = {400, 160, 150, 150};
    int left = 0;
    for (int i = 0; i < 4; ++i) {
        panels[i] = new QLabel(StatusBar1);
        panels[i]->setTextFormat(Qt::PlainText);
        panels[i]->setObjectName(QStringLiteral("Panel%1").arg(i));
        panels[i]->setFrameShape(QFrame::Panel);
        panels[i]->setFrameShadow(QFrame::Sunken);
        panels[i]->setIndent(3);
        panels[i]->setGeometry(left, 1, widths[i] - 2, kStatusHeight - 2);
        left += widths[i];
    }
    StatusBar1->setGeometry(0, kClientHeight - kStatusHeight, kClientWidth, kStatusHeight);

    ProgressBar1 = new QProgressBar(client);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 1000);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setGeometry(333, kClientHeight - kStatusHeight + 3, 65, kStatusHeight - 6);
    ProgressBar1->raise();

    ToFront = new QTimer(this);
    ToFront->setObjectName(QStringLiteral("ToFront"));
    // The main window's tick does nothing; a slow interval avoids busy waking.
    ToFront->setInterval(250);

    resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    move(311, 163);
}

void TfrmMain::createMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    Datei1 = bar->addMenu(QStringLiteral("&Datei"));
    Datei1->setObjectName(QStringLiteral("Datei1"));
    Neu1 = addItem(Datei1, "Neu1", QStringLiteral("Neu..."));
    Dateiffnen1 = addItem(Datei1, "Dateiffnen1", QStringLiteral("Datei öffnen..."), QKeySequence(QStringLiteral("Ctrl+Alt+O")));
    lastOpened = addItem(Datei1, "lastOpened", QStringLiteral("Öffnen: "));
    lastOpened->setVisible(false);
    Dateispeichern1 = addItem(Datei1, "Dateispeichern1", QStringLiteral("Datei speichern..."), QKeySequence(QStringLiteral("Ctrl+S")));
    Speichernunter1 = addItem(Datei1, "Speichernunter1", QStringLiteral("Speichern unter..."));
    Berichtanfgen1 = addItem(Datei1, "Berichtanfgen1", QStringLiteral("Bericht anfügen..."), QKeySequence(QStringLiteral("Ctrl+B")));
    URLffnen1 = addItem(Datei1, "URLffnen1", QStringLiteral("URL öffnen..."), QKeySequence(QStringLiteral("Ctrl+U")));
    QAction *exportItem = addItem(Datei1, "Exportieren1", QStringLiteral("Exportieren..."));
    Datei1->addSeparator();
    AlwaysOnTop1 = addItem(Datei1, "AlwaysOnTop1", QStringLiteral("Always On Top"), QKeySequence(QStringLiteral("Ctrl+F1")));
    AlwaysOnTop1->setCheckable(true);
    Versionscheck1 = addItem(Datei1, "Versionscheck1", QStringLiteral("Versionscheck"));
    FirefoxDownloaden1 = addItem(Datei1, "FirefoxDownloaden1", QStringLiteral("Firefox Downloaden"));
    Datei1->addSeparator();
    Beenden1 = addItem(Datei1, "Beenden1", QStringLiteral("Beenden"));

    Bearbeiten1 = bar->addMenu(QStringLiteral("&Bearbeiten"));
    Bearbeiten1->setObjectName(QStringLiteral("Bearbeiten1"));
    Rckgngig1 = addItem(Bearbeiten1, "Rckgngig1", QStringLiteral("Rückgängig"));
    Rckgngig1->setEnabled(false);
    Bearbeiten1->addSeparator();
    Alleslschen1 = addItem(Bearbeiten1, "Alleslschen1", QStringLiteral("&Alles löschen"), QKeySequence(QStringLiteral("Ctrl+D")));
    Allesmarkieren1 = addItem(Bearbeiten1, "Allesmarkieren1", QStringLiteral("Alles markieren"), QKeySequence(QStringLiteral("Ctrl+A")));
    letzteZeilelschen1 = addItem(Bearbeiten1, "letzteZeilelschen1", QStringLiteral("letzte Zeile löschen"), QKeySequence(QStringLiteral("Ctrl+L")));
    Bearbeiten1->addSeparator();
    Aktualisieren1 = addItem(Bearbeiten1, "Aktualisieren1", QStringLiteral("Aktualisieren"), QKeySequence(QStringLiteral("F5")));
    Suchen1 = addItem(Bearbeiten1, "Suchen1", QStringLiteral("Suchen..."), QKeySequence(QStringLiteral("Ctrl+F")));
    QAction *merge = addItem(Bearbeiten1, "Berichtabgleichen1", QStringLiteral("Bericht abgleichen"), QKeySequence(QStringLiteral("Ctrl+Shift+V")));
    connectCommand(merge, [this] { m_list->mergeReport(m_platform.clipboard->text()); });
    m_clipboardWatchItem = addItem(Bearbeiten1, "Zwischenablageueberwachen1", QStringLiteral("Zwischenablage überwachen"));
    m_clipboardWatchItem->setCheckable(true);
    new ClipboardWatch(m_clipboardWatchItem, *m_list, *m_platform.clipboard, [this] {
        const TfrmStatus *status = statusWindow();
        return !status || !status->holdsList();
    }, this);
    QAction *copyBBCodeItem = addItem(Bearbeiten1, "AlsBBCodekopieren1", QStringLiteral("Als BBCode kopieren"));

    Sortieren1 = bar->addMenu(QStringLiteral("&Sortieren"));
    Sortieren1->setObjectName(QStringLiteral("Sortieren1"));
    // Ctrl+I belongs to the security-feeling order, whose entry shows it.
    Strasse1 = addItem(Sortieren1, "Strasse1", QStringLiteral("Sicherheitsgefühl (aufsteigend)"), QKeySequence(QStringLiteral("Ctrl+I")));
    Strasse2 = addItem(Sortieren1, "Strasse2", QStringLiteral("Strasse (aufsteigend)"), QKeySequence(QStringLiteral("Ctrl+T")));
    Strasseabsteigend1 = addItem(Sortieren1, "Strasseabsteigend1", QStringLiteral("Hausnummer (absteigend)"), QKeySequence(QStringLiteral("Ctrl+H")));
    Hausnummeraufsteigend1 = addItem(Sortieren1, "Hausnummeraufsteigend1", QStringLiteral("Hausnummer (aufsteigend)"));
    Gebude1 = addItem(Sortieren1, "Gebude1", QStringLiteral("Gebäudetyp (€ absteigend)"), QKeySequence(QStringLiteral("Ctrl+G")));
    Versteckaufsteigend1 = addItem(Sortieren1, "Versteckaufsteigend1", QStringLiteral("Entfernung zum Versteck"), QKeySequence(QStringLiteral("Ctrl+Alt+V")));
    AnzahlvFallenaufsteigend1 = addItem(Sortieren1, "AnzahlvFallenaufsteigend1", QStringLiteral("Anzahl d. Fallen (aufsteigend)"));
    Sortieren1->addSeparator();
    Verstecknachunten1 = addItem(Sortieren1, "Verstecknachunten1", QStringLiteral("Versteck nach unten"));
    N1Zeilenachunten1 = addItem(Sortieren1, "N1Zeilenachunten1", QStringLiteral("1. Zeile nach unten"));
    Listeumkehren1 = addItem(Sortieren1, "Listeumkehren1", QStringLiteral("Liste umkehren"));

    Filtern1 = bar->addMenu(QStringLiteral("&Filtern"));
    Filtern1->setObjectName(QStringLiteral("Filtern1"));
    Gebs10001 = addItem(Filtern1, "Gebs10001", QStringLiteral("Gebs >= 900 €"), QKeySequence(QStringLiteral("Ctrl+Alt+I")));
    Gebs5001 = addItem(Filtern1, "Gebs5001", QStringLiteral("Gebs >= 500 €"), QKeySequence(QStringLiteral("Ctrl+Alt+J")));
    Filtern1->addSeparator();
    Marktgebude1 = addItem(Filtern1, "Marktgebude1", QStringLiteral("Marktgebäude"), QKeySequence(QStringLiteral("Ctrl+Alt+M")));

    AktuelleZeilelschen1 = addBarItem(bar, "AktuelleZeilelschen1", QStringLiteral("1. &Zeile löschen"));
    N1Hausnummerkopieren1 = addBarItem(bar, "N1Hausnummerkopieren1", QStringLiteral("1. &Hausnummer kopieren"));
    Statusfenster1 = addBarItem(bar, "Statusfenster1", QStringLiteral("Statusfenster"));
    SGRechner1 = addBarItem(bar, "SGRechner1", QStringLiteral("SG-Rechner"));
    Info1 = addBarItem(bar, "Info1", QStringLiteral("&Info"), QKeySequence(QStringLiteral("F1")));

    // The "&Datei" menu opens with Ctrl+Alt+S as well.
    auto *openFileMenu = new QShortcut(QKeySequence(QStringLiteral("Ctrl+Alt+S")), this);
    connect(openFileMenu, &QShortcut::activated, this, [this] {
        menuBar()->setActiveAction(Datei1->menuAction());
    });

    // Shortcuts of menu items work while the menus are closed.
    for (QAction *a : bar->actions())
        addAction(a);
    for (QMenu *m : {Datei1, Bearbeiten1, Sortieren1, Filtern1})
        addActions(m->actions());

    // Built per use: the list and the hideout field come later than the menus.
    const auto exporter = [this] {
        return ExportCommands(
            this, *m_list, m_platform, [this] { return ExportCommands::hideoutOf(m_filterPage->hideoutText()); },
            [this](const QString &name) { return mayOverwrite(name); });
    };
    connectCommand(exportItem, [exporter] { exporter().exportList(); });
    connectCommand(copyBBCodeItem, [exporter] { exporter().copyBBCode(); });
    connectCommand(AlwaysOnTop1, [this] { AlwaysOnTop1Click(); });
    connectCommand(Beenden1, [this] { Beenden1Click(); });
    connectCommand(Alleslschen1, [this] { Alleslschen1Click(); });
    connectCommand(Allesmarkieren1, [this] { Allesmarkieren1Click(); });
    connectCommand(letzteZeilelschen1, [this] { letzteZeilelschen1Click(); });
    connectCommand(Info1, [this] { Info1Click(); });
    connectCommand(SGRechner1, [this] { TabRechner->openSGCalculator(); });
    connect(ToFront, &QTimer::timeout, this, [] {});
}

void TfrmMain::command(const std::function<void()> &fn)
{
    m_list->command(fn);
}

void TfrmMain::connectCommand(QAction *action, std::function<void()> fn)
{
    connect(action, &QAction::triggered, this, [this, fn = std::move(fn)] { command(fn); });
}

void TfrmMain::connectCommand(QPushButton *button, std::function<void()> fn)
{
    connect(button, &QPushButton::clicked, this, [this, fn = std::move(fn)] { command(fn); });
}

void TfrmMain::setModified(bool modified)
{
    m_list->setModified(modified);
}

// ---- window events ----

void TfrmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!event->spontaneous()) {
        command([this] { FormShow(); });
        // Started once the window is up: a slow server must not hold it back.
        if (!m_versionCheckStarted) {
            m_versionCheckStarted = true;
            CheckForUpdate();
        }
    }
}

void TfrmMain::FormShow()
{
    if (m_companions.info)
        m_companions.info->hide();
    UpdateCaption();
    TabZubehoer->showVolume();
    // Only the first showing reads them: showing the window again (after
    // the status window or the SG calculator hid it) must not undo what the
    // player has typed or where the window was moved since.
    if (!m_settingsShown) {
        m_settingsShown = true;
        if (!m_list->isModified())
            LoadSettings();
    }
}

void TfrmMain::closeEvent(QCloseEvent *event)
{
    // A close query that fails keeps the window open: nothing may be lost.
    bool accept = false;
    command([&] { accept = closeQuery(); });
    if (accept) {
        event->accept();
    } else {
        event->ignore();
        m_closeAtPaint = false;
    }
}

void TfrmMain::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

bool TfrmMain::event(QEvent *event)
{
    if (event->type() == QEvent::UpdateRequest || event->type() == QEvent::Paint) {
        if (AlwaysOnTop1 && AlwaysOnTop1->isChecked())
            setStayOnTop(this, true);
        if (m_closeAtPaint)
            QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    }
    return QMainWindow::event(event);
}

bool TfrmMain::eventFilter(QObject *watched, QEvent *event)
{
    // Only a press on the panel's or a page's own background slides the
    // sidebar; presses that a control let through do not.
    if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType()) {
        auto *widget = static_cast<QWidget *>(watched);
        const auto *press = static_cast<QMouseEvent *>(event);
        if (!widget->childAt(press->position().toPoint()))
            command([this] { slideSidebar(); });
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---- window-level commands ----

void TfrmMain::AlwaysOnTop1Click()
{
    // The action toggles its own check mark before this runs.
    setStayOnTop(this, AlwaysOnTop1->isChecked(), ToFront);
}

void TfrmMain::Beenden1Click()
{
    close();
}

void TfrmMain::Alleslschen1Click()
{
    m_memo.clear();
    TabStats->clearStatistics();
}

void TfrmMain::Allesmarkieren1Click()
{
    m_memo.selectAll();
    Memo1->setFocus();
}

void TfrmMain::letzteZeilelschen1Click()
{
    m_memo.deleteLastLine();
}

void TfrmMain::Info1Click()
{
    if (m_companions.info) {
        QWidget *info = m_companions.info;
        info->show();
        info->raise();
        info->activateWindow();
    }
}

} // namespace veltrix
