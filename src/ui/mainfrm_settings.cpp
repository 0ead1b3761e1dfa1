#include "mainfrm.h"

namespace veltrix {

void TfrmMain::LoadSettings()
{
}

void TfrmMain::SaveSettings()
{
}

bool TfrmMain::closeQuery()
{
    return true;
}

} // namespace veltrix
