#pragma once

#include "platform/platform.h"

#include <QObject>
#include <QString>
#include <functional>

class QWidget;

namespace veltrix {

class FindBox;
class ReportList;

// The commands that reorder or walk down the report list: the seven orders
// of "Sortieren", the first-line commands, the find box and the undo. Each
// is one public method; the windows wire their menus and buttons to them.
class ListCommands : public QObject {
    Q_OBJECT

public:
    // hideout gives the hideout field's text for the distance order; the
    // find box is a child of findParent.
    ListCommands(ReportList &list, const Platform &platform, std::function<QString()> hideout, QWidget *findParent);

    // "Sortieren"
    void orderBySecurityFeeling();
    void orderByAddress();
    void orderByHouseNumberDescending();
    void orderByHouseNumberAscending();
    void orderByBuildingType();
    void orderByDistance();
    void orderByTrapCount();

    // First line and list
    void deleteFirstLine();
    void copyFirstHouseNumber();
    void moveFirstLineDown();
    void moveHideoutDown();
    void reverseList();
    void refresh();
    void find();
    void findNext();
    void undo();

private:
    ReportList &m_list;
    Platform m_platform;
    std::function<QString()> m_hideout;
    FindBox *m_findBox = nullptr;
};

} // namespace veltrix
