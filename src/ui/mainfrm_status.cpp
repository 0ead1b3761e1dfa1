#include "mainfrm.h"

namespace veltrix {

void TfrmMain::setupStatusCommands()
{
}

} // namespace veltrix
