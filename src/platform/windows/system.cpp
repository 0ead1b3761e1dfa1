#include "platform/system.h"

#include "hotkeys.h"
#include "winmmaudio.h"

#include <QDir>
#include <QProcessEnvironment>

#include <cstdio>
#include <windows.h>

namespace veltrix {

std::unique_ptr<Audio> makeSystemAudio()
{
    return std::make_unique<WinmmAudio>();
}

std::unique_ptr<GlobalKeys> makeSystemGlobalKeys(const QProcessEnvironment &)
{
    return std::make_unique<WindowsHotKeys>();
}

QString systemSettingsFilePath(const QProcessEnvironment &environment)
{
    QString base = environment.value(QStringLiteral("APPDATA"));
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/AppData/Roaming");
    return QDir::fromNativeSeparators(base) + QStringLiteral("/veltrix.ini");
}

void useParentConsole()
{
    // Redirected output (a pipe, a file) works as it is.
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    const bool redirected = out != nullptr && out != INVALID_HANDLE_VALUE;
    if (!redirected && AttachConsole(ATTACH_PARENT_PROCESS)) {
        std::freopen("CONOUT$", "w", stdout);
        std::freopen("CONOUT$", "w", stderr);
    }
    // Qt's command line answers go where ours go, not into a message box.
    if (redirected || GetConsoleWindow())
        qputenv("QT_COMMAND_LINE_PARSER_NO_GUI_MESSAGE_BOXES", "1");
}

void letOtherProgramToFront()
{
    AllowSetForegroundWindow(ASFW_ANY);
}

} // namespace veltrix
