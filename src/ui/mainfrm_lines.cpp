#include "mainfrm.h"

namespace veltrix {

void TfrmMain::setupLineCommands()
{
}

} // namespace veltrix
