#pragma once

#include "platform/platform.h"

#include <memory>

class QApplication;

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

// Loads Qt's German translations so standard buttons read Ja/Nein/Abbrechen.
void installGermanTranslations(QApplication &app);

} // namespace veltrix
