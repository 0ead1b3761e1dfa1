#include "platform/qtplatform.h"
#include "ui/application.h"
#include "ui/mainfrm.h"
#include "ui/programname.h"

#include <QApplication>
#include <QProcessEnvironment>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(veltrix::kProgramName);
    QApplication::setDesktopFileName(QStringLiteral("veltrix"));
    QFont font = QApplication::font();
    font.setPointSize(8);
    QApplication::setFont(font);
    veltrix::installGermanTranslations(app);

    veltrix::RealPlatform platform(QProcessEnvironment::systemEnvironment());
    veltrix::VeltrixWindows windows = veltrix::createWindows(platform.platform());
    windows.main->show();
    return QApplication::exec();
}
