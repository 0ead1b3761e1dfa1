#pragma once

#include <QWidget>
#include <functional>
#include <optional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace veltrix {

class ReportList;

// The "Info" page: the evaluation of the list's first building with the
// walking time from the hideout, and the SG recalculation of the list.
class InfoPage : public QWidget {
    Q_OBJECT

public:
    // hideout gives the entered hideout, none while there is none.
    InfoPage(ReportList &list, std::function<std::optional<qint32>()> hideout, QWidget *parent = nullptr);

signals:
    // "-5 %" ends by copying the first house number.
    void firstHouseNumberCopyRequested();

private:
    void createBuildingGroup();
    void createShiftGroup();
    void showBuilding(const QString &line);
    void shiftAllLines(qint64 shift, bool trapFloor);
    void shiftUp();
    void shiftDown();
    void lowerFirstBuilding();

    ReportList &m_list;
    std::function<std::optional<qint32>()> m_hideout;

    QGroupBox *GroupGebaeudeeigenschaften = nullptr;
    QLabel *InfoGeb = nullptr;
    QLabel *InfoSG = nullptr;
    QLabel *InfoRandale = nullptr;
    QLabel *HintRandale = nullptr;
    QLabel *marker = nullptr;
    QLabel *InfoUeberfall = nullptr;
    QLabel *Fussweg = nullptr;

    QGroupBox *GroupSGNeu = nullptr;
    QLineEdit *SGdown = nullptr;
    QPushButton *BitBtn5 = nullptr;
    QPushButton *BitBtn6 = nullptr;
    QPushButton *Button11 = nullptr;
};

} // namespace veltrix
