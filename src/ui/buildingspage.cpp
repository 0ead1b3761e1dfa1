#include "buildingspage.h"

#include "pagelayout.h"
#include "reportlist.h"

#include "core/catalogue.h"
#include "core/statistics.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QVBoxLayout>

namespace veltrix {

BuildingsPage::BuildingsPage(ReportList &list, QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TabGebaeude"));
    QVBoxLayout *page = makePageLayout(this);

    AnzGebs = named(new QPlainTextEdit(this), "AnzGebs");
    // The page's only control; the tab's caption names it.
    AnzGebs->setAccessibleName(QStringLiteral("Gebäude"));
    AnzGebs->setReadOnly(true);
    AnzGebs->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont fixed(QStringLiteral("Courier New"));
    fixed.setStyleHint(QFont::Monospace);
    fixed.setFixedPitch(true);
    // 9 pt at 96 DPI
    setScaledPixelFont(AnzGebs, fixed, 12);
    keepScaled(AnzGebs, [this] {
        AnzGebs->setTabStopDistance(QFontMetricsF(AnzGebs->font()).horizontalAdvance(QLatin1Char(' ')) * 8);
    });
    AnzGebs->setPlainText(kNoValue);
    page->addWidget(AnzGebs, 1);
    page->addStretch(1);

    connect(&list, &ReportList::protectionMoneyChanged, this, [this](const ProtectionMoney &money) {
        AnzGebs->setPlainText(buildingCountRows(money.counts).join(QLatin1Char('\n')));
        QTextCursor cursor = AnzGebs->textCursor();
        cursor.setPosition(0);
        AnzGebs->setTextCursor(cursor);
    });
}

} // namespace veltrix
