// The "Info" page: the evaluation of the first building and the group
// "Sicherheitsgefühl neu berechnen".
#include "infopage.h"

#include "pagelayout.h"
#include "reportlist.h"

#include "core/advisors.h"
#include "core/intconv.h"
#include "core/reportline.h"
#include "core/sgshift.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace veltrix {

namespace {

const QString kDefaultStep = QStringLiteral("25");

// Green when the building can be taken over at once.
void showRiotLevel(QLabel *label, const QString &level)
{
    label->setText(level);
    if (level.contains(u"keine"))
        setTextColour(label, QPalette::WindowText, QColor(0, 128, 0));
}

} // namespace

InfoPage::InfoPage(ReportList &list, std::function<std::optional<qint32>()> hideout, QWidget *parent)
    : QWidget(parent), m_list(list), m_hideout(std::move(hideout))
{
    setObjectName(QStringLiteral("TabInfo"));
    QVBoxLayout *page = makePageLayout(this);
    createBuildingGroup();
    page->addWidget(GroupGebaeudeeigenschaften);
    createShiftGroup();
    page->addWidget(GroupSGNeu);
    page->addStretch(1);

    connect(&m_list, &ReportList::buildingInfoRequested, this, [this](const QString &line) { showBuilding(line); });
    checkIntegerOnExit(m_list, SGdown, kDefaultStep);
    m_list.connectCommand(BitBtn5, [this] { shiftUp(); });
    m_list.connectCommand(BitBtn6, [this] { shiftDown(); });
    m_list.connectCommand(Button11, [this] { lowerFirstBuilding(); });
}

void InfoPage::createBuildingGroup()
{
    GroupGebaeudeeigenschaften = makeGroup(this, "GroupGebaeudeeigenschaften", QStringLiteral("Gebäudeeigenschaften"));
    auto *grid = new QGridLayout(GroupGebaeudeeigenschaften);
    setScaledMargins(grid, 8, 6, 8, 8);
    setScaledSpacing(grid, 4, 2);

    auto value = [this](const char *name) { return makeValueLabel(GroupGebaeudeeigenschaften, name); };
    auto caption = [this](const QString &text, QWidget *value) {
        return makeCaption(GroupGebaeudeeigenschaften, text, value);
    };

    InfoGeb = value("InfoGeb");
    InfoSG = value("InfoSG");
    InfoRandale = value("InfoRandale");
    HintRandale = value("HintRandale");
    InfoUeberfall = value("InfoUeberfall");
    Fussweg = value("Fussweg");
    marker = value("marker");
    marker->setText(QStringLiteral("!"));
    setTextColour(marker, QPalette::WindowText, QColor(255, 0, 0));
    keepScaled(marker, [this] { marker->setFixedWidth(marker->fontMetrics().horizontalAdvance(QLatin1Char('!')) + scaled(4)); });
    marker->hide();

    int row = 0;
    grid->addWidget(InfoGeb, row++, 0, 1, 3);
    grid->addWidget(caption(QStringLiteral("SG / Fallen:"), InfoSG), row, 0, 1, 2);
    grid->addWidget(InfoSG, row++, 2);
    const int firstGap = row++;
    grid->addWidget(caption(QStringLiteral("benötigte Randale vor Übernahme:"), InfoRandale), row++, 0, 1, 3);
    grid->addWidget(InfoRandale, row++, 1, 1, 2);
    grid->addWidget(caption(QStringLiteral("empfohlene Randale vor Übernahme:"), HintRandale), row++, 0, 1, 3);
    grid->addWidget(marker, row, 0);
    grid->addWidget(HintRandale, row++, 1, 1, 2);
    grid->addWidget(caption(QStringLiteral("benötigte Überfälle vor Übernahme: "), InfoUeberfall), row++, 0, 1, 3);
    grid->addWidget(InfoUeberfall, row++, 1, 1, 2);
    const int secondGap = row++;
    grid->addWidget(caption(QStringLiteral("Fussweg: "), Fussweg), row, 0, 1, 2);
    grid->addWidget(Fussweg, row++, 2);
    keepScaled(GroupGebaeudeeigenschaften, [this, grid, firstGap, secondGap] {
        grid->setRowMinimumHeight(firstGap, scaled(4));
        grid->setRowMinimumHeight(secondGap, scaled(4));
        grid->setColumnMinimumWidth(0, marker->width());
    });
    grid->setColumnStretch(2, 1);
}

void InfoPage::createShiftGroup()
{
    GroupSGNeu = makeGroup(this, "GroupSGNeu", QStringLiteral("Sicherheitsgefühl neu berechnen"));
    auto *grid = new QGridLayout(GroupSGNeu);
    setScaledMargins(grid, 8, 6, 8, 8);
    setScaledSpacing(grid, 4);

    SGdown = named(new QLineEdit(kDefaultStep, GroupSGNeu), "SGdown");
    setScaledFixedWidth(SGdown, 44);
    BitBtn5 = makeButton(GroupSGNeu, "BitBtn5", QStringLiteral("up"));
    BitBtn6 = makeButton(GroupSGNeu, "BitBtn6", QStringLiteral("down"));
    Button11 = makeButton(GroupSGNeu, "Button11", QStringLiteral("-5 %"));

    grid->addWidget(makeCaption(GroupSGNeu, QStringLiteral("Gesamten Bericht neu berechnen:"), SGdown), 0, 0, 1, 3);
    grid->addWidget(SGdown, 1, 0);
    grid->addWidget(BitBtn5, 1, 1);
    grid->addWidget(BitBtn6, 1, 2);
    auto *firstRow = new QHBoxLayout;
    firstRow->addWidget(makeCaption(GroupSGNeu, QStringLiteral("1. Gebäude neu Berechnen:"), Button11));
    firstRow->addStretch(1);
    setScaledFixedWidth(Button11, 56);
    firstRow->addWidget(Button11);
    grid->addLayout(firstRow, 2, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
}

void InfoPage::showBuilding(const QString &line)
{
    const QStringView address = getAddress(line);
    InfoGeb->setText(address.isEmpty() ? kNoValue : address.toString());
    const qint32 sg = getSG(line);
    InfoSG->setText(sg == -1 ? kNoValue
                             : QStringLiteral("%1 % / %2").arg(QString::number(sg), QString::number(countTraps(line))));
    InfoUeberfall->setText(requiredRobberies(line));

    setTextColour(InfoRandale, QPalette::WindowText, Qt::black);
    setTextColour(HintRandale, QPalette::WindowText, Qt::black);
    marker->hide();
    showRiotLevel(InfoRandale, requiredRiots(line));
    showRiotLevel(HintRandale, recommendedRiots(line));
    if (InfoRandale->text() != HintRandale->text())
        marker->show();

    const std::optional<qint32> hideout = m_hideout ? m_hideout() : std::nullopt;
    // An empty list has no house number to walk to.
    if (!hideout || line.isEmpty()) {
        Fussweg->setText(kNoValue);
        return;
    }
    const qint64 seconds = walkingSeconds(getHouseNumber(line), *hideout);
    Fussweg->setText(QStringLiteral("%1 min %2 sec").arg(seconds / 60).arg(seconds % 60));
}

// ---- SG recalculation ----

void InfoPage::shiftAllLines(qint64 shift, bool trapFloor)
{
    MemoLines &memo = m_list.memo();
    // Runs right after CleanList and CreateSafepoint, so the undo copy holds
    // exactly the lines of Memo1 and spares reading them once more.
    QStringList lines = m_list.undoCopy();
    if (lines.size() != memo.lineCount())
        lines = memo.lines();
    for (QString &line : lines)
        line = shiftLineSG(line, shift, trapFloor);
    // Each line is rewritten in place; writing them back together leaves the
    // same text and runs the change handler exactly when a line changed.
    memo.setLines(lines);
}

void InfoPage::shiftUp()
{
    m_list.CleanList();
    m_list.CreateSafepoint();
    shiftAllLines(strToInt(SGdown->text()), false);
    m_list.ShowBuildingInfo();
    m_list.memo().caretToStart();
    m_list.edit()->setFocus();
}

void InfoPage::shiftDown()
{
    m_list.CleanList();
    m_list.CreateSafepoint();
    shiftAllLines(-qint64(strToInt(SGdown->text())), true);
    m_list.ShowBuildingInfo();
    m_list.memo().caretToStart();
    m_list.edit()->setFocus();
}

void InfoPage::lowerFirstBuilding()
{
    m_list.CleanList();
    m_list.CreateSafepoint();
    MemoLines &memo = m_list.memo();
    if (!memo.isEmpty())
        memo.replaceLine(0, shiftLineSG(memo.firstLine(), -5, false));
    emit firstHouseNumberCopyRequested();
}

} // namespace veltrix
