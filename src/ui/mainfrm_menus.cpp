// The main menu: every item with its caption, shortcut and command.
#include "mainfrm.h"

#include "calculatorspage.h"
#include "clipboardwatch.h"
#include "exportcommands.h"
#include "linecolours.h"
#include "filterpage.h"
#include "globalshortcuts.h"
#include "listcommands.h"
#include "reportlist.h"
#include "stayontop.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

namespace veltrix {

namespace {

QAction *named(QAction *action, const char *name, const QKeySequence &shortcut)
{
    action->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    return action;
}

QAction *addItem(QMenu *menu, const char *name, const QString &caption, const QKeySequence &shortcut = {})
{
    return named(menu->addAction(caption), name, shortcut);
}

QAction *addBarItem(QMenuBar *bar, const char *name, const QString &caption, const QKeySequence &shortcut = {})
{
    return named(bar->addAction(caption), name, shortcut);
}

QMenu *addMenu(QMenuBar *bar, const char *name, const QString &caption)
{
    QMenu *menu = bar->addMenu(caption);
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

QKeySequence keys(const char *text)
{
    return QKeySequence(QString::fromLatin1(text));
}

} // namespace

void TfrmMain::createMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    ReportList &list = *m_list;
    ListCommands *commands = m_commands;
    const auto run = [&list](QAction *action, std::function<void()> fn) { list.connectCommand(action, std::move(fn)); };
    const auto wire = [&list, commands](QAction *action, void (ListCommands::*fn)()) {
        list.connectCommand(action, [commands, fn] { (commands->*fn)(); });
    };
    // Built per use: the hideout is read when the command runs.
    const auto exporter = [this] {
        return ExportCommands(
            this, *m_list, m_platform, [this] { return ExportCommands::hideoutOf(m_filterPage->hideoutText()); },
            [this](const QString &name) { return mayOverwrite(name); });
    };

    QMenu *datei = addMenu(bar, "Datei1", QStringLiteral("&Datei"));
    run(addItem(datei, "Neu1", QStringLiteral("Neu...")), [this] { Neu1Click(); });
    run(addItem(datei, "Dateiffnen1", QStringLiteral("Datei öffnen..."), keys("Ctrl+Alt+O")), [this] { Dateiffnen1Click(); });
    m_lastOpened = addItem(datei, "lastOpened", QStringLiteral("Öffnen: "));
    m_lastOpened->setVisible(false);
    run(m_lastOpened, [this] { lastOpenedClick(); });
    run(addItem(datei, "Dateispeichern1", QStringLiteral("Datei speichern..."), keys("Ctrl+S")),
        [this] { Dateispeichern1Click(); });
    run(addItem(datei, "Speichernunter1", QStringLiteral("Speichern unter...")), [this] { Speichernunter1Click(); });
    run(addItem(datei, "Berichtanfgen1", QStringLiteral("Bericht anfügen..."), keys("Ctrl+B")),
        [this] { Berichtanfgen1Click(); });
    run(addItem(datei, "URLffnen1", QStringLiteral("URL öffnen..."), keys("Ctrl+U")), [this] { URLffnen1Click(); });
    run(addItem(datei, "Exportieren1", QStringLiteral("Exportieren...")), [exporter] { exporter().exportList(); });
    datei->addSeparator();
    QAction *alwaysOnTop = addItem(datei, "AlwaysOnTop1", QStringLiteral("Always On Top"), keys("Ctrl+F1"));
    alwaysOnTop->setCheckable(true);
    m_stayOnTop = new StayOnTop({this, alwaysOnTop, m_toFront}, this);
    run(addItem(datei, "GlobaleTastenkuerzel1", QStringLiteral("Globale Tastenkürzel...")), [this] { m_shortcuts->edit(this); });
    run(addItem(datei, "Versionscheck1", QStringLiteral("Versionscheck")), [this] { CheckForUpdate(true); });
    run(addItem(datei, "FirefoxDownloaden1", QStringLiteral("Firefox Downloaden")), [this] { FirefoxDownloaden1Click(); });
    datei->addSeparator();
    run(addItem(datei, "Beenden1", QStringLiteral("Beenden")), [this] { close(); });

    QMenu *bearbeiten = addMenu(bar, "Bearbeiten1", QStringLiteral("&Bearbeiten"));
    QAction *undo = addItem(bearbeiten, "Rckgngig1", QStringLiteral("Rückgängig"));
    undo->setEnabled(false);
    connect(m_list, &ReportList::undoAvailableChanged, undo, &QAction::setEnabled);
    wire(undo, &ListCommands::undo);
    bearbeiten->addSeparator();
    run(addItem(bearbeiten, "Alleslschen1", QStringLiteral("&Alles löschen"), keys("Ctrl+D")), [this] { Alleslschen1Click(); });
    run(addItem(bearbeiten, "Allesmarkieren1", QStringLiteral("Alles markieren"), keys("Ctrl+A")),
        [this] { Allesmarkieren1Click(); });
    run(addItem(bearbeiten, "letzteZeilelschen1", QStringLiteral("letzte Zeile löschen"), keys("Ctrl+L")),
        [this] { m_list->memo().deleteLastLine(); });
    bearbeiten->addSeparator();
    wire(addItem(bearbeiten, "Aktualisieren1", QStringLiteral("Aktualisieren"), keys("F5")), &ListCommands::refresh);
    wire(addItem(bearbeiten, "Suchen1", QStringLiteral("Suchen..."), keys("Ctrl+F")), &ListCommands::find);
    run(addItem(bearbeiten, "Berichtabgleichen1", QStringLiteral("Bericht abgleichen"), keys("Ctrl+Shift+V")),
        [this] { m_list->mergeReport(m_platform.clipboard->text()); });
    m_clipboardWatchItem = addItem(bearbeiten, "Zwischenablageueberwachen1", QStringLiteral("Zwischenablage überwachen"));
    m_clipboardWatchItem->setCheckable(true);
    new ClipboardWatch(m_clipboardWatchItem, *m_list, *m_platform.clipboard, this);
    run(addItem(bearbeiten, "AlsBBCodekopieren1", QStringLiteral("Als BBCode kopieren")), [exporter] { exporter().copyBBCode(); });
    m_colours = addItem(bearbeiten, "Zeileneinfaerben1", QStringLiteral("Zeilen einfärben"));
    m_colours->setCheckable(true);
    m_colours->setChecked(true);
    LineColours::attach(m_listEdit, m_colours);

    QMenu *sortieren = addMenu(bar, "Sortieren1", QStringLiteral("&Sortieren"));
    // Ctrl+I belongs to the security-feeling order, whose entry shows it.
    wire(addItem(sortieren, "Strasse1", QStringLiteral("Sicherheitsgefühl (aufsteigend)"), keys("Ctrl+I")),
         &ListCommands::orderBySecurityFeeling);
    wire(addItem(sortieren, "Strasse2", QStringLiteral("Strasse (aufsteigend)"), keys("Ctrl+T")), &ListCommands::orderByAddress);
    wire(addItem(sortieren, "Strasseabsteigend1", QStringLiteral("Hausnummer (absteigend)"), keys("Ctrl+H")),
         &ListCommands::orderByHouseNumberDescending);
    wire(addItem(sortieren, "Hausnummeraufsteigend1", QStringLiteral("Hausnummer (aufsteigend)")),
         &ListCommands::orderByHouseNumberAscending);
    wire(addItem(sortieren, "Gebude1", QStringLiteral("Gebäudetyp (€ absteigend)"), keys("Ctrl+G")),
         &ListCommands::orderByBuildingType);
    wire(addItem(sortieren, "Versteckaufsteigend1", QStringLiteral("Entfernung zum Versteck"), keys("Ctrl+Alt+V")),
         &ListCommands::orderByDistance);
    wire(addItem(sortieren, "AnzahlvFallenaufsteigend1", QStringLiteral("Anzahl d. Fallen (aufsteigend)")),
         &ListCommands::orderByTrapCount);
    sortieren->addSeparator();
    wire(addItem(sortieren, "Verstecknachunten1", QStringLiteral("Versteck nach unten")), &ListCommands::moveHideoutDown);
    wire(addItem(sortieren, "N1Zeilenachunten1", QStringLiteral("1. Zeile nach unten")), &ListCommands::moveFirstLineDown);
    wire(addItem(sortieren, "Listeumkehren1", QStringLiteral("Liste umkehren")), &ListCommands::reverseList);

    QMenu *filtern = addMenu(bar, "Filtern1", QStringLiteral("&Filtern"));
    FilterPage *filter = m_filterPage;
    run(addItem(filtern, "Gebs10001", QStringLiteral("Gebs >= 900 €"), keys("Ctrl+Alt+I")), [filter] { filter->filterFrom900(); });
    run(addItem(filtern, "Gebs5001", QStringLiteral("Gebs >= 500 €"), keys("Ctrl+Alt+J")),
        [filter] { filter->filterFrom500To900(); });
    filtern->addSeparator();
    run(addItem(filtern, "Marktgebude1", QStringLiteral("Marktgebäude"), keys("Ctrl+Alt+M")), [filter] { filter->filterMarket(); });

    QAction *deleteFirst = addBarItem(bar, "AktuelleZeilelschen1", QStringLiteral("1. &Zeile löschen"));
    wire(deleteFirst, &ListCommands::deleteFirstLine);
    QAction *copyFirst = addBarItem(bar, "N1Hausnummerkopieren1", QStringLiteral("1. &Hausnummer kopieren"));
    wire(copyFirst, &ListCommands::copyFirstHouseNumber);
    run(addBarItem(bar, "Statusfenster1", QStringLiteral("Statusfenster")), [this] { Statusfenster1Click(); });
    CalculatorsPage *calculators = m_calculatorsPage;
    run(addBarItem(bar, "SGRechner1", QStringLiteral("SG-Rechner")), [calculators] { calculators->openSGCalculator(); });
    run(addBarItem(bar, "Info1", QStringLiteral("&Info"), keys("F1")), [this] { Info1Click(); });

    // A global key runs the item of the window that holds the list.
    m_shortcuts = new GlobalShortcuts(*m_list, m_platform, [this, deleteFirst, copyFirst](GlobalShortcuts::Command c) {
        const bool next = c == GlobalShortcuts::Command::NextTarget;
        if (QWidget *holder = m_list->edit()->window(); holder != this)
            return holder->findChild<QAction *>(next ? QStringLiteral("N1Zeilelschen1") : QStringLiteral("Kopieren1"));
        return next ? deleteFirst : copyFirst;
    }, this);

    // The "&Datei" menu opens with Ctrl+Alt+S as well.
    auto *openFileMenu = new QShortcut(keys("Ctrl+Alt+S"), this);
    connect(openFileMenu, &QShortcut::activated, this, [bar, datei] { bar->setActiveAction(datei->menuAction()); });

    // Shortcuts of menu items work while the menus are closed.
    for (QAction *a : bar->actions())
        addAction(a);
    for (QMenu *m : {datei, bearbeiten, sortieren, filtern})
        addActions(m->actions());
}

} // namespace veltrix
