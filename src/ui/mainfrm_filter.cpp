// The Filter tab: building-type, house-number and SG filters, the selection
// presets, the hideout with its range, and the exit checks of its fields.
#include "mainfrm.h"

#include "core/catalogue.h"
#include "core/filters.h"
#include "core/intconv.h"

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QResizeEvent>
#include <QStyle>
#include <QVBoxLayout>

namespace veltrix {

namespace {

// Holds the hideout field with the red marker one pixel larger on every
// side beneath it, so that the visible marker frames the field.
class HideoutFrame : public QWidget {
public:
    explicit HideoutFrame(QWidget *parent) : QWidget(parent) {}

    void setWidgets(QWidget *marker, QLineEdit *field)
    {
        m_marker = marker;
        m_field = field;
        m_marker->lower();
        setSizePolicy(field->sizePolicy());
        updateGeometry();
    }

    QSize sizeHint() const override { return m_field ? m_field->sizeHint() + QSize(2, 2) : QSize(); }
    QSize minimumSizeHint() const override
    {
        return m_field ? m_field->minimumSizeHint() + QSize(2, 2) : QSize();
    }

protected:
    void resizeEvent(QResizeEvent *event) override
    {
        QWidget::resizeEvent(event);
        if (!m_field)
            return;
        const QRect field = rect().adjusted(1, 1, -1, -1);
        m_field->setGeometry(QRect(field.topLeft(), field.size().boundedTo(m_field->maximumSize())));
        m_marker->setGeometry(m_field->geometry().adjusted(-1, -1, 1, 1));
    }

private:
    QWidget *m_marker = nullptr;
    QLineEdit *m_field = nullptr;
};

QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption, const QString &hint = {})
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    if (!hint.isEmpty())
        button->setToolTip(hint);
    return button;
}

QPushButton *makeRetryButton(QWidget *parent, const char *name, const QString &caption)
{
    auto *button = makeButton(parent, name, caption);
    button->setIcon(parent->style()->standardIcon(QStyle::SP_BrowserReload));
    return button;
}

QLineEdit *makeField(QWidget *parent, const char *name, const QString &text, int maxLength, int width)
{
    auto *field = new QLineEdit(text, parent);
    field->setObjectName(QString::fromLatin1(name));
    limitTyping(field, maxLength);
    field->setFixedWidth(width);
    return field;
}

void checkPreset(QListWidget *list, Preset preset)
{
    const QStringList names = presetNames(preset);
    for (int i = 0; i < list->count(); ++i) {
        QListWidgetItem *item = list->item(i);
        if (names.contains(item->text()))
            item->setCheckState(Qt::Checked);
    }
}

// Replaces a text that is not an integer by the field's default.
void exitCheck(QLineEdit *field, const QString &fallback)
{
    if (!isStrictInt(field->text()))
        field->setText(fallback);
}

} // namespace

void TfrmMain::setupFilterPage()
{
    auto *page = static_cast<QVBoxLayout *>(TabFilter->layout());
    page->removeWidget(checklistbox1);

    // "Sicherheitsgefühl"
    GroupSicherheitsgefuehl = new QGroupBox(QStringLiteral("Sicherheitsgefühl"), TabFilter);
    GroupSicherheitsgefuehl->setObjectName(QStringLiteral("GroupSicherheitsgefuehl"));
    auto *sgRow = new QHBoxLayout(GroupSicherheitsgefuehl);
    sgRow->setContentsMargins(6, 4, 6, 6);
    BitBtn3 = makeRetryButton(GroupSicherheitsgefuehl, "BitBtn3", QStringLiteral("<="));
    Edit3 = makeField(GroupSicherheitsgefuehl, "Edit3", QStringLiteral("44"), 2, 32);
    Edit3->setAlignment(Qt::AlignCenter);
    BitBtn4 = makeRetryButton(GroupSicherheitsgefuehl, "BitBtn4", QStringLiteral(">="));
    sgRow->addWidget(BitBtn3);
    sgRow->addWidget(Edit3);
    sgRow->addWidget(BitBtn4);
    sgRow->addStretch(1);
    page->addWidget(GroupSicherheitsgefuehl);

    // "Straßen-Filter"
    GroupStrassenFilter = new QGroupBox(QStringLiteral("Straßen-Filter"), TabFilter);
    GroupStrassenFilter->setObjectName(QStringLiteral("GroupStrassenFilter"));
    auto *street = new QGridLayout(GroupStrassenFilter);
    street->setContentsMargins(6, 4, 6, 6);
    street->setHorizontalSpacing(4);
    street->setVerticalSpacing(4);
    auto *hideoutFrame = new HideoutFrame(GroupStrassenFilter);
    keinversteck = new QLabel(QStringLiteral("keinversteck"), hideoutFrame);
    keinversteck->setObjectName(QStringLiteral("keinversteck"));
    keinversteck->setAutoFillBackground(true);
    keinversteck->setStyleSheet(QStringLiteral("background-color: red; color: red; border: none;"));
    Versteck = makeField(hideoutFrame, "Versteck", QStringLiteral("0"), 5, 46);
    Versteck->setToolTip(QStringLiteral("Hier eigenes Versteck eingeben"));
    hideoutFrame->setWidgets(keinversteck, Versteck);
    Range = makeField(GroupStrassenFilter, "Range", QStringLiteral("300"), 5, 46);
    Range->setToolTip(QStringLiteral("Entfernung zum Versteck"));
    Button10 = makeButton(GroupStrassenFilter, "Button10", QStringLiteral("V"), QStringLiteral("Entfernung zum Versteck"));
    Button10->setFixedWidth(28);
    Button5 = makeButton(GroupStrassenFilter, "Button5", QStringLiteral("Übertragen"));
    Edit1 = makeField(GroupStrassenFilter, "Edit1", QStringLiteral("0"), 5, 46);
    Edit2 = makeField(GroupStrassenFilter, "Edit2", QStringLiteral("99999"), 5, 46);
    BitBtn2 = makeRetryButton(GroupStrassenFilter, "BitBtn2", QStringLiteral("&Filtern"));

    street->addWidget(new QLabel(QStringLiteral("Versteck"), GroupStrassenFilter), 0, 0);
    street->addWidget(hideoutFrame, 0, 1, Qt::AlignLeft | Qt::AlignVCenter);
    street->addWidget(new QLabel(QStringLiteral("Range"), GroupStrassenFilter), 0, 2, Qt::AlignRight);
    street->addWidget(Range, 0, 3);
    street->addWidget(Button10, 0, 4);
    street->addWidget(Button5, 1, 1, 1, 3);
    street->addWidget(new QLabel(QStringLiteral("Hausnummer"), GroupStrassenFilter), 2, 0, 1, 5);
    street->addWidget(new QLabel(QStringLiteral("von"), GroupStrassenFilter), 3, 0, Qt::AlignRight);
    street->addWidget(Edit1, 3, 1);
    street->addWidget(new QLabel(QStringLiteral("bis"), GroupStrassenFilter), 3, 2, Qt::AlignRight);
    street->addWidget(Edit2, 3, 3);
    street->addWidget(BitBtn2, 4, 1, 1, 3);
    street->setColumnStretch(5, 1);
    page->addWidget(GroupStrassenFilter);

    // "Gebäude-Filter", with the check list below it
    GroupGebaeudeFilter = new QGroupBox(QStringLiteral("Gebäude-Filter"), TabFilter);
    GroupGebaeudeFilter->setObjectName(QStringLiteral("GroupGebaeudeFilter"));
    auto *types = new QGridLayout(GroupGebaeudeFilter);
    types->setContentsMargins(3, 4, 3, 4);
    types->setSpacing(3);
    Button1 = makeButton(GroupGebaeudeFilter, "Button1", QStringLiteral("alle Marktgebäude"),
                         QStringLiteral("Marktgebäude auswählen"));
    Button3 = makeButton(GroupGebaeudeFilter, "Button3", QStringLiteral("Gebs >= 900 €"),
                         QStringLiteral("Gebäude, die mehr als 900 € Schutzgeld abwerfen auswählen"));
    Button4 = makeButton(GroupGebaeudeFilter, "Button4", QStringLiteral(">=500 € | < 900 €"));
    Button2 = makeButton(GroupGebaeudeFilter, "Button2", QStringLiteral("Auswahl aufheben"));
    Button8 = makeButton(GroupGebaeudeFilter, "Button8", QStringLiteral("Auswahl umkehren"));
    BitBtn1 = makeRetryButton(GroupGebaeudeFilter, "BitBtn1", QStringLiteral("&Filtern"));
    types->addWidget(Button1, 0, 0);
    types->addWidget(Button3, 0, 1);
    types->addWidget(Button4, 1, 0);
    types->addWidget(Button2, 1, 1);
    types->addWidget(BitBtn1, 2, 0);
    types->addWidget(Button8, 2, 1);
    page->addWidget(GroupGebaeudeFilter);

    checklistbox1->setParent(TabFilter);
    checklistbox1->setMinimumHeight(80);
    // The list takes the page's spare height.
    page->addWidget(checklistbox1, 100);

    connectCommand(BitBtn1, [this] { BitBtn1Click(); });
    connectCommand(BitBtn2, [this] { BitBtn2Click(); });
    connectCommand(BitBtn3, [this] { BitBtn3Click(); });
    connectCommand(BitBtn4, [this] { BitBtn4Click(); });
    connectCommand(Button1, [this] { Button1Click(); });
    connectCommand(Button2, [this] { Button2Click(); });
    connectCommand(Button3, [this] { Button3Click(); });
    connectCommand(Button4, [this] { Button4Click(); });
    connectCommand(Button5, [this] { Button5Click(); });
    connectCommand(Button8, [this] { Button8Click(); });
    connectCommand(Button10, [this] { Button10Click(); });
    connectCommand(Gebs10001, [this] { Gebs10001Click(); });
    connectCommand(Gebs5001, [this] { Gebs5001Click(); });
    connectCommand(Marktgebude1, [this] { Marktgebude1Click(); });

    onFocusLost(Versteck, [this] { command([this] { VersteckExit(); }); });
    onFocusLost(Range, [this] { command([this] { RangeExit(); }); });
    onFocusLost(Edit1, [this] { command([this] { Edit1Exit(); }); });
    onFocusLost(Edit2, [this] { command([this] { Edit2Exit(); }); });
    onFocusLost(Edit3, [this] { command([this] { Edit3Exit(); }); });
}

// ---- filters ----

void TfrmMain::BitBtn1Click()
{
    runListOperation(
        [this](const QStringList &lines) {
            std::vector<bool> checked(buildingTypes().size(), false);
            for (int i = 0; i < checklistbox1->count(); ++i) {
                const QListWidgetItem *item = checklistbox1->item(i);
                const int index = buildingTypeIndex(item->text());
                if (index >= 0 && item->checkState() == Qt::Checked)
                    checked[static_cast<std::size_t>(index)] = true;
            }
            return filterByBuildingTypes(lines, checked, [this] { StepProgress(1); });
        },
        Finish::ProtectionMoney);
}

void TfrmMain::BitBtn2Click()
{
    runListOperation(
        [this](const QStringList &lines) {
            const qint32 from = strToInt(Edit1->text());
            const qint32 to = strToInt(Edit2->text());
            return filterByHouseNumber(lines, from, to, [this] { StepProgress(1); });
        },
        Finish::ProtectionMoney);
}

void TfrmMain::BitBtn3Click()
{
    runListOperation(
        [this](const QStringList &lines) {
            const qint32 limit = strToInt(Edit3->text());
            return filterBySecurityFeeling(lines, limit, SGLimit::AtMost, [this] { StepProgress(1); });
        },
        Finish::ProtectionMoney);
}

void TfrmMain::BitBtn4Click()
{
    runListOperation(
        [this](const QStringList &lines) {
            const qint32 limit = strToInt(Edit3->text());
            return filterBySecurityFeeling(lines, limit, SGLimit::AtLeast, [this] { StepProgress(1); });
        },
        Finish::ProtectionMoney);
}

// ---- selection ----

void TfrmMain::Button1Click()
{
    checkPreset(checklistbox1, Preset::Market);
}

void TfrmMain::Button3Click()
{
    checkPreset(checklistbox1, Preset::From900);
}

void TfrmMain::Button4Click()
{
    checkPreset(checklistbox1, Preset::From500To900);
}

void TfrmMain::Button2Click()
{
    for (int i = 0; i < checklistbox1->count(); ++i)
        checklistbox1->item(i)->setCheckState(Qt::Unchecked);
}

void TfrmMain::Button8Click()
{
    for (int i = 0; i < checklistbox1->count(); ++i) {
        QListWidgetItem *item = checklistbox1->item(i);
        item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    }
}

// ---- menu filters ----

void TfrmMain::Gebs10001Click()
{
    CreateSafepoint();
    ShowAction(QStringLiteral("Filter"));
    Button2Click();
    Button3Click();
    BitBtn1Click();
}

void TfrmMain::Gebs5001Click()
{
    CreateSafepoint();
    ShowAction(QStringLiteral("Filter"));
    Button2Click();
    Button4Click();
    BitBtn1Click();
}

void TfrmMain::Marktgebude1Click()
{
    CreateSafepoint();
    ShowAction(QStringLiteral("Filter"));
    Button2Click();
    Button1Click();
    BitBtn1Click();
}

// ---- hideout ----

void TfrmMain::Button5Click()
{
    if (const auto range = hideoutRange(Versteck->text(), Range->text())) {
        Edit1->setText(range->from);
        Edit2->setText(range->to);
    }
}

void TfrmMain::Button10Click()
{
    Versteckaufsteigend1Click();
}

// ---- exit checks ----

void TfrmMain::VersteckExit()
{
    exitCheck(Versteck, QStringLiteral("0"));
    // A text comparison: "00" counts as an entered hideout.
    if (Versteck->text() == u"0") {
        keinversteck->setVisible(true);
        Versteck->setToolTip(QStringLiteral("Bitte Versteck eingeben"));
    } else {
        keinversteck->setVisible(false);
        Versteck->setToolTip(QString());
    }
}

void TfrmMain::RangeExit()
{
    exitCheck(Range, QStringLiteral("300"));
}

void TfrmMain::Edit1Exit()
{
    exitCheck(Edit1, QStringLiteral("0"));
}

void TfrmMain::Edit2Exit()
{
    exitCheck(Edit2, QStringLiteral("99999"));
}

void TfrmMain::Edit3Exit()
{
    exitCheck(Edit3, QStringLiteral("44"));
}

} // namespace veltrix
