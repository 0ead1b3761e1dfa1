#include "calculatorspage.h"

#include "pagelayout.h"
#include "reportlist.h"
#include "windowutil.h"

#include "core/calculators.h"
#include "core/catalogue.h"
#include "core/intconv.h"
#include "core/statistics.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace veltrix {

namespace {

const QString kDefaultAmount = QStringLiteral("1300");
const QString kDefaultTaxAmount = QStringLiteral("0");
const QString kDefaultCurrentRate = QStringLiteral("69");
const QString kDefaultReducedRate = QStringLiteral("10");

const QStringList &taxRates()
{
    static const QStringList rates{QStringLiteral("1"),  QStringLiteral("10"), QStringLiteral("20"),
                                   QStringLiteral("30"), QStringLiteral("33"), QStringLiteral("39"),
                                   QStringLiteral("45"), QStringLiteral("50"), QStringLiteral("65"),
                                   QStringLiteral("66"), QStringLiteral("75"), QStringLiteral("85")};
    return rates;
}

QComboBox *makeCombo(QWidget *parent, const char *name, const QStringList &items, const QString &text)
{
    auto *combo = named(new QComboBox(parent), name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(items);
    combo->setCurrentIndex(-1);
    combo->setEditText(text);
    return combo;
}

constexpr Qt::Alignment kValueAlignment = Qt::AlignRight | Qt::AlignVCenter;

} // namespace

CalculatorsPage::CalculatorsPage(ReportList &list, std::function<QWidget *()> sgCalculator, QWidget *parent)
    : QWidget(parent), m_list(list), m_sgCalculator(std::move(sgCalculator))
{
    setObjectName(QStringLiteral("TabRechner"));
    QVBoxLayout *page = makePageLayout(this);
    page->addWidget(createTax());
    page->addWidget(createProtectionMoney());
}

QGroupBox *CalculatorsPage::createTax()
{
    QGroupBox *group = makeGroup(this, "GroupSteuerrechner", QStringLiteral("Steuerrechner"));
    auto *tax = new QFormLayout(group);
    setScaledMargins(tax, 8, 6, 8, 8);
    keepScaled(group, [tax] { tax->setVerticalSpacing(scaled(3)); });
    tax->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    m_taxAmount = named(new QLineEdit(kDefaultTaxAmount, group), "Steuerbetrag");
    m_currentRate = makeCombo(group, "aST", taxRates(), kDefaultCurrentRate);
    m_reducedRate = makeCombo(group, "vST", taxRates(), kDefaultReducedRate);
    QPushButton *compute = makeButton(group, "BtnBerechnen", QStringLiteral("Berechnen"));
    m_net = makeValueLabel(group, "netto", kValueAlignment);
    m_tax = makeValueLabel(group, "Steuer", kValueAlignment);
    m_reduced = makeValueLabel(group, "verguenstigt", kValueAlignment);
    m_difference = makeValueLabel(group, "Differenz", kValueAlignment);
    // The form binds each label to its field.
    tax->addRow(QStringLiteral("Betrag:"), m_taxAmount);
    tax->addRow(QStringLiteral("aktueller Steuersatz:"), m_currentRate);
    tax->addRow(QStringLiteral("vergünstigter Steuersatz:"), m_reducedRate);
    tax->addRow(compute);
    tax->addRow(QStringLiteral("netto:"), m_net);
    tax->addRow(QStringLiteral("enthaltene Steuer:"), m_tax);
    tax->addRow(QStringLiteral("vergünstigt:"), m_reduced);
    tax->addRow(QStringLiteral("Differenz:"), m_difference);

    checkIntegerOnExit(m_list, m_taxAmount, kDefaultTaxAmount);
    checkIntegerOnExit(m_list, m_currentRate, kDefaultCurrentRate);
    checkIntegerOnExit(m_list, m_reducedRate, kDefaultReducedRate);
    m_list.connectCommand(compute, [this] { computeTaxes(); });
    return group;
}

QGroupBox *CalculatorsPage::createProtectionMoney()
{
    QGroupBox *group = makeGroup(this, "GroupSchutzgeldrechner", QStringLiteral("Schutzgeldrechner"));
    auto *sg = new QFormLayout(group);
    setScaledMargins(sg, 8, 6, 8, 8);
    keepScaled(group, [sg] { sg->setVerticalSpacing(scaled(3)); });
    sg->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    m_building = makeCombo(group, "SGGebaeude", calculatorTypeNames(), QStringLiteral("Casino"));
    m_sgAmount = named(new QLineEdit(kDefaultAmount, group), "SGBetrag");
    QPushButton *compute = makeButton(group, "Button15", QStringLiteral("Berechnen"));
    m_sg = makeValueLabel(group, "SGLabel", kValueAlignment);
    QPushButton *open = makeButton(group, "openSGRechner", QStringLiteral("open extern"));
    sg->addRow(QStringLiteral("Gebäude:"), m_building);
    sg->addRow(QStringLiteral("Schutzgeld:"), m_sgAmount);
    sg->addRow(QStringLiteral("Sicherheitsgefühl:"), m_sg);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(open);
    buttons->addStretch(1);
    buttons->addWidget(compute);
    sg->addRow(buttons);
    // Tab follows the row from left to right.
    setTabOrder(open, compute);

    onFocusLost(m_sgAmount, [this] { m_list.command([this] { checkSGAmount(); }); });
    m_list.connectCommand(compute, [this] { computeSG(); });
    m_list.connectCommand(open, [this] { openSGCalculator(); });
    return group;
}

void CalculatorsPage::computeSG()
{
    const QString type = m_building->currentText();
    std::optional<double> sg;
    if (calculatorProtectionMoney(type) > 0)
        sg = sgFromProtectionMoney(type, strToFloat(m_sgAmount->text(), QLocale::system()));
    m_sg->setText(sgLabelText(sg));
}

void CalculatorsPage::checkSGAmount()
{
    if (!isValidProtectionAmount(m_sgAmount->text(), QLocale::system()))
        m_sgAmount->setText(QStringLiteral("0"));
}

void CalculatorsPage::openSGCalculator()
{
    if (QWidget *calculator = m_sgCalculator ? m_sgCalculator() : nullptr) {
        calculator->show();
        calculator->raise();
        calculator->activateWindow();
    }
}

void CalculatorsPage::computeTaxes()
{
    const TaxResult r = computeTax(strToInt(m_taxAmount->text()), strToInt(m_currentRate->currentText()),
                                   strToInt(m_reducedRate->currentText()));
    m_net->setText(formatEuro(r.net));
    m_reduced->setText(formatEuro(r.reduced));
    m_tax->setText(formatEuro(r.tax));
    m_difference->setText(formatEuro(r.difference));
}

} // namespace veltrix
