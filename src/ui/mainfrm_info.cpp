// The evaluation of the first building on the "Info" tab.
#include "mainfrm.h"

#include "core/advisors.h"
#include "core/intconv.h"
#include "core/reportline.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace veltrix {

namespace {

const QString kNoValue = QStringLiteral("---");

void setTextColor(QLabel *label, const QColor &color)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
}

// Green when the building can be taken over at once.
void showRiotLevel(QLabel *label, const QString &level)
{
    label->setText(level);
    if (level.contains(u"keine"))
        setTextColor(label, QColor(0, 128, 0));
}

} // namespace

void TfrmMain::setupInfoPage()
{
    GroupGebaeudeeigenschaften = new QGroupBox(QStringLiteral("Gebäudeeigenschaften"), TabInfo);
    GroupGebaeudeeigenschaften->setObjectName(QStringLiteral("GroupGebaeudeeigenschaften"));
    auto *grid = new QGridLayout(GroupGebaeudeeigenschaften);
    grid->setContentsMargins(8, 6, 8, 8);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);

    auto value = [this](const char *name) {
        auto *label = new QLabel(kNoValue, GroupGebaeudeeigenschaften);
        label->setObjectName(QString::fromLatin1(name));
        // Parts of the first line: markup in a report is text.
        label->setTextFormat(Qt::PlainText);
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        return label;
    };
    auto caption = [this](const QString &text) { return new QLabel(text, GroupGebaeudeeigenschaften); };

    InfoGeb = value("InfoGeb");
    InfoSG = value("InfoSG");
    InfoRandale = value("InfoRandale");
    HintRandale = value("HintRandale");
    InfoUeberfall = value("InfoUeberfall");
    Fussweg = value("Fussweg");
    marker = value("marker");
    marker->setText(QStringLiteral("!"));
    setTextColor(marker, QColor(255, 0, 0));
    marker->setFixedWidth(marker->fontMetrics().horizontalAdvance(QLatin1Char('!')) + 4);
    marker->hide();

    int row = 0;
    grid->addWidget(InfoGeb, row++, 0, 1, 3);
    grid->addWidget(caption(QStringLiteral("SG / Fallen:")), row, 0, 1, 2);
    grid->addWidget(InfoSG, row++, 2);
    grid->setRowMinimumHeight(row++, 4);
    grid->addWidget(caption(QStringLiteral("benötigte Randale vor Übernahme:")), row++, 0, 1, 3);
    grid->addWidget(InfoRandale, row++, 1, 1, 2);
    grid->addWidget(caption(QStringLiteral("empfohlene Randale vor Übernahme:")), row++, 0, 1, 3);
    grid->addWidget(marker, row, 0);
    grid->addWidget(HintRandale, row++, 1, 1, 2);
    grid->addWidget(caption(QStringLiteral("benötigte Überfälle vor Übernahme: ")), row++, 0, 1, 3);
    grid->addWidget(InfoUeberfall, row++, 1, 1, 2);
    grid->setRowMinimumHeight(row++, 4);
    grid->addWidget(caption(QStringLiteral("Fussweg: ")), row, 0, 1, 2);
    grid->addWidget(Fussweg, row++, 2);
    grid->setColumnMinimumWidth(0, marker->width());
    grid->setColumnStretch(2, 1);

    static_cast<QVBoxLayout *>(TabInfo->layout())->addWidget(GroupGebaeudeeigenschaften);
}

void TfrmMain::ShowBuildingInfo()
{
    m_list->ShowBuildingInfo();
}

void TfrmMain::showBuilding(const QString &line)
{
    const QStringView address = getAddress(line);
    InfoGeb->setText(address.isEmpty() ? kNoValue : address.toString());
    const qint32 sg = getSG(line);
    InfoSG->setText(sg == -1 ? kNoValue
                             : QStringLiteral("%1 % / %2").arg(QString::number(sg), QString::number(countTraps(line))));
    InfoUeberfall->setText(requiredRobberies(line));

    setTextColor(InfoRandale, Qt::black);
    setTextColor(HintRandale, Qt::black);
    marker->hide();
    showRiotLevel(InfoRandale, requiredRiots(line));
    showRiotLevel(HintRandale, recommendedRiots(line));
    if (InfoRandale->text() != HintRandale->text())
        marker->show();

    // An empty list has no house number to walk to.
    if (!keinversteck->isHidden() || m_memo.lineCount() == 0) {
        Fussweg->setText(kNoValue);
        return;
    }
    const qint64 hideout = strToInt(Versteck->text());
    const qint64 house = getHouseNumber(line);
    const qint64 distance = house > hideout ? house - hideout : hideout - house;
    const qint64 seconds = 5 * distance + 3;
    Fussweg->setText(QStringLiteral("%1 min %2 sec").arg(seconds / 60).arg(seconds % 60));
}

} // namespace veltrix
