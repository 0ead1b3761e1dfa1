#pragma once

#include "core/catalogue.h"

#include <QString>
#include <QWidget>
#include <optional>

class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace veltrix {

class ReportList;

// The "Filter" page: building-type, house-number and SG filters, the
// selection presets, and the hideout with its range.
class FilterPage : public QWidget {
    Q_OBJECT

public:
    explicit FilterPage(ReportList &list, QWidget *parent = nullptr);

    // The "Filtern" menu commands.
    void filterFrom900();
    void filterFrom500To900();
    void filterMarket();

    QString hideoutText() const;
    // Sets the hideout read from the settings and the marker with it.
    void restoreHideout(const QString &text);
    // The entered hideout; none while the red marker asks for one.
    std::optional<qint32> hideout() const;

signals:
    // The "V" button: the list in order of distance to the hideout.
    void distanceOrderRequested();

private:
    void createControls();
    void filterPreset(Preset preset);
    void filterByTypes();
    void filterByHouseNumber();
    void filterBySecurityFeeling(bool atLeast);
    void clearSelection();
    void invertSelection();
    void fillRange();
    void hideoutExit();
    void showHideoutEntered(bool entered);

    ReportList &m_list;
    // The red marker keinversteck shows exactly while this is false.
    bool m_hideoutEntered = false;
    QGroupBox *GroupSicherheitsgefuehl = nullptr;
    QGroupBox *GroupStrassenFilter = nullptr;
    QGroupBox *GroupGebaeudeFilter = nullptr;
    QListWidget *checklistbox1 = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *Button3 = nullptr;
    QPushButton *Button4 = nullptr;
    QPushButton *Button2 = nullptr;
    QPushButton *Button8 = nullptr;
    QPushButton *BitBtn1 = nullptr;
    QLineEdit *Versteck = nullptr;
    QWidget *keinversteck = nullptr;
    QLineEdit *Range = nullptr;
    QPushButton *Button5 = nullptr;
    QPushButton *Button10 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QLineEdit *Edit2 = nullptr;
    QPushButton *BitBtn2 = nullptr;
    QPushButton *BitBtn3 = nullptr;
    QLineEdit *Edit3 = nullptr;
    QPushButton *BitBtn4 = nullptr;
};

} // namespace veltrix
