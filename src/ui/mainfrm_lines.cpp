#include "mainfrm.h"

#include <QPlainTextEdit>

namespace veltrix {

void TfrmMain::setupLineCommands()
{
}

void TfrmMain::N1Hausnummerkopieren1Click()
{
    ShowBuildingInfo();
    Memo1->setFocus();
}

} // namespace veltrix
