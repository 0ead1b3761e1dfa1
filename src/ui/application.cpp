#include "application.h"

#include "SGrechner.h"
#include "geturl.h"
#include "info.h"
#include "mainfrm.h"
#include "programname.h"
#include "stayontop.h"
#include "statusfenster.h"

#include "platform/system.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>

namespace veltrix {

namespace {

const QString kFileArgument = QStringLiteral("DATEI");

// The options' own descriptions come from Qt's German translations, which
// must be loaded before this runs.
void describeCommandLine(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QStringLiteral("Spionageberichte sortieren, filtern und abarbeiten."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(kFileArgument, QStringLiteral("Der Bericht, der beim Start geöffnet wird."),
                                 QStringLiteral("[DATEI]"));
}

void printError(const QStringList &arguments, const QString &text)
{
    const QString program = QFileInfo(arguments.value(0, QStringLiteral("veltrix"))).fileName();
    useParentConsole();
    std::fprintf(stderr, "%s: %s\n", qPrintable(program), qPrintable(text));
}

} // namespace

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

void showWindows(VeltrixWindows &windows, const QString &reportFile)
{
    // The first showing reads the settings; the file named at start comes
    // after them, as if the player had chosen it at once.
    windows.main->show();
    if (!reportFile.isEmpty())
        windows.main->openReportFile(QFileInfo(reportFile).absoluteFilePath());
}

void installGermanTranslations(QCoreApplication &app)
{
    // Qt's own folder, else the one beside the program, where a Windows
    // program brings its translations along.
    const QString path = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto *translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_de"), path)
        || translator->load(QStringLiteral("qtbase_de"), QCoreApplication::applicationDirPath() + QStringLiteral("/translations")))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

void answerHelpOrVersion(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser probe;
    describeCommandLine(probe);
    // Qt's own options (-platform, -style) are unknown here; they do not
    // keep --help or --version from being seen.
    probe.parse(arguments);
    const bool version = probe.isSet(QStringLiteral("version"));
    if (!version && !probe.isSet(QStringLiteral("help")))
        return;
    useParentConsole();
    if (version) {
        std::printf("%s %s\n", qPrintable(kProgramName), qPrintable(kVersionText));
        std::exit(EXIT_SUCCESS);
    }
    QCoreApplication app(argc, argv);
    installGermanTranslations(app);
    QCommandLineParser parser;
    describeCommandLine(parser);
    parser.parse(arguments);
    // Printed by the program itself: Qt's own help goes to a message box, or
    // nowhere, when a Windows program has no console of its own.
    std::fputs(qPrintable(parser.helpText()), stdout);
    std::fflush(stdout);
    std::exit(EXIT_SUCCESS);
}

std::optional<QString> reportFileArgument(const QStringList &arguments)
{
    QCommandLineParser parser;
    describeCommandLine(parser);
    if (!parser.parse(arguments)) {
        printError(arguments, parser.errorText());
        return std::nullopt;
    }
    // Qt's options are listed only where a window system is there to take them.
    if (parser.isSet(QStringLiteral("help-all")))
        parser.process(arguments);
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        printError(arguments, QStringLiteral("Es kann nur eine Datei geöffnet werden."));
        return std::nullopt;
    }
    return files.value(0);
}

} // namespace veltrix
