#include "mainfrm.h"

namespace veltrix {

void TfrmMain::setupNetCommands()
{
}

bool TfrmMain::CheckForUpdate()
{
    return true;
}

} // namespace veltrix
