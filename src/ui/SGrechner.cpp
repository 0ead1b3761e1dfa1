#include "SGrechner.h"

#include "core/calculators.h"
#include "core/catalogue.h"
#include "core/intconv.h"
#include "pagelayout.h"
#include "windowutil.h"

#include <QAction>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>

namespace veltrix {

namespace {

// Keeping the window in front needs no 1 ms wake-ups; a few per second do.
constexpr int kToFrontInterval = 250;
constexpr int kMaxTraps = 18;

} // namespace

TfrmSGr::TfrmSGr(const Platform &platform, std::function<void(bool)> showMain, QWidget *parent)
    : QMainWindow(parent), m_platform(platform), m_showMain(std::move(showMain))
{
    setObjectName(QStringLiteral("frmSGr"));
    setWindowTitle(QStringLiteral("SG-Rechner"));
    // The program ends with its main window, even while this one is open.
    setAttribute(Qt::WA_QuitOnClose, false);
    createControls();
    createMenu();

    ToFront = new QTimer(this);
    ToFront->setObjectName(QStringLiteral("ToFront"));
    ToFront->setInterval(kToFrontInterval);
    connect(ToFront, &QTimer::timeout, this, [this] { ToFrontTimer(); });

    keepScaled(this, [this] { setFixedSize(sizeHint()); });
}

TfrmSGr::~TfrmSGr() = default;

void TfrmSGr::createControls()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    auto *grid = new QGridLayout(client);
    setScaledMargins(grid, 8, 8, 8, 8);
    setScaledSpacing(grid, 8, 4);

    SGGebaeude = new QListWidget(client);
    SGGebaeude->setObjectName(QStringLiteral("SGGebaeude"));
    SGGebaeude->addItems(calculatorTypeNames());
    SGGebaeude->setSelectionMode(QAbstractItemView::SingleSelection);
    SGGebaeude->setCurrentRow(-1);
    setScaledFixedSize(SGGebaeude, {170, 220});

    Fallen = new QListWidget(client);
    Fallen->setObjectName(QStringLiteral("Fallen"));
    for (int t = 0; t <= kMaxTraps; ++t)
        Fallen->addItem(QString::number(t));
    Fallen->setSelectionMode(QAbstractItemView::SingleSelection);
    Fallen->setCurrentRow(0);
    setScaledFixedSize(Fallen, {56, 220});

    SGBetrag = new QLineEdit(QStringLiteral("1300"), client);
    SGBetrag->setObjectName(QStringLiteral("SGBetrag"));
    Button15 = new QPushButton(QStringLiteral("Berechnen"), client);
    Button15->setObjectName(QStringLiteral("Button15"));
    Button15->setDefault(true);
    SGLabel = makeValueLabel(client, "SGLabel");
    Uebernahme = new QLabel(client);
    Uebernahme->setObjectName(QStringLiteral("Uebernahme"));

    // A buddy names edit fields only: the lists take their captions as names.
    auto caption = [client](const QString &text, QWidget *buddy) { return makeCaption(client, text, buddy); };
    SGGebaeude->setAccessibleName(QStringLiteral("Gebäude:"));
    Fallen->setAccessibleName(QStringLiteral("Fallen:"));
    grid->addWidget(caption(QStringLiteral("Gebäude:"), SGGebaeude), 0, 0);
    grid->addWidget(caption(QStringLiteral("Fallen:"), Fallen), 0, 1);
    grid->addWidget(SGGebaeude, 1, 0, 1, 1);
    grid->addWidget(Fallen, 1, 1, 1, 1);

    auto *amountRow = new QHBoxLayout;
    amountRow->addWidget(caption(QStringLiteral("Schutzgeld"), SGBetrag));
    amountRow->addWidget(SGBetrag, 1);
    amountRow->addWidget(Button15);
    grid->addLayout(amountRow, 2, 0, 1, 2);
    setScaledSpacing(amountRow, 6);

    auto *resultRow = new QHBoxLayout;
    resultRow->addWidget(caption(QStringLiteral("Sicherheitsgefühl:"), SGLabel));
    resultRow->addWidget(SGLabel, 1);
    grid->addLayout(resultRow, 3, 0, 1, 2);
    setScaledSpacing(resultRow, 6);
    grid->addWidget(Uebernahme, 4, 0, 1, 2);

    onFocusLost(SGBetrag, [this] { command([this] { SGBetragExit(); }); });
    connect(Button15, &QPushButton::clicked, this, [this] { command([this] { Button15Click(); }); });
}

void TfrmSGr::createMenu()
{
    Datei1 = menuBar()->addMenu(QStringLiteral("Datei"));
    Datei1->setObjectName(QStringLiteral("Datei1"));
    AlwaysOnTop1 = Datei1->addAction(QStringLiteral("AlwaysOnTop"));
    AlwaysOnTop1->setObjectName(QStringLiteral("AlwaysOnTop1"));
    AlwaysOnTop1->setCheckable(true);
    Exit1 = Datei1->addAction(QStringLiteral("Exit"));
    Exit1->setObjectName(QStringLiteral("Exit1"));
    HideMainwindow1 = Datei1->addAction(QStringLiteral("Hide Mainwindow"));
    HideMainwindow1->setObjectName(QStringLiteral("HideMainwindow1"));
    HideMainwindow1->setCheckable(true);

    connect(AlwaysOnTop1, &QAction::triggered, this, [this] { command([this] { AlwaysOnTop1Click(); }); });
    connect(Exit1, &QAction::triggered, this, [this] { command([this] { Exit1Click(); }); });
    connect(HideMainwindow1, &QAction::triggered, this, [this] { command([this] { HideMainwindow1Click(); }); });
}

void TfrmSGr::command(const std::function<void()> &fn)
{
    guarded(m_platform, fn);
}

void TfrmSGr::Button15Click()
{
    const QList<QListWidgetItem *> selected = SGGebaeude->selectedItems();
    if (!selected.isEmpty()) {
        const QString type = selected.first()->text();
        std::optional<double> sg;
        if (calculatorProtectionMoney(type) > 0)
            sg = std::min(*sgFromProtectionMoney(type, strToFloat(SGBetrag->text(), QLocale::system())), 100.0);
        SGLabel->setText(sgLabelText(sg));
    }
    // No trap row selected counts as no traps.
    const QList<QListWidgetItem *> traps = Fallen->selectedItems();
    Uebernahme->setText(takeoverText(traps.isEmpty() ? 0 : strToInt(traps.first()->text())));
}

void TfrmSGr::SGBetragExit()
{
    if (!isValidProtectionAmount(SGBetrag->text(), QLocale::system()))
        SGBetrag->setText(QStringLiteral("0"));
}

void TfrmSGr::AlwaysOnTop1Click()
{
    setStayOnTop(this, AlwaysOnTop1->isChecked(), ToFront);
}

void TfrmSGr::ToFrontTimer()
{
    raise();
    SGGebaeude->raise();
}

void TfrmSGr::HideMainwindow1Click()
{
    if (m_showMain)
        m_showMain(!HideMainwindow1->isChecked());
}

void TfrmSGr::FormClose()
{
    setStayOnTop(this, false);
    AlwaysOnTop1->setChecked(false);
    ToFront->stop();
    if (m_showMain)
        m_showMain(true);
    HideMainwindow1->setChecked(false);
}

void TfrmSGr::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        fitOnScreen(this);
}

void TfrmSGr::closeEvent(QCloseEvent *event)
{
    command([this] { FormClose(); });
    event->accept();
}

void TfrmSGr::Exit1Click()
{
    FormClose();
    hide();
}

} // namespace veltrix
