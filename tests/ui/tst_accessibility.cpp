// Every sidebar page reached by keyboard and screen reader alone: each
// control that takes the focus has a name to announce, and Tab walks the
// page in reading order.
#include "support/controls.h"
#include "support/fakeplatform.h"
#include "ui/mainfrm.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>
#include <QtTest>

using namespace veltrix;
using namespace veltrix::test;

namespace {

// Controls carry names; a widget's inner parts (a combo box's edit field,
// scroll bars) do not and belong to their control.
bool isControl(const QWidget *w, const QWidget *page)
{
    return page->isAncestorOf(w) && !w->objectName().isEmpty() && !w->objectName().startsWith(u"qt_")
           && (w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(page);
}

// What a screen reader can announce for a control: a name of its own, the
// caption bound to it (only a caption beside it in the same parent counts),
// its group's title, or a button's caption.
bool isNamed(const QWidget *w)
{
    if (!w->accessibleName().isEmpty())
        return true;
    if (const auto *button = qobject_cast<const QAbstractButton *>(w))
        return !button->text().isEmpty();
    const QWidget *parent = w->parentWidget();
    for (const QLabel *label : parent->findChildren<QLabel *>(Qt::FindDirectChildrenOnly)) {
        if (label->buddy() == w && !label->text().isEmpty())
            return true;
    }
    const auto *group = qobject_cast<const QGroupBox *>(parent);
    return group && !group->title().trimmed().isEmpty();
}

// Left to right within a row (the two overlap vertically), else top to bottom.
bool readsBefore(const QRect &a, const QRect &b)
{
    if (a.top() <= b.bottom() && b.top() <= a.bottom())
        return a.left() < b.left();
    return a.top() < b.top();
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

private slots:
    void pages_data()
    {
        QTest::addColumn<QString>("page");
        for (const char *page : {"TabFilter", "TabStats", "TabGebaeude", "TabInfo", "TabZubehoer", "TabRechner"})
            QTest::newRow(page) << QString::fromLatin1(page);
    }
    void pages()
    {
        QFETCH(QString, page);
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto *tab = control<QWidget>(w, page);
        control<QTabWidget>(w, "PageControl1")->setCurrentWidget(tab);

        QList<QWidget *> chain;
        for (QWidget *next = tab->nextInFocusChain(); next != tab; next = next->nextInFocusChain()) {
            if (isControl(next, tab))
                chain.append(next);
        }
        QVERIFY(!chain.isEmpty());
        for (qsizetype i = 0; i < chain.size(); ++i) {
            QWidget *widget = chain[i];
            QVERIFY2(isNamed(widget), qPrintable(widget->objectName()));
            if (i == 0)
                continue;
            const QRect before(chain[i - 1]->mapTo(tab, QPoint()), chain[i - 1]->size());
            const QRect here(widget->mapTo(tab, QPoint()), widget->size());
            QVERIFY2(readsBefore(before, here), qPrintable(chain[i - 1]->objectName() + " before " + widget->objectName()));
        }
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
