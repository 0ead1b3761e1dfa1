#include "mainfrm.h"

namespace veltrix {

void TfrmMain::setupSortCommands()
{
}

} // namespace veltrix
