#pragma once

#include <QWidget>
#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace veltrix {

class ReportList;

// The page "Rechner": the protection-money SG calculator and the tax
// calculator.
class CalculatorsPage : public QWidget {
    Q_OBJECT

public:
    // sgCalculator names the SG calculator window (may be none).
    CalculatorsPage(ReportList &list, std::function<QWidget *()> sgCalculator, QWidget *parent = nullptr);

    // Shows the SG calculator window ("open extern", "SG-Rechner").
    void openSGCalculator();

private:
    QGroupBox *createTax();
    QGroupBox *createProtectionMoney();
    void computeSG();
    void checkSGAmount();
    void computeTaxes();

    ReportList &m_list;
    std::function<QWidget *()> m_sgCalculator;
    QComboBox *m_building = nullptr;
    QLineEdit *m_sgAmount = nullptr;
    QLabel *m_sg = nullptr;
    QLineEdit *m_taxAmount = nullptr;
    QComboBox *m_currentRate = nullptr;
    QComboBox *m_reducedRate = nullptr;
    QLabel *m_net = nullptr;
    QLabel *m_tax = nullptr;
    QLabel *m_reduced = nullptr;
    QLabel *m_difference = nullptr;
};

} // namespace veltrix
