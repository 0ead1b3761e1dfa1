#include "calculatorspage.h"

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

QComboBox *makeCombo(const char *name, const QStringList &items, const QString &text, QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(items);
    combo->setCurrentIndex(-1);
    combo->setEditText(text);
    return combo;
}

QPushButton *makeButton(const char *name, const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

CalculatorsPage::CalculatorsPage(ReportList &list, std::function<QWidget *()> sgCalculator, QWidget *parent)
    : QWidget(parent), m_list(list), m_sgCalculator(std::move(sgCalculator))
{
    setObjectName(QStringLiteral("TabRechner"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(6);
    createTax();
    createProtectionMoney();
}

void CalculatorsPage::createTax()
{
    auto *group = new QGroupBox(QStringLiteral("Steuerrechner"), this);
    group->setObjectName(QStringLiteral("GroupSteuerrechner"));
    auto *tax = new QFormLayout(group);
    tax->setContentsMargins(8, 6, 8, 8);
    tax->setVerticalSpacing(3);
    tax->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    m_taxAmount = new QLineEdit(kDefaultTaxAmount, group);
    m_taxAmount->setObjectName(QStringLiteral("Steuerbetrag"));
    m_currentRate = makeCombo("aST", taxRates(), kDefaultCurrentRate, group);
    m_reducedRate = makeCombo("vST", taxRates(), kDefaultReducedRate, group);
    auto *compute = makeButton("BtnBerechnen", QStringLiteral("Berechnen"), group);
    m_net = makeValueLabel("netto", group);
    m_tax = makeValueLabel("Steuer", group);
    m_reduced = makeValueLabel("verguenstigt", group);
    m_difference = makeValueLabel("Differenz", group);
    // The form binds each label to its field.
    tax->addRow(QStringLiteral("Betrag:"), m_taxAmount);
    tax->addRow(QStringLiteral("aktueller Steuersatz:"), m_currentRate);
    tax->addRow(QStringLiteral("vergünstigter Steuersatz:"), m_reducedRate);
    tax->addRow(compute);
    tax->addRow(QStringLiteral("netto:"), m_net);
    tax->addRow(QStringLiteral("enthaltene Steuer:"), m_tax);
    tax->addRow(QStringLiteral("vergünstigt:"), m_reduced);
    tax->addRow(QStringLiteral("Differenz:"), m_difference);
    static_cast<QVBoxLayout *>(layout())->addWidget(group);

    onFocusLost(m_taxAmount, [this] { m_list.command([this] { checkTaxAmount(); }); });
    onFocusLost(m_currentRate, [this] { m_list.command([this] { checkCurrentRate(); }); });
    onFocusLost(m_reducedRate, [this] { m_list.command([this] { checkReducedRate(); }); });
    m_list.connectCommand(compute, [this] { computeTaxes(); });
}

void CalculatorsPage::createProtectionMoney()
{
    auto *group = new QGroupBox(QStringLiteral("Schutzgeldrechner"), this);
    group->setObjectName(QStringLiteral("GroupSchutzgeldrechner"));
    auto *sg = new QFormLayout(group);
    sg->setContentsMargins(8, 6, 8, 8);
    sg->setVerticalSpacing(3);
    sg->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    m_building = makeCombo("SGGebaeude", calculatorTypeNames(), QStringLiteral("Casino"), group);
    m_sgAmount = new QLineEdit(kDefaultAmount, group);
    m_sgAmount->setObjectName(QStringLiteral("SGBetrag"));
    auto *compute = makeButton("Button15", QStringLiteral("Berechnen"), group);
    m_sg = makeValueLabel("SGLabel", group);
    auto *open = makeButton("openSGRechner", QStringLiteral("open extern"), group);
    sg->addRow(QStringLiteral("Gebäude:"), m_building);
    sg->addRow(QStringLiteral("Schutzgeld:"), m_sgAmount);
    sg->addRow(QStringLiteral("Sicherheitsgefühl:"), m_sg);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(open);
    buttons->addStretch(1);
    buttons->addWidget(compute);
    sg->addRow(buttons);
    static_cast<QVBoxLayout *>(layout())->addWidget(group);

    onFocusLost(m_sgAmount, [this] { m_list.command([this] { checkSGAmount(); }); });
    m_list.connectCommand(compute, [this] { computeSG(); });
    m_list.connectCommand(open, [this] { openSGCalculator(); });
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

void CalculatorsPage::checkTaxAmount()
{
    if (!isStrictInt(m_taxAmount->text()))
        m_taxAmount->setText(kDefaultTaxAmount);
}

void CalculatorsPage::checkCurrentRate()
{
    if (!isStrictInt(m_currentRate->currentText()))
        m_currentRate->setEditText(kDefaultCurrentRate);
}

void CalculatorsPage::checkReducedRate()
{
    if (!isStrictInt(m_reducedRate->currentText()))
        m_reducedRate->setEditText(kDefaultReducedRate);
}

} // namespace veltrix
