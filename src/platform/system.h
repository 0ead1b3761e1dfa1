#pragma once

// The services that each operating system gives in its own way; one source
// folder per system implements these.

#include "platform.h"

#include <memory>

class QProcessEnvironment;

namespace veltrix {

// The program's sounds through the system's own sound interface.
std::unique_ptr<Audio> makeSystemAudio();

// Keys that reach the program while another has the focus.
std::unique_ptr<GlobalKeys> makeSystemGlobalKeys(const QProcessEnvironment &environment);

// Where the settings file lies unless VELTRIX_INI names another.
QString systemSettingsFilePath(const QProcessEnvironment &environment);

// Lets a program without a console of its own print to the one it was
// started from, if any (a Windows program is started without one).
void useParentConsole();

// Lets another program that this one hands work to come to the front (a
// Windows program may take the front only when the one in front allows it).
void letOtherProgramToFront();

} // namespace veltrix
