#pragma once

#include "platform/platform.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QCoreApplication;

namespace veltrix {

class TfrmMain;

// The program's windows, created in their start-up order: main window, SG
// calculator, open-from-URL dialog, About window, status window.
struct VeltrixWindows {
    std::unique_ptr<TfrmMain> main;
    std::unique_ptr<QWidget> sgRechner;
    std::unique_ptr<QWidget> getUrl;
    std::unique_ptr<QWidget> info;
    std::unique_ptr<QWidget> status;

    VeltrixWindows();
    VeltrixWindows(VeltrixWindows &&) noexcept;
    ~VeltrixWindows();
};

VeltrixWindows createWindows(const Platform &platform);

// Shows the main window; a report file named at start then opens as
// "Datei öffnen..." opens it, with the same messages. A relative name is
// taken from the current folder, so that the caption and the settings name
// the file wherever the program is started next.
void showWindows(VeltrixWindows &windows, const QString &reportFile);

// Loads Qt's German translations so standard buttons read Ja/Nein/Abbrechen.
void installGermanTranslations(QCoreApplication &app);

// Answers --help and --version before there is a window system, so both
// work without a display, and ends the program then; otherwise returns.
void answerHelpOrVersion(int argc, char *argv[]);

// The report file named on the command line (empty for none), read once
// the application object has taken Qt's own options out. nullopt, with the
// reason printed, for a command line the program cannot follow.
std::optional<QString> reportFileArgument(const QStringList &arguments);

} // namespace veltrix
