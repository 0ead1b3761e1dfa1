#pragma once

#include "backgroundget.h"
#include "memolines.h"
#include "reportlist.h"
#include "platform/platform.h"
#include "windowutil.h"

#include <QMainWindow>
#include <QStringList>
#include <array>
#include <functional>

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSlider;
class QSpinBox;
class QStatusBar;
class QTabWidget;
class QTimer;

namespace veltrix {

class AccessoriesPage;
class CalculatorsPage;
class StatsPage;

class TfrmSGr;
class TfrmgetURL;
class TfrmInfo;
class TfrmStatus;
class ListCommands;
class FilterPage;
class InfoPage;
class BuildingsPage;

inline const QString kVersionText = QStringLiteral("Version 1.61");
inline const QString kProgramTitle = QStringLiteral("Veltrix Professional by Morwen");

// The main window: the report list in Memo1, the tool pages of the sidebar,
// and the shared services every list operation runs through.
class TfrmMain : public QMainWindow {
    Q_OBJECT

public:
    explicit TfrmMain(const Platform &platform, QWidget *parent = nullptr);
    ~TfrmMain() override;

    // The windows created after this one (start-up order).
    // Held as widgets; each feature unit casts to the window class it owns.
    struct Companions {
        QWidget *sgRechner = nullptr; // TfrmSGr
        QWidget *getUrl = nullptr;    // TfrmgetURL
        QWidget *info = nullptr;      // TfrmInfo
        QWidget *status = nullptr;    // TfrmStatus
    };
    void setCompanions(const Companions &companions) { m_companions = companions; }
    const Companions &companions() const { return m_companions; }

    const Platform &platform() const { return m_platform; }
    MemoLines &memo() { return m_memo; }
    ReportList &list() { return *m_list; }

    // ---- shared services ----
    void ShowAction(const QString &code);
    void StepProgress(int mode);
    void CleanList();
    void UpdateCaption();
    void CreateSafepoint();
    void UpdateProtectionMoney();
    void ShowBuildingInfo();

    // The frame of a list operation: save point, cleaning, action text, the
    // work on a copy of the lines, one write-back, then either "ready." or
    // the protection-money statistics.
    enum class Finish { Ready, ProtectionMoney };
    void runListOperation(const std::function<QStringList(QStringList)> &work, Finish finish);

    // Runs a command inside the top-level guard.
    void command(const std::function<void()> &fn);
    // Connects an action's trigger to a guarded command.
    void connectCommand(QAction *action, std::function<void()> fn);
    void connectCommand(QPushButton *button, std::function<void()> fn);

    // ---- state ----
    bool modified() const { return m_list->isModified(); }
    void setModified(bool modified);
    QString currentFileName() const { return m_fileName; }
    void setCurrentFileName(const QString &name) { m_fileName = name; }
    bool closeRequest() const { return m_closeRequest; }
    void setCloseRequest()
    {
        m_closeRequest = true;
        m_closeAtPaint = true;
    }
    bool sidebarCollapsed() const { return m_sidebarCollapsed; }
    const QStringList &undoCopy() const { return m_list->undoCopy(); }
    int progressPosition() const { return m_list->progressPosition(); }

    // ---- controls ----
    QPlainTextEdit *Memo1 = nullptr;
    QStatusBar *StatusBar1 = nullptr;
    std::array<QLabel *, 4> panels{};
    QProgressBar *ProgressBar1 = nullptr;
    QFrame *sidebar = nullptr;
    QTabWidget *PageControl1 = nullptr;
    StatsPage *TabStats = nullptr;
    AccessoriesPage *TabZubehoer = nullptr;
    CalculatorsPage *TabRechner = nullptr;
    QTimer *ToFront = nullptr;

    // Main menu
    QMenu *Datei1 = nullptr;
    QMenu *Bearbeiten1 = nullptr;
    QMenu *Sortieren1 = nullptr;
    QMenu *Filtern1 = nullptr;
    QAction *Neu1 = nullptr;
    QAction *Dateiffnen1 = nullptr;
    QAction *lastOpened = nullptr;
    QAction *Dateispeichern1 = nullptr;
    QAction *Speichernunter1 = nullptr;
    QAction *Berichtanfgen1 = nullptr;
    QAction *URLffnen1 = nullptr;
    QAction *AlwaysOnTop1 = nullptr;
    QAction *Versionscheck1 = nullptr;
    QAction *FirefoxDownloaden1 = nullptr;
    QAction *Beenden1 = nullptr;
    QAction *Rckgngig1 = nullptr;
    QAction *Alleslschen1 = nullptr;
    QAction *Allesmarkieren1 = nullptr;
    QAction *letzteZeilelschen1 = nullptr;
    QAction *Aktualisieren1 = nullptr;
    QAction *Suchen1 = nullptr;
    QAction *Strasse1 = nullptr;
    QAction *Strasse2 = nullptr;
    QAction *Strasseabsteigend1 = nullptr;
    QAction *Hausnummeraufsteigend1 = nullptr;
    QAction *Gebude1 = nullptr;
    QAction *Versteckaufsteigend1 = nullptr;
    QAction *AnzahlvFallenaufsteigend1 = nullptr;
    QAction *Verstecknachunten1 = nullptr;
    QAction *N1Zeilenachunten1 = nullptr;
    QAction *Listeumkehren1 = nullptr;
    QAction *Gebs10001 = nullptr;
    QAction *Gebs5001 = nullptr;
    QAction *Marktgebude1 = nullptr;
    QAction *AktuelleZeilelschen1 = nullptr;
    QAction *N1Hausnummerkopieren1 = nullptr;
    QAction *Statusfenster1 = nullptr;
    QAction *SGRechner1 = nullptr;
    QAction *Info1 = nullptr;

    // ---- foundation commands ----
    void AlwaysOnTop1Click();
    void Beenden1Click();
    void Alleslschen1Click();
    void Allesmarkieren1Click();
    void letzteZeilelschen1Click();
    void Info1Click();
    void FormResize();
    void slideSidebar();


    // ---- report files (mainfrm_files.cpp) ----
    void setupFileCommands();
    void Neu1Click();
    void Dateiffnen1Click();
    void lastOpenedClick();
    void Dateispeichern1Click();
    void Speichernunter1Click();
    void Berichtanfgen1Click();
    // The file name SaveDialog1 holds (offered the next time it opens).
    QString saveDialogFileName() const { return m_saveDialogName; }
    QString lastOpenedFileName() const { return m_lastOpenedName; }

    // ---- settings and close query (mainfrm_settings.cpp) ----
    void LoadSettings();
    void SaveSettings();
    bool closeQuery();

    // ---- status window (statusfenster.cpp) ----
    void setupStatusCommands();  // mainfrm_status.cpp
    void Statusfenster1Click();
    TfrmStatus *statusWindow() const;

    // ---- network (mainfrm_net.cpp) ----
    void setupNetCommands();
    // Asks the update server on a worker thread; the question comes when the
    // answer does. Asking again while a check runs starts no second one but
    // lets the running one report that there is no newer version.
    void CheckForUpdate(bool reportNoNewer = false);
    bool versionCheckRunning() const { return m_versionCheck.running(); }
    void Versionscheck1Click();
    void URLffnen1Click();
    void FirefoxDownloaden1Click();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void createMenus();
    void setupListCommands();
    void FormShow();
    void flushProgress();

    Platform m_platform;
    MemoLines m_memo;
    ReportList *m_list = nullptr;
    ListCommands *m_commands = nullptr;
    Companions m_companions;
    FilterPage *m_filterPage = nullptr;
    InfoPage *m_infoPage = nullptr;
    BuildingsPage *m_buildingsPage = nullptr;

    QString m_fileName;
    QString m_lastOpenedName;
    bool m_closeRequest = false;
    bool m_closeCancelled = false;
    bool m_sidebarCollapsed = false;

    // ---- feature state (each section owned by its feature file) ----


    // report files, settings and close query
    void openedFollowUp();
    // Says once that the settings file could not be read and keeps it unwritten.
    void settingsUnreadable(const QString &path);
    bool m_settingsShown = false;
    bool m_settingsUnreadable = false;
    // Runs SaveDialog1 when needed and writes the list; false when the
    // dialog was cancelled.
    bool saveReport(bool withDialog);
    // Asks before a save replaces an existing file; true when it may.
    bool mayOverwrite(const QString &fileName);
    void writeReport(const QString &fileName);
    QString m_saveDialogName;
    // "Zwischenablage überwachen", kept in the settings file.
    QAction *m_clipboardWatchItem = nullptr;

    // version check
    void versionCheckDone(const HttpResult &answer);
    // True when the answer offers no newer version; otherwise asks.
    bool offerNewVersion(const HttpResult &answer);
    bool m_versionCheckStarted = false;
    bool m_reportNoNewer = false;
    // Set with the close request: the window closes again at each paint
    // until the player refuses a close.
    bool m_closeAtPaint = false;
    BackgroundGet m_versionCheck; // last: its worker ends before anything else goes
};

} // namespace veltrix
