#include "mainfrm.h"

#include "exportcommands.h"
#include "resources.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
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

#include "core/catalogue.h"
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
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(6);
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
    setupFilterPage();
    setupInfoPage();
    setupSnapshots();
    setupSGShift();
    setupCalculators();
    setupTimerPage();
    setupSortCommands();
    setupLineCommands();
    setupFileCommands();
    setupStatusCommands();
    setupNetCommands();
    for (QWidget *page : {TabFilter, TabStats, TabGebaeude, TabInfo, TabZubehoer, TabRechner})
        static_cast<QVBoxLayout *>(page->layout())->addStretch(1);


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
    connect(m_list, &ReportList::countChanged, this, [this] { Memo1Change(); });
    connect(m_list, &ReportList::modifiedChanged, this, [this] { UpdateCaption(); });
    connect(m_list, &ReportList::progressChanged, this, [this](int position) { ProgressBar1->setValue(position); });
    connect(m_list, &ReportList::actionShown, this, [this](const QString &text) {
        panels[0]->setText(text);
        StatusBar1->repaint();
    });
    connect(m_list, &ReportList::protectionMoneyChanged, this, [this](const ProtectionMoney &money) {
        Schutzgeld->setText(formatEuro(money.sum));
        panels[2]->setText(QStringLiteral("Schutzgeld: ") + Schutzgeld->text());
        AnzGebs->setPlainText(buildingCountRows(money.counts).join(QLatin1Char('\n')));
        QTextCursor cursor = AnzGebs->textCursor();
        cursor.setPosition(0);
        AnzGebs->setTextCursor(cursor);
    });
    connect(m_list, &ReportList::buildingInfoRequested, this, [this](const QString &line) { showBuilding(line); });
    connect(m_list, &ReportList::undoAvailableChanged, this, [this](bool on) { Rckgngig1->setEnabled(on); });

    for (int k = 0; k < 10; ++k) {
        MemoZ[k] = new QPlainTextEdit(client);
        MemoZ[k]->setObjectName(QStringLiteral("MemoZ%1").arg(k + 1));
        MemoZ[k]->setLineWrapMode(QPlainTextEdit::NoWrap);
        MemoZ[k]->hide();
    }

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

    TabFilter = addPage(PageControl1, "TabFilter", QStringLiteral("Filter"));
    TabStats = addPage(PageControl1, "TabStats", QStringLiteral("Stats/Safestates"));
    TabGebaeude = addPage(PageControl1, "TabGebaeude", QStringLiteral("Gebäude"));
    TabInfo = addPage(PageControl1, "TabInfo", QStringLiteral("Info"));
    TabZubehoer = addPage(PageControl1, "TabZubehoer", QStringLiteral("Zubehör"));
    TabRechner = addPage(PageControl1, "TabRechner", QStringLiteral("Rechner"));
    PageControl1->setCurrentIndex(0);
    for (QWidget *page : {TabFilter, TabStats, TabGebaeude, TabInfo, TabZubehoer})
        page->installEventFilter(this);

    // The building-type check list doubles as the catalogue of known types.
    checklistbox1 = new QListWidget(TabFilter);
    checklistbox1->setObjectName(QStringLiteral("checklistbox1"));
    for (const QString &name : buildingTypeNames()) {
        auto *item = new QListWidgetItem(name, checklistbox1);
        item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setCheckState(Qt::Unchecked);
    }
    checklistbox1->setMinimumHeight(120);
    TabFilter->layout()->addWidget(checklistbox1);

    createStatisticsPage();

    AnzGebs = new QPlainTextEdit(TabGebaeude);
    AnzGebs->setObjectName(QStringLiteral("AnzGebs"));
    AnzGebs->setReadOnly(true);
    AnzGebs->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont fixed(QStringLiteral("Courier New"));
    fixed.setStyleHint(QFont::Monospace);
    fixed.setFixedPitch(true);
    fixed.setPointSize(9);
    AnzGebs->setFont(fixed);
    AnzGebs->setTabStopDistance(QFontMetricsF(fixed).horizontalAdvance(QLatin1Char(' ')) * 8);
    AnzGebs->setPlainText(QStringLiteral("---"));
    static_cast<QVBoxLayout *>(TabGebaeude->layout())->addWidget(AnzGebs, 1);

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

void TfrmMain::createStatisticsPage()
{
    GroupStatistiken = new QGroupBox(QStringLiteral("Statistiken"), TabStats);
    GroupStatistiken->setObjectName(QStringLiteral("GroupStatistiken"));
    auto *grid = new QGridLayout(GroupStatistiken);
    grid->setContentsMargins(8, 6, 8, 8);
    grid->setVerticalSpacing(3);

    Label4 = makeValueLabel("Label4", GroupStatistiken);
    Ansehen = makeValueLabel("Ansehen", GroupStatistiken);
    Schutzgeld = makeValueLabel("Schutzgeld", GroupStatistiken);

    grid->addWidget(new QLabel(QStringLiteral("Gebs remaining:"), GroupStatistiken), 0, 0);
    grid->addWidget(Label4, 0, 1);
    auto *reputation = new QLabel(QStringLiteral("möglicher Ansehensgewinn durch Übernahmen:"), GroupStatistiken);
    reputation->setWordWrap(true);
    grid->addWidget(reputation, 1, 0);
    grid->addWidget(Ansehen, 1, 1, Qt::AlignBottom);
    grid->addWidget(new QLabel(QStringLiteral("zu erwartendes Schutzgeld:"), GroupStatistiken), 2, 0);
    grid->addWidget(Schutzgeld, 2, 1);
    grid->setColumnStretch(0, 1);

    Button7 = new QPushButton(QStringLiteral("Aktualisieren"), GroupStatistiken);
    Button7->setObjectName(QStringLiteral("Button7"));
    grid->addWidget(Button7, 3, 0, 1, 2, Qt::AlignRight);
    connectCommand(Button7, [this] { Button7Click(); });

    static_cast<QVBoxLayout *>(TabStats->layout())->addWidget(GroupStatistiken);
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
            this, *m_list, m_platform, [this] { return ExportCommands::hideoutOf(Versteck->text()); },
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
    showVolume();
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
    Label4->setText(QStringLiteral("---"));
    Ansehen->setText(QStringLiteral("---"));
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

void TfrmMain::Button7Click()
{
    UpdateProtectionMoney();
}

} // namespace veltrix
