#include "application.h"

#include "SGrechner.h"
#include "geturl.h"
#include "info.h"
#include "mainfrm.h"
#include "stayontop.h"
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
    w.sgRechner = std::make_unique<TfrmSGr>(platform, [main = w.main.get()](bool visible) {
        main->stayOnTop().setMainVisible(visible);
    });
    w.getUrl = std::make_unique<TfrmgetURL>(w.main->list(), w.main.get(), platform);
    w.info = std::make_unique<TfrmInfo>(w.main.get(), platform);
    auto status = std::make_unique<TfrmStatus>(w.main->list(), w.main->stayOnTop(), platform);
    w.main->setCompanions({w.sgRechner.get(), w.getUrl.get(), w.info.get(), status.get()});
    w.status = std::move(status);
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
