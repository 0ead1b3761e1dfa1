#include "mainfrm.h"

namespace veltrix {

void TfrmMain::setupSGShift()
{
}

} // namespace veltrix
