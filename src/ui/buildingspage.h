#pragma once

#include <QWidget>

class QPlainTextEdit;

namespace veltrix {

class ReportList;

// The "Gebäude" page: how many buildings of each type the list holds.
class BuildingsPage : public QWidget {
    Q_OBJECT

public:
    explicit BuildingsPage(ReportList &list, QWidget *parent = nullptr);

private:
    QPlainTextEdit *AnzGebs = nullptr;
};

} // namespace veltrix
