#include "mainfrm.h"

namespace veltrix {

void TfrmMain::setupFilterPage()
{
}

} // namespace veltrix
