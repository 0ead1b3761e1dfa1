// The Filter tab: building-type, house-number and SG filters, the selection
// presets, the hideout with its range, and the exit checks of its fields.
#include "filterpage.h"

#include "pagelayout.h"
#include "reportlist.h"
#include "windowutil.h"

#include "core/catalogue.h"
#include "core/filters.h"
#include "core/intconv.h"

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

QPushButton *makeRetryButton(QWidget *parent, const char *name, const QString &caption)
{
    auto *button = makeButton(parent, name, caption);
    button->setIcon(parent->style()->standardIcon(QStyle::SP_BrowserReload));
    return button;
}

QLineEdit *makeField(QWidget *parent, const char *name, const QString &text, int maxLength, int width)
{
    auto *field = named(new QLineEdit(text, parent), name);
    limitTyping(field, maxLength);
    setScaledFixedWidth(field, width);
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

// The one rule for the hideout marker: an integer other than the text "0"
// is an entered hideout, so "00" counts as one.
bool isHideoutEntered(const QString &text)
{
    return isStrictInt(text) && text != u"0";
}

} // namespace

FilterPage::FilterPage(ReportList &list, QWidget *parent) : QWidget(parent), m_list(list)
{
    setObjectName(QStringLiteral("TabFilter"));
    createControls();

    m_list.connectCommand(BitBtn1, [this] { filterByTypes(); });
    m_list.connectCommand(BitBtn2, [this] { filterByHouseNumber(); });
    m_list.connectCommand(BitBtn3, [this] { filterBySecurityFeeling(false); });
    m_list.connectCommand(BitBtn4, [this] { filterBySecurityFeeling(true); });
    m_list.connectCommand(Button1, [this] { checkPreset(checklistbox1, Preset::Market); });
    m_list.connectCommand(Button2, [this] { clearSelection(); });
    m_list.connectCommand(Button3, [this] { checkPreset(checklistbox1, Preset::From900); });
    m_list.connectCommand(Button4, [this] { checkPreset(checklistbox1, Preset::From500To900); });
    m_list.connectCommand(Button5, [this] { fillRange(); });
    m_list.connectCommand(Button8, [this] { invertSelection(); });
    m_list.connectCommand(Button10, [this] { emit distanceOrderRequested(); });

    onFocusLost(Versteck, [this] { m_list.command([this] { hideoutExit(); }); });
    checkIntegerOnExit(m_list, Range, QStringLiteral("300"));
    checkIntegerOnExit(m_list, Edit1, QStringLiteral("0"));
    checkIntegerOnExit(m_list, Edit2, QStringLiteral("99999"));
    checkIntegerOnExit(m_list, Edit3, QStringLiteral("44"));
}

void FilterPage::createControls()
{
    QVBoxLayout *page = makePageLayout(this);

    // "Sicherheitsgefühl"
    GroupSicherheitsgefuehl = makeGroup(this, "GroupSicherheitsgefuehl", QStringLiteral("Sicherheitsgefühl"));
    auto *sgRow = new QHBoxLayout(GroupSicherheitsgefuehl);
    setScaledMargins(sgRow, 6, 4, 6, 6);
    BitBtn3 = makeRetryButton(GroupSicherheitsgefuehl, "BitBtn3", QStringLiteral("<="));
    Edit3 = makeField(GroupSicherheitsgefuehl, "Edit3", QStringLiteral("44"), 2, 32);
    Edit3->setAlignment(Qt::AlignCenter);
    Edit3->setAccessibleName(QStringLiteral("Sicherheitsgefühl"));
    BitBtn4 = makeRetryButton(GroupSicherheitsgefuehl, "BitBtn4", QStringLiteral(">="));
    sgRow->addWidget(BitBtn3);
    sgRow->addWidget(Edit3);
    sgRow->addWidget(BitBtn4);
    sgRow->addStretch(1);
    page->addWidget(GroupSicherheitsgefuehl);

    // "Straßen-Filter"
    GroupStrassenFilter = makeGroup(this, "GroupStrassenFilter", QStringLiteral("Straßen-Filter"));
    auto *street = new QGridLayout(GroupStrassenFilter);
    setScaledMargins(street, 6, 4, 6, 6);
    setScaledSpacing(street, 4);
    auto *hideoutFrame = new HideoutFrame(GroupStrassenFilter);
    keinversteck = named(new QLabel(QStringLiteral("keinversteck"), hideoutFrame), "keinversteck");
    keinversteck->setAutoFillBackground(true);
    keinversteck->setStyleSheet(QStringLiteral("background-color: red; color: red; border: none;"));
    Versteck = makeField(hideoutFrame, "Versteck", QStringLiteral("0"), 5, 46);
    Versteck->setToolTip(QStringLiteral("Hier eigenes Versteck eingeben"));
    // Its label lies outside the frame, where a buddy gives no name.
    Versteck->setAccessibleName(QStringLiteral("Versteck"));
    hideoutFrame->setWidgets(keinversteck, Versteck);
    Range = makeField(GroupStrassenFilter, "Range", QStringLiteral("300"), 5, 46);
    Range->setToolTip(QStringLiteral("Entfernung zum Versteck"));
    Button10 = makeButton(GroupStrassenFilter, "Button10", QStringLiteral("V"), QStringLiteral("Entfernung zum Versteck"));
    setScaledFixedWidth(Button10, 28);
    Button5 = makeButton(GroupStrassenFilter, "Button5", QStringLiteral("Übertragen"));
    Edit1 = makeField(GroupStrassenFilter, "Edit1", QStringLiteral("0"), 5, 46);
    Edit2 = makeField(GroupStrassenFilter, "Edit2", QStringLiteral("99999"), 5, 46);
    BitBtn2 = makeRetryButton(GroupStrassenFilter, "BitBtn2", QStringLiteral("&Filtern"));

    auto label = [this](const QString &text, QWidget *buddy) { return makeCaption(GroupStrassenFilter, text, buddy); };
    street->addWidget(label(QStringLiteral("Versteck"), Versteck), 0, 0);
    street->addWidget(hideoutFrame, 0, 1, Qt::AlignLeft | Qt::AlignVCenter);
    street->addWidget(label(QStringLiteral("Range"), Range), 0, 2, Qt::AlignRight);
    street->addWidget(Range, 0, 3);
    street->addWidget(Button10, 0, 4);
    street->addWidget(Button5, 1, 1, 1, 3);
    street->addWidget(new QLabel(QStringLiteral("Hausnummer"), GroupStrassenFilter), 2, 0, 1, 5);
    street->addWidget(label(QStringLiteral("von"), Edit1), 3, 0, Qt::AlignRight);
    street->addWidget(Edit1, 3, 1);
    street->addWidget(label(QStringLiteral("bis"), Edit2), 3, 2, Qt::AlignRight);
    street->addWidget(Edit2, 3, 3);
    street->addWidget(BitBtn2, 4, 1, 1, 3);
    street->setColumnStretch(5, 1);
    page->addWidget(GroupStrassenFilter);

    // "Gebäude-Filter", with the check list below it
    GroupGebaeudeFilter = makeGroup(this, "GroupGebaeudeFilter", QStringLiteral("Gebäude-Filter"));
    auto *types = new QGridLayout(GroupGebaeudeFilter);
    setScaledMargins(types, 3, 4, 3, 4);
    setScaledSpacing(types, 3);
    Button1 = makeButton(GroupGebaeudeFilter, "Button1", QStringLiteral("alle Marktgebäude"),
                         QStringLiteral("Marktgebäude auswählen"));
    Button3 = makeButton(GroupGebaeudeFilter, "Button3", QStringLiteral("Gebs >= 900 €"),
                         QStringLiteral("Gebäude, die mehr als 900 € Schutzgeld abwerfen auswählen"));
    Button4 = makeButton(GroupGebaeudeFilter, "Button4", QStringLiteral(">=500 € | < 900 €"));
    Button2 = makeButton(GroupGebaeudeFilter, "Button2", QStringLiteral("Auswahl aufheben"));
    BitBtn1 = makeRetryButton(GroupGebaeudeFilter, "BitBtn1", QStringLiteral("&Filtern"));
    Button8 = makeButton(GroupGebaeudeFilter, "Button8", QStringLiteral("Auswahl umkehren"));
    types->addWidget(Button1, 0, 0);
    types->addWidget(Button3, 0, 1);
    types->addWidget(Button4, 1, 0);
    types->addWidget(Button2, 1, 1);
    types->addWidget(BitBtn1, 2, 0);
    types->addWidget(Button8, 2, 1);
    page->addWidget(GroupGebaeudeFilter);

    // The building-type check list doubles as the catalogue of known types.
    checklistbox1 = named(new QListWidget(this), "checklistbox1");
    checklistbox1->setAccessibleName(QStringLiteral("Gebäude-Filter"));
    for (const QString &name : buildingTypeNames()) {
        auto *item = new QListWidgetItem(name, checklistbox1);
        item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setCheckState(Qt::Unchecked);
    }
    keepScaled(checklistbox1, [this] { checklistbox1->setMinimumHeight(scaled(80)); });
    // The list takes the page's spare height.
    page->addWidget(checklistbox1, 100);
    page->addStretch(1);
}

// ---- filters ----

void FilterPage::filterByTypes()
{
    m_list.runListOperation(
        [this](const QStringList &lines) {
            std::vector<bool> checked(buildingTypes().size(), false);
            for (int i = 0; i < checklistbox1->count(); ++i) {
                const QListWidgetItem *item = checklistbox1->item(i);
                const int index = buildingTypeIndex(item->text());
                if (index >= 0 && item->checkState() == Qt::Checked)
                    checked[static_cast<std::size_t>(index)] = true;
            }
            return filterByBuildingTypes(lines, checked, [this] { m_list.StepProgress(1); });
        },
        ReportList::Finish::ProtectionMoney);
}

void FilterPage::filterByHouseNumber()
{
    m_list.runListOperation(
        [this](const QStringList &lines) {
            const qint32 from = strToInt(Edit1->text());
            const qint32 to = strToInt(Edit2->text());
            return veltrix::filterByHouseNumber(lines, from, to, [this] { m_list.StepProgress(1); });
        },
        ReportList::Finish::ProtectionMoney);
}

void FilterPage::filterBySecurityFeeling(bool atLeast)
{
    m_list.runListOperation(
        [this, atLeast](const QStringList &lines) {
            const qint32 limit = strToInt(Edit3->text());
            return veltrix::filterBySecurityFeeling(lines, limit, atLeast ? SGLimit::AtLeast : SGLimit::AtMost,
                                                    [this] { m_list.StepProgress(1); });
        },
        ReportList::Finish::ProtectionMoney);
}

// ---- selection ----

void FilterPage::clearSelection()
{
    for (int i = 0; i < checklistbox1->count(); ++i)
        checklistbox1->item(i)->setCheckState(Qt::Unchecked);
}

void FilterPage::invertSelection()
{
    for (int i = 0; i < checklistbox1->count(); ++i) {
        QListWidgetItem *item = checklistbox1->item(i);
        item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    }
}

// ---- menu filters ----

void FilterPage::filterFrom900()
{
    filterPreset(Preset::From900);
}

void FilterPage::filterFrom500To900()
{
    filterPreset(Preset::From500To900);
}

void FilterPage::filterMarket()
{
    filterPreset(Preset::Market);
}

// Only the preset's types are checked, then the list is filtered by them.
void FilterPage::filterPreset(Preset preset)
{
    m_list.CreateSafepoint();
    m_list.ShowAction(ListAction::Filter);
    clearSelection();
    checkPreset(checklistbox1, preset);
    filterByTypes();
}

// ---- hideout ----

QString FilterPage::hideoutText() const
{
    return Versteck->text();
}

void FilterPage::restoreHideout(const QString &text)
{
    Versteck->setText(text);
    // The marker follows the restored hideout as the field's exit check would.
    showHideoutEntered(isHideoutEntered(text));
}

std::optional<qint32> FilterPage::hideout() const
{
    if (!m_hideoutEntered)
        return std::nullopt;
    return strToInt(Versteck->text());
}

void FilterPage::showHideoutEntered(bool entered)
{
    m_hideoutEntered = entered;
    keinversteck->setVisible(!entered);
}

void FilterPage::fillRange()
{
    if (const auto range = hideoutRange(Versteck->text(), Range->text())) {
        Edit1->setText(range->from);
        Edit2->setText(range->to);
    }
}

void FilterPage::hideoutExit()
{
    replaceNonInteger(Versteck, QStringLiteral("0"));
    const bool entered = isHideoutEntered(Versteck->text());
    showHideoutEntered(entered);
    Versteck->setToolTip(entered ? QString() : QStringLiteral("Bitte Versteck eingeben"));
}

} // namespace veltrix
