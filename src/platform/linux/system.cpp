#include "platform/system.h"

#include "globalkeys.h"
#include "pulseaudio.h"

#include <QDir>
#include <QProcessEnvironment>

namespace veltrix {

std::unique_ptr<Audio> makeSystemAudio()
{
    return std::make_unique<PulseAudio>();
}

std::unique_ptr<GlobalKeys> makeSystemGlobalKeys(const QProcessEnvironment &environment)
{
    return std::make_unique<DesktopGlobalKeys>(environment.value(QStringLiteral("XDG_SESSION_TYPE")));
}

QString systemSettingsFilePath(const QProcessEnvironment &environment)
{
    QString base = environment.value(QStringLiteral("XDG_CONFIG_HOME"));
    // Relative values are invalid for this variable and are ignored.
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/veltrix.ini");
}

void useParentConsole()
{
    // Standard output is the terminal's already.
}

void letOtherProgramToFront()
{
    // The window manager decides by itself.
}

} // namespace veltrix
