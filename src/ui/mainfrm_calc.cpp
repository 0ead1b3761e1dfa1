#include "mainfrm.h"

namespace veltrix {

void TfrmMain::setupCalculators()
{
}

} // namespace veltrix
