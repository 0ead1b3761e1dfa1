#include "mainfrm.h"

#include <QDir>

#include "accessoriespage.h"
#include "buildingspage.h"
#include "calculatorspage.h"
#include "filterpage.h"
#include "infopage.h"
#include "listcommands.h"
#include "pagelayout.h"
#include "programname.h"
#include "reportlist.h"
#include "resources.h"
#include "statspage.h"
#include "statusfenster.h"
#include "windowutil.h"

#include "core/statistics.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace veltrix {

namespace {

constexpr int kClientWidth = 851;
constexpr int kClientHeight = 494;

} // namespace

TfrmMain::TfrmMain(const Platform &platform, QWidget *parent) : QMainWindow(parent), m_platform(platform)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(kProgramTitle);
    setWindowIcon(programIcon());

    createControls();
    createMenus();

    m_listEdit->setFocus();
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::createControls()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    // The controls sit at designed places: any smaller and the list and
    // the sidebar would overlap.
    setScaledMinimumSize(client, {kClientWidth, kClientHeight});
    setCentralWidget(client);

    m_listEdit = new QPlainTextEdit(client);
    m_listEdit->setObjectName(QStringLiteral("Memo1"));
    setScaledGeometry(m_listEdit, {0, 0, 550, 473});
    m_listEdit->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_listEdit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_listEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_list = new ReportList(m_listEdit, m_platform, this);

    m_sidebar = new QFrame(client);
    m_sidebar->setObjectName(QStringLiteral("sidebar"));
    m_sidebar->setFrameShape(QFrame::Box);
    m_sidebar->setFrameShadow(QFrame::Plain);
    m_sidebar->setAutoFillBackground(true);
    setScaledGeometry(m_sidebar, {kClientWidth - kSidebarWidth, 0, kSidebarWidth, 473});
    m_sidebar->installEventFilter(this);
    createPages();
    createStatusBar();

    m_toFront = new QTimer(this);
    m_toFront->setObjectName(QStringLiteral("ToFront"));
    // The main window's tick does nothing; a slow interval avoids busy waking.
    m_toFront->setInterval(250);

    m_commands = new ListCommands(*m_list, m_platform, [this] { return m_filterPage->hideoutText(); }, this);
    connect(m_filterPage, &FilterPage::distanceOrderRequested, this, [this] { m_commands->orderByDistance(); });

    resize(scaled(kClientWidth), scaled(kClientHeight) + menuBar()->sizeHint().height());
    move(311, 163);
    // After a change of font the controls above took their new places;
    // the sizes that follow the client area follow them.
    keepScaled(this, [this] { FormResize(); });
}

void TfrmMain::createPages()
{
    m_pages = new QTabWidget(m_sidebar);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    m_pages->setTabPosition(QTabWidget::West);
    setScaledGeometry(m_pages, {4, 4, 285, 465});
    m_pages->setUsesScrollButtons(false);
    m_pages->setDocumentMode(false);

    m_filterPage = new FilterPage(*m_list);
    m_pages->addTab(m_filterPage, QStringLiteral("Filter"));
    m_statsPage = new StatsPage(*m_list, m_platform);
    m_pages->addTab(m_statsPage, QStringLiteral("Stats/Safestates"));
    auto *buildingsPage = new BuildingsPage(*m_list);
    m_pages->addTab(buildingsPage, QStringLiteral("Gebäude"));
    auto *infoPage = new InfoPage(*m_list, [this] { return m_filterPage->hideout(); });
    m_pages->addTab(infoPage, QStringLiteral("Info"));
    connect(infoPage, &InfoPage::firstHouseNumberCopyRequested, this, [this] { m_commands->copyFirstHouseNumber(); });
    // While the status window holds the list, the main window is hidden.
    m_accessoriesPage = new AccessoriesPage(*m_list, m_platform, [this] { return m_list->edit()->window(); });
    m_pages->addTab(m_accessoriesPage, QStringLiteral("Zubehör"));
    m_calculatorsPage = new CalculatorsPage(*m_list, [this] { return m_companions.sgRechner; });
    m_pages->addTab(m_calculatorsPage, QStringLiteral("Rechner"));
    m_pages->setCurrentIndex(0);
    for (QWidget *page : std::initializer_list<QWidget *>{m_statsPage, m_accessoriesPage, m_calculatorsPage})
        static_cast<QVBoxLayout *>(page->layout())->addStretch(1);
    for (QWidget *page : std::initializer_list<QWidget *>{m_filterPage, m_statsPage, buildingsPage, infoPage, m_accessoriesPage})
        page->installEventFilter(this);
}

void TfrmMain::createStatusBar()
{
    QWidget *client = centralWidget();
    m_statusBar = new QStatusBar(client);
    m_statusBar->setObjectName(QStringLiteral("StatusBar1"));
    m_statusBar->setSizeGripEnabled(false);
    // Panels sit at fixed places, as the progress bar lies over panel 0's
    // right end and must not drift onto the next panel.
    const int widths[4] = {400, 160, 150, 150};
    int left = 0;
    for (int i = 0; i < 4; ++i) {
        m_panels[i] = new QLabel(m_statusBar);
        m_panels[i]->setTextFormat(Qt::PlainText);
        m_panels[i]->setObjectName(QStringLiteral("Panel%1").arg(i));
        m_panels[i]->setFrameShape(QFrame::Panel);
        m_panels[i]->setFrameShadow(QFrame::Sunken);
        keepScaled(m_panels[i], [panel = m_panels[i]] { panel->setIndent(scaled(3)); });
        setScaledGeometry(m_panels[i], {left, 1, widths[i] - 2, kStatusHeight - 2});
        left += widths[i];
    }
    setScaledGeometry(m_statusBar, {0, kClientHeight - kStatusHeight, kClientWidth, kStatusHeight});

    m_progress = new QProgressBar(client);
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->setRange(0, ReportList::kProgressMaximum);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    setScaledGeometry(m_progress, {333, kClientHeight - kStatusHeight + 3, 65, kStatusHeight - 6});
    m_progress->raise();

    connect(m_list, &ReportList::countChanged, this, [this](qsizetype n) {
        m_panels[1]->setText(QStringLiteral("Gebs remaining: ") + QString::number(n));
        m_panels[3]->setText(QStringLiteral("Ansehen ~") + QString::number(5 * static_cast<qint64>(n)));
    });
    connect(m_list, &ReportList::modifiedChanged, this, [this] { UpdateCaption(); });
    connect(m_list, &ReportList::progressChanged, m_progress, &QProgressBar::setValue);
    connect(m_list, &ReportList::actionShown, this, [this](const QString &text) {
        m_panels[0]->setText(text);
        m_statusBar->repaint();
    });
    connect(m_list, &ReportList::protectionMoneyChanged, this, [this](const ProtectionMoney &money) {
        m_panels[2]->setText(QStringLiteral("Schutzgeld: ") + formatEuro(money.sum));
    });
}

void TfrmMain::command(const std::function<void()> &fn)
{
    m_list->command(fn);
}

void TfrmMain::UpdateCaption()
{
    QString caption = kProgramTitle + QStringLiteral(" - ") + kVersionText;
    if (!m_fileName.isEmpty())
        caption += QStringLiteral(" - ") + QDir::toNativeSeparators(m_fileName);
    if (m_list->isModified())
        caption += QStringLiteral(" *");
    setWindowTitle(caption);
}

// ---- window events ----

void TfrmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!event->spontaneous()) {
        command([this] { FormShow(); });
        fitOnScreen(this);
        m_statsPage->readKeptSlots();
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
    m_accessoriesPage->showVolume();
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
    if (accept)
        event->accept();
    else
        event->ignore();
}

void TfrmMain::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
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

void TfrmMain::Alleslschen1Click()
{
    m_list->memo().clear();
    m_statsPage->clearStatistics();
}

void TfrmMain::Allesmarkieren1Click()
{
    m_list->memo().selectAll();
    m_listEdit->setFocus();
}

void TfrmMain::Info1Click()
{
    if (QWidget *info = m_companions.info) {
        info->show();
        info->raise();
        info->activateWindow();
    }
}

void TfrmMain::Statusfenster1Click()
{
    if (TfrmStatus *status = statusWindow())
        status->takeList();
}

} // namespace veltrix
