#include "platform/qtplatform.h"
#include "ui/application.h"
#include "ui/mainfrm.h"
#include "ui/pagelayout.h"
#include "ui/programname.h"
#include "ui/resources.h"

#include <QApplication>
#include <QProcessEnvironment>

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

    veltrix::RealPlatform platform(QProcessEnvironment::systemEnvironment());
    veltrix::VeltrixWindows windows = veltrix::createWindows(platform.platform());
    veltrix::showWindows(windows, *reportFile);
    return QApplication::exec();
}
