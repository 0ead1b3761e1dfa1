#include "mainfrm.h"

namespace veltrix {

void TfrmMain::setupSnapshots()
{
}

} // namespace veltrix
