#include "application.h"

#include "SGrechner.h"
#include "geturl.h"
#include "info.h"
#include "mainfrm.h"
#include "statusfenster.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace veltrix {

VeltrixWindows::VeltrixWindows() = default;
VeltrixWindows::VeltrixWindows(VeltrixWindows &&) noexcept = default;

VeltrixWindows::~VeltrixWindows()
{
    // Companions refer to the main window; they go first.
    status.reset();
    info.reset();
    getUrl.reset();
    sgRechner.reset();
    main.reset();
}

VeltrixWindows createWindows(const Platform &platform)
{
    VeltrixWindows w;
    w.main = std::make_unique<TfrmMain>(platform);
    w.sgRechner = std::make_unique<TfrmSGr>(platform, w.main.get());
    w.getUrl = std::make_unique<TfrmgetURL>(*w.main, platform);
    w.info = std::make_unique<TfrmInfo>(w.main.get(), platform);
    w.status = std::make_unique<TfrmStatus>(*w.main, platform);
    TfrmMain::Companions companions;
    companions.sgRechner = w.sgRechner.get();
    companions.getUrl = w.getUrl.get();
    companions.info = w.info.get();
    companions.status = w.status.get();
    w.main->setCompanions(companions);
    return w;
}

void installGermanTranslations(QApplication &app)
{
    const QString path = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto *translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_de"), path))
        QApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace veltrix
