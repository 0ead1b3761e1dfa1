#include "platform/files.h"
#include "platform/qtplatform.h"
#include "ui/application.h"
#include "ui/mainfrm.h"
#include "ui/pagelayout.h"
#include "ui/programname.h"
#include "ui/resources.h"
#include "ui/singleinstance.h"

#include <QApplication>
#include <QFileInfo>
#include <QProcessEnvironment>

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    veltrix::answerHelpOrVersion(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(veltrix::kProgramName);
    // Named after the desktop entry, so that the desktop groups the windows
    // under its launcher and icon.
    QApplication::setDesktopFileName(QStringLiteral("org.example.veltrix"));
    QApplication::setWindowIcon(veltrix::programIcon());
    QFont font = QApplication::font();
    font.setPointSize(veltrix::kDesignedPointSize);
    QApplication::setFont(font);
    veltrix::installGermanTranslations(app);
    const std::optional<QString> reportFile = veltrix::reportFileArgument(QApplication::arguments());
    if (!reportFile)
        return EXIT_FAILURE;

    const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // One program per data folder and settings file: a later start hands
    // its file to the running one and ends before any window shows.
    veltrix::SingleInstance instance(veltrix::dataFolderPath(), veltrix::settingsFilePath(environment));
    const QString absoluteFile = reportFile->isEmpty() ? QString() : QFileInfo(*reportFile).absoluteFilePath();
    switch (instance.start(absoluteFile)) {
    case veltrix::SingleInstance::Role::HandedOver:
        return EXIT_SUCCESS;
    case veltrix::SingleInstance::Role::Unanswered:
        std::fprintf(stderr, "%s\n", qPrintable(QStringLiteral("Veltrix läuft bereits, antwortet aber nicht.")));
        return EXIT_FAILURE;
    case veltrix::SingleInstance::Role::Serving:
        break;
    }

    veltrix::RealPlatform platform(environment);
    veltrix::VeltrixWindows windows = veltrix::createWindows(platform.platform());
    QObject::connect(&instance, &veltrix::SingleInstance::requested, windows.main.get(), &veltrix::TfrmMain::handOver);
    veltrix::showWindows(windows, absoluteFile);
    return QApplication::exec();
}
