#include "mainfrm.h"

namespace veltrix {

void TfrmMain::setupInfoPage()
{
}

void TfrmMain::ShowBuildingInfo()
{
    CleanList();
}

} // namespace veltrix
