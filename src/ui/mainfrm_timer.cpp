#include "mainfrm.h"

namespace veltrix {

void TfrmMain::setupTimerPage()
{
}

void TfrmMain::showVolume()
{
}

} // namespace veltrix
