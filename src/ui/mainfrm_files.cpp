#include "mainfrm.h"

namespace veltrix {

void TfrmMain::setupFileCommands()
{
}

} // namespace veltrix
