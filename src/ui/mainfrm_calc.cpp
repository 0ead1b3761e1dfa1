// The "Rechner" page: the protection-money SG calculator and the tax calculator.
#include "mainfrm.h"

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

void TfrmMain::setupCalculators()
{
    auto *page = static_cast<QVBoxLayout *>(TabRechner->layout());

    // -- Steuerrechner --
    GroupSteuerrechner = new QGroupBox(QStringLiteral("Steuerrechner"), TabRechner);
    GroupSteuerrechner->setObjectName(QStringLiteral("GroupSteuerrechner"));
    auto *tax = new QFormLayout(GroupSteuerrechner);
    tax->setContentsMargins(8, 6, 8, 8);
    tax->setVerticalSpacing(3);
    tax->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    Steuerbetrag = new QLineEdit(kDefaultTaxAmount, GroupSteuerrechner);
    Steuerbetrag->setObjectName(QStringLiteral("Steuerbetrag"));
    aST = makeCombo("aST", taxRates(), kDefaultCurrentRate, GroupSteuerrechner);
    vST = makeCombo("vST", taxRates(), kDefaultReducedRate, GroupSteuerrechner);
    BtnBerechnen = makeButton("BtnBerechnen", QStringLiteral("Berechnen"), GroupSteuerrechner);
    netto = makeValueLabel("netto", GroupSteuerrechner);
    Steuer = makeValueLabel("Steuer", GroupSteuerrechner);
    verguenstigt = makeValueLabel("verguenstigt", GroupSteuerrechner);
    Differenz = makeValueLabel("Differenz", GroupSteuerrechner);
    tax->addRow(QStringLiteral("Betrag:"), Steuerbetrag);
    tax->addRow(QStringLiteral("aktueller Steuersatz:"), aST);
    tax->addRow(QStringLiteral("vergünstigter Steuersatz:"), vST);
    tax->addRow(BtnBerechnen);
    tax->addRow(QStringLiteral("netto:"), netto);
    tax->addRow(QStringLiteral("enthaltene Steuer:"), Steuer);
    tax->addRow(QStringLiteral("vergünstigt:"), verguenstigt);
    tax->addRow(QStringLiteral("Differenz:"), Differenz);
    page->addWidget(GroupSteuerrechner);

    // -- Schutzgeldrechner --
    GroupSchutzgeldrechner = new QGroupBox(QStringLiteral("Schutzgeldrechner"), TabRechner);
    GroupSchutzgeldrechner->setObjectName(QStringLiteral("GroupSchutzgeldrechner"));
    auto *sg = new QFormLayout(GroupSchutzgeldrechner);
    sg->setContentsMargins(8, 6, 8, 8);
    sg->setVerticalSpacing(3);
    sg->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    SGGebaeude = makeCombo("SGGebaeude", calculatorTypeNames(), QStringLiteral("Casino"), GroupSchutzgeldrechner);
    SGBetrag = new QLineEdit(kDefaultAmount, GroupSchutzgeldrechner);
    SGBetrag->setObjectName(QStringLiteral("SGBetrag"));
    Button15 = makeButton("Button15", QStringLiteral("Berechnen"), GroupSchutzgeldrechner);
    SGLabel = makeValueLabel("SGLabel", GroupSchutzgeldrechner);
    openSGRechner = makeButton("openSGRechner", QStringLiteral("open extern"), GroupSchutzgeldrechner);
    sg->addRow(QStringLiteral("Gebäude:"), SGGebaeude);
    sg->addRow(QStringLiteral("Schutzgeld:"), SGBetrag);
    sg->addRow(QStringLiteral("Sicherheitsgefühl:"), SGLabel);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(openSGRechner);
    buttons->addStretch(1);
    buttons->addWidget(Button15);
    sg->addRow(buttons);
    page->addWidget(GroupSchutzgeldrechner);

    onFocusLost(SGBetrag, [this] { command([this] { SGBetragExit(); }); });
    onFocusLost(Steuerbetrag, [this] { command([this] { SteuerbetragExit(); }); });
    onFocusLost(aST, [this] { command([this] { aSTExit(); }); });
    onFocusLost(vST, [this] { command([this] { vSTExit(); }); });
    connectCommand(Button15, [this] { Button15Click(); });
    connectCommand(openSGRechner, [this] { openSGRechnerClick(); });
    connectCommand(SGRechner1, [this] { SGRechner1Click(); });
    connectCommand(BtnBerechnen, [this] { BtnBerechnenClick(); });
}

void TfrmMain::Button15Click()
{
    const QString type = SGGebaeude->currentText();
    std::optional<double> sg;
    if (calculatorProtectionMoney(type) > 0)
        sg = sgFromProtectionMoney(type, strToFloat(SGBetrag->text(), QLocale::system()));
    SGLabel->setText(sgLabelText(sg));
}

void TfrmMain::SGBetragExit()
{
    if (!isValidProtectionAmount(SGBetrag->text(), QLocale::system()))
        SGBetrag->setText(QStringLiteral("0"));
}

void TfrmMain::openSGRechnerClick()
{
    if (QWidget *calculator = m_companions.sgRechner) {
        calculator->show();
        calculator->raise();
        calculator->activateWindow();
    }
}

void TfrmMain::SGRechner1Click()
{
    openSGRechnerClick();
}

void TfrmMain::BtnBerechnenClick()
{
    const TaxResult r = computeTax(strToInt(Steuerbetrag->text()), strToInt(aST->currentText()),
                                   strToInt(vST->currentText()));
    netto->setText(formatEuro(r.net));
    verguenstigt->setText(formatEuro(r.reduced));
    Steuer->setText(formatEuro(r.tax));
    Differenz->setText(formatEuro(r.difference));
}

void TfrmMain::SteuerbetragExit()
{
    if (!isStrictInt(Steuerbetrag->text()))
        Steuerbetrag->setText(kDefaultTaxAmount);
}

void TfrmMain::aSTExit()
{
    if (!isStrictInt(aST->currentText()))
        aST->setEditText(kDefaultCurrentRate);
}

void TfrmMain::vSTExit()
{
    if (!isStrictInt(vST->currentText()))
        vST->setEditText(kDefaultReducedRate);
}

} // namespace veltrix
