#pragma once

#include "backgroundget.h"
#include "platform/platform.h"
#include "reportlist.h"

#include <QMainWindow>
#include <QString>
#include <array>
#include <functional>

class QAction;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QStatusBar;
class QTabWidget;
class QTimer;

namespace veltrix {

class AccessoriesPage;
class CalculatorsPage;
class FilterPage;
class GlobalShortcuts;
class ListCommands;
class StatsPage;
class StayOnTop;
class TfrmStatus;

// The main window: the report list in Memo1 with the menus, the status bar
// and the sidebar of tool pages around it; report files, the settings file,
// the version check and the question before closing. Everything else is
// found from outside by objectName, as a player or a screen reader finds it.
class TfrmMain : public QMainWindow {
    Q_OBJECT

public:
    explicit TfrmMain(const Platform &platform, QWidget *parent = nullptr);
    ~TfrmMain() override;

    // The windows created after this one (start-up order).
    struct Companions {
        QWidget *sgRechner = nullptr;
        QWidget *getUrl = nullptr;
        QWidget *info = nullptr;
        TfrmStatus *status = nullptr;
    };
    void setCompanions(const Companions &companions) { m_companions = companions; }

    ReportList &list() { return *m_list; }
    // The status window takes part in the stay-on-top hand-over through it.
    StayOnTop &stayOnTop() { return *m_stayOnTop; }
    const Platform &platform() const { return m_platform; }
    QString currentFileName() const { return m_fileName; }
    // Set once the player has accepted a new version: the window closes
    // and writes no settings.
    bool closeRequest() const { return m_closeRequest; }
    bool versionCheckRunning() const { return m_versionCheck.running(); }
    // Opens a report file as "Datei öffnen..." does once its dialog has
    // named the file, with the same messages; for a file named at start.
    void openReportFile(const QString &fileName);
    // A later start's request: the program comes to the front, and a file
    // named (absolute) opens as "Datei öffnen..." opens it, into the list
    // wherever it is shown, once unsaved changes are saved or given up.
    // Requests wait while a command or a question is open.
    void handOver(const QString &fileName);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void createPages();
    void createStatusBar();
    // mainfrm_menus.cpp: every menu item, its shortcut and its command.
    void createMenus();
    void command(const std::function<void()> &fn);

    void FormShow();
    void UpdateCaption();
    void Alleslschen1Click();
    void Allesmarkieren1Click();
    void Info1Click();
    void Statusfenster1Click();

    // mainfrm_sidebar.cpp
    void slideSidebar();
    void FormResize();

    // mainfrm_files.cpp
    void Neu1Click();
    void Dateiffnen1Click();
    void openNamedFile(const QString &fileName);
    void lastOpenedClick();
    void Dateispeichern1Click();
    void Speichernunter1Click();
    void Berichtanfgen1Click();
    void openedFollowUp();
    void takeHandedOver();
    // Asks about a modified list and saves it on "Ja"; false when it is to
    // stay (Abbrechen, a cancelled save dialog). A failed save throws.
    bool saveChangesFirst();
    // Runs SaveDialog1 when needed and writes the list; false when the
    // dialog was cancelled.
    bool saveReport(bool withDialog);
    // Asks before a save replaces an existing file; true when it may.
    bool mayOverwrite(const QString &fileName);
    // "Zwischenablage überwachen", kept in the settings file.
    QAction *m_clipboardWatchItem = nullptr;

    // mainfrm_settings.cpp
    void LoadSettings();
    void SaveSettings();
    // Says once that the settings file could not be read and keeps it unwritten.
    void settingsUnreadable(const QString &path);
    bool closeQuery();

    // mainfrm_net.cpp
    // Asks the update server on a worker thread; the question comes when the
    // answer does. Asking again while a check runs starts no second one but
    // lets the running one report that there is no newer version.
    void CheckForUpdate(bool reportNoNewer = false);
    void versionCheckDone(const HttpResult &answer);
    // True when the answer offers no newer version; otherwise asks.
    bool offerNewVersion(const HttpResult &answer);
    void URLffnen1Click();
    void FirefoxDownloaden1Click();

    TfrmStatus *statusWindow() const { return m_companions.status; }

    static constexpr int kSidebarWidth = 293;
    static constexpr int kStatusHeight = 20;

    Platform m_platform;
    ReportList *m_list = nullptr;
    ListCommands *m_commands = nullptr;
    StayOnTop *m_stayOnTop = nullptr;
    Companions m_companions;

    QPlainTextEdit *m_listEdit = nullptr;
    QStatusBar *m_statusBar = nullptr;
    std::array<QLabel *, 4> m_panels{};
    QProgressBar *m_progress = nullptr;
    QFrame *m_sidebar = nullptr;
    QTabWidget *m_pages = nullptr;
    FilterPage *m_filterPage = nullptr;
    StatsPage *m_statsPage = nullptr;
    AccessoriesPage *m_accessoriesPage = nullptr;
    CalculatorsPage *m_calculatorsPage = nullptr;
    QTimer *m_toFront = nullptr;
    QAction *m_lastOpened = nullptr;
    // "Zeilen einfärben", kept in the settings; the status window follows it.
    QAction *m_colours = nullptr;
    GlobalShortcuts *m_shortcuts = nullptr;

    QStringList m_handedOver;
    QTimer *m_handOverWait = nullptr;

    QString m_fileName;
    QString m_lastOpenedName;
    QString m_saveDialogName; // offered the next time SaveDialog1 opens
    bool m_closeRequest = false;
    bool m_sidebarCollapsed = false;
    bool m_settingsShown = false;
    bool m_settingsUnreadable = false;
    bool m_versionCheckStarted = false;
    bool m_reportNoNewer = false;
    BackgroundGet m_versionCheck; // last: its worker ends before anything else goes
};

} // namespace veltrix
