// The seven orders of the "&Sortieren" menu.
#include "mainfrm.h"

#include "filterpage.h"

#include "core/orders.h"
#include "core/reportline.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>

namespace veltrix {

void TfrmMain::setupSortCommands()
{
    connectCommand(Strasse1, [this] { Strasse1Click(); });
    connectCommand(Strasse2, [this] { Strasse2Click(); });
    connectCommand(Strasseabsteigend1, [this] { Strasseabsteigend1Click(); });
    connectCommand(Hausnummeraufsteigend1, [this] { Hausnummeraufsteigend1Click(); });
    connectCommand(Gebude1, [this] { Gebude1Click(); });
    connectCommand(Versteckaufsteigend1, [this] { Versteckaufsteigend1Click(); });
    connectCommand(AnzahlvFallenaufsteigend1, [this] { AnzahlvFallenaufsteigend1Click(); });
}

void TfrmMain::Strasse1Click()
{
    runListOperation(
        [this](const QStringList &lines) {
            if (!lines.isEmpty() && getSG(lines.first()) == -1) {
                // The box lets the list repaint: it shows the cleaned list.
                m_memo.setLines(lines);
                platform().messageBoxes->show({QStringLiteral("Hinweis"),
                                               QStringLiteral("kein Sicherheitsgefühl zum Auswerten vorhanden."),
                                               MsgButtons::Ok, MsgIcon::None});
                return lines;
            }
            return orderBySecurityFeeling(lines, [this] { StepProgress(1); });
        },
        Finish::Ready);
}

void TfrmMain::Strasse2Click()
{
    runListOperation([this](const QStringList &lines) { return orderByAddress(lines, [this] { StepProgress(1); }); },
                     Finish::Ready);
}

void TfrmMain::Strasseabsteigend1Click()
{
    runListOperation(
        [this](const QStringList &lines) { return orderByHouseNumberDescending(lines, [this] { StepProgress(1); }); },
        Finish::Ready);
}

void TfrmMain::Hausnummeraufsteigend1Click()
{
    runListOperation(
        [this](const QStringList &lines) { return orderByHouseNumberAscending(lines, [this] { StepProgress(1); }); },
        Finish::Ready);
}

void TfrmMain::Gebude1Click()
{
    runListOperation(
        [this](const QStringList &lines) { return orderByBuildingType(lines, [this] { StepProgress(1); }); },
        Finish::Ready);
}

void TfrmMain::Versteckaufsteigend1Click()
{
    runListOperation(
        [this](const QStringList &lines) {
            return orderByDistance(lines, m_filterPage->hideoutText(), [this] { StepProgress(1); });
        },
        Finish::Ready);
}

void TfrmMain::AnzahlvFallenaufsteigend1Click()
{
    runListOperation(
        [this](const QStringList &lines) { return orderByTrapCount(lines, [this] { StepProgress(1); }); },
        Finish::Ready);
}

} // namespace veltrix
