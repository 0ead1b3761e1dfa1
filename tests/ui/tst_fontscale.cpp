// Every window at larger fonts: each text fits the room its control gives it,
// no two controls overlap and the window lies wholly on the screen. Run once at the screen's DPI and once more with
// QT_FONT_DPI set (a separate ctest entry, since the DPI is read at start-up).
// With VELTRIX_FONTSCALE_SHOTS naming a folder, each window and page is
// saved there as a picture to look at.
#include "support/controls.h"
#include "support/fakeplatform.h"
#include "ui/application.h"
#include "ui/mainfrm.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QStyleOption>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

using namespace veltrix;
using namespace veltrix::test;

namespace {

// Places where one control lies over another on purpose.
const QList<QPair<QString, QString>> kDesignedOverlaps{
    // the progress bar sits on the right end of the first panel
    {QStringLiteral("ProgressBar1"), QStringLiteral("Panel0")},
    // the red marker frames the hideout field from beneath
    {QStringLiteral("keinversteck"), QStringLiteral("Versteck")},
    // the picture is narrower than its label; the banner starts where it ends
    {QStringLiteral("Image1"), QStringLiteral("Label1")},
};

// Controls whose text is never seen, or that may run past their parent.
const QStringList kMarkers{QStringLiteral("keinversteck")};
// The last status panel runs on under the window's edge; its text must
// still fit the part that shows.
const QStringList kRunsOn{QStringLiteral("Panel3")};

QString nameOf(const QWidget *w)
{
    if (!w->objectName().isEmpty())
        return w->objectName();
    if (const auto *label = qobject_cast<const QLabel *>(w))
        return QStringLiteral("label \"%1\"").arg(label->text());
    return QString::fromLatin1(w->metaObject()->className());
}

QString plainText(const QString &caption)
{
    QString text = caption;
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text;
}

// The controls a player sees: no Qt internals (scroll bars, viewports, the
// line edit inside a combo box), which their owner lays out.
bool isControl(const QWidget *w)
{
    if (w->objectName().startsWith(u"qt_"))
        return false;
    for (const QWidget *p = w->parentWidget(); p; p = p->parentWidget()) {
        if (qobject_cast<const QComboBox *>(p) || qobject_cast<const QAbstractScrollArea *>(p)
            || qobject_cast<const QTabBar *>(p))
            return false;
    }
    return qobject_cast<const QLabel *>(w) || qobject_cast<const QAbstractButton *>(w)
           || qobject_cast<const QLineEdit *>(w) || qobject_cast<const QComboBox *>(w)
           || qobject_cast<const QAbstractScrollArea *>(w) || qobject_cast<const QSlider *>(w)
           || qobject_cast<const QProgressBar *>(w) || qobject_cast<const QGroupBox *>(w)
           || qobject_cast<const QTabWidget *>(w) || qobject_cast<const QMenuBar *>(w);
}

// Why a text does not fit, or an empty string.
QString textClipping(const QWidget *w)
{
    const QFontMetrics fm = w->fontMetrics();
    const auto tooSmall = [&](const QString &text, const QRect &room, int extra = 0) -> QString {
        const QSize need = fm.size(Qt::TextShowMnemonic, text) + QSize(extra, 0);
        if (need.width() <= room.width() && fm.height() <= room.height())
            return {};
        return QStringLiteral("\"%1\" needs %2x%3, has %4x%5")
            .arg(plainText(text))
            .arg(need.width())
            .arg(fm.height())
            .arg(room.width())
            .arg(room.height());
    };
    if (const auto *label = qobject_cast<const QLabel *>(w)) {
        if (label->text().isEmpty() || !label->pixmap().isNull())
            return {};
        QRect room = label->contentsRect().adjusted(label->margin(), label->margin(), -label->margin(), -label->margin());
        if (const QWidget *parent = label->parentWidget())
            room &= parent->rect().translated(-label->pos());
        if (label->wordWrap()) {
            if (label->heightForWidth(label->width()) <= label->height())
                return {};
            return QStringLiteral("\"%1\" wraps to more lines than it has room for").arg(label->text());
        }
        const int indent = label->indent() > 0 ? label->indent() : (label->frameWidth() > 0 ? fm.horizontalAdvance(QLatin1Char('x')) / 2 : 0);
        const QString text = label->buddy() ? label->text() : QString(label->text()).replace(u'&', QStringLiteral("&&"));
        return tooSmall(text, room, indent);
    }
    if (const auto *box = qobject_cast<const QCheckBox *>(w)) {
        QStyleOptionButton option;
        option.initFrom(box);
        option.text = box->text();
        const QRect room = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
        return tooSmall(box->text(), room);
    }
    if (const auto *button = qobject_cast<const QPushButton *>(w)) {
        if (button->text().isEmpty())
            return {};
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        option.icon = button->icon();
        option.iconSize = button->iconSize();
        QRect room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        const int iconRoom = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
        // A caption touching both edges fits but reads as cut off: half a
        // space's width stays free at either side.
        const int edges = fm.horizontalAdvance(QLatin1Char(' '));
        if (const QString fault = tooSmall(button->text(), button->rect(), iconRoom + edges); !fault.isEmpty())
            return fault + QStringLiteral(" with its margins");
        return tooSmall(button->text(), room, iconRoom);
    }
    if (const auto *group = qobject_cast<const QGroupBox *>(w)) {
        QStyleOptionGroupBox option;
        option.initFrom(group);
        option.text = group->title();
        option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        const QRect label = group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group);
        // The style sizes the title's room from its text; it must fit the box.
        if (!group->rect().contains(label))
            return QStringLiteral("title \"%1\" runs past the group's edge").arg(group->title());
        return {};
    }
    if (const auto *tabs = qobject_cast<const QTabWidget *>(w)) {
        const QTabBar *bar = tabs->tabBar();
        const bool vertical = tabs->tabPosition() == QTabWidget::West || tabs->tabPosition() == QTabWidget::East;
        const int hSpace = bar->style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, bar);
        for (int i = 0; i < bar->count(); ++i) {
            const QRect tab = bar->tabRect(i);
            if (!bar->rect().contains(tab) || !tabs->rect().contains(tab.translated(bar->pos())))
                return QStringLiteral("tab \"%1\" lies outside the tab bar").arg(bar->tabText(i));
            const int length = vertical ? tab.height() : tab.width();
            const int need = fm.size(Qt::TextShowMnemonic, bar->tabText(i)).width() + hSpace;
            if (need > length)
                return QStringLiteral("tab \"%1\" needs %2, has %3").arg(bar->tabText(i)).arg(need).arg(length);
        }
        return {};
    }
    if (const auto *bar = qobject_cast<const QMenuBar *>(w)) {
        if (const auto *more = bar->findChild<QWidget *>(QStringLiteral("qt_menubar_ext_button")); more && more->isVisible())
            return QStringLiteral("the menu bar hides items behind its extension");
        for (QAction *action : bar->actions()) {
            if (!action->isVisible())
                continue;
            const QRect item = bar->actionGeometry(action);
            if (item.isEmpty() || !bar->rect().contains(item))
                return QStringLiteral("menu item \"%1\" is not shown whole").arg(plainText(action->text()));
            if (fm.size(Qt::TextShowMnemonic, action->text()).width() > item.width())
                return QStringLiteral("menu item \"%1\" is cut").arg(plainText(action->text()));
        }
        return {};
    }
    return {};
}

QList<QWidget *> shownControls(QWidget *window)
{
    QList<QWidget *> controls;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (w->isVisibleTo(window) && w->window() == window && isControl(w))
            controls.append(w);
    }
    return controls;
}

bool designedOverlap(const QWidget *a, const QWidget *b)
{
    for (const auto &[x, y] : kDesignedOverlaps) {
        if ((a->objectName() == x && b->objectName() == y) || (a->objectName() == y && b->objectName() == x))
            return true;
    }
    return false;
}

// Every fault in what the window shows now, one line each.
QStringList faults(QWidget *window)
{
    QStringList found;
    const QList<QWidget *> controls = shownControls(window);
    for (QWidget *w : controls) {
        if (kMarkers.contains(w->objectName()))
            continue;
        if (const QString why = textClipping(w); !why.isEmpty())
            found << nameOf(w) + QStringLiteral(": ") + why;
        // A control reaching past its parent is cut off there.
        const QWidget *parent = w->parentWidget();
        if (parent && !parent->rect().contains(w->geometry()) && !kRunsOn.contains(w->objectName()))
            found << nameOf(w) + QStringLiteral(" reaches past ") + nameOf(parent);
    }
    for (qsizetype i = 0; i < controls.size(); ++i) {
        for (qsizetype j = i + 1; j < controls.size(); ++j) {
            QWidget *a = controls[i];
            QWidget *b = controls[j];
            if (a->isAncestorOf(b) || b->isAncestorOf(a) || designedOverlap(a, b) || !a->isVisible() || !b->isVisible())
                continue;
            const QRect ra(a->mapTo(window, QPoint(0, 0)), a->size());
            const QRect rb(b->mapTo(window, QPoint(0, 0)), b->size());
            if (ra.intersects(rb))
                found << nameOf(a) + QStringLiteral(" overlaps ") + nameOf(b);
        }
    }
    return found;
}

void saveShot(QWidget *window, const QString &name)
{
    const QString folder = qEnvironmentVariable("VELTRIX_FONTSCALE_SHOTS");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    window->grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
    QFile places(QDir(folder).filePath(name + QStringLiteral(".txt")));
    if (!places.open(QIODevice::WriteOnly | QIODevice::Text))
        return;
    QTextStream out(&places);
    for (const QWidget *w : window->findChildren<QWidget *>()) {
        if (w->isVisibleTo(window))
            out << nameOf(w) << ' ' << w->x() << ',' << w->y() << ' ' << w->width() << 'x' << w->height() << '\n';
    }
}

} // namespace

class TestFontScale : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // A DPI asked for but not given would test nothing new.
        if (const int dpi = qEnvironmentVariableIntValue("QT_FONT_DPI"); dpi > 0)
            QCOMPARE(qRound(QGuiApplication::primaryScreen()->logicalDotsPerInchY()), dpi);
    }

    void everyWindowFits_data()
    {
        QTest::addColumn<qreal>("points");
        // A desktop theme may set its font once the windows are up.
        QTest::addColumn<bool>("afterStart");
        QTest::newRow("8 pt") << 8.0 << false;
        QTest::newRow("10 pt") << 10.0 << false;
        QTest::newRow("12 pt") << 12.0 << false;
        QTest::newRow("12 pt once the windows are up") << 12.0 << true;
        QTest::newRow("back to 8 pt once the windows are up") << 8.0 << true;
    }
    void everyWindowFits()
    {
        QFETCH(qreal, points);
        QFETCH(bool, afterStart);
        const QFont before = QApplication::font();
        QFont font = before;
        font.setPointSizeF(afterStart ? 20 - points : points);
        QApplication::setFont(font);
        const QString tag = QStringLiteral("%1pt-%2dpi%3")
                                .arg(points)
                                .arg(qRound(QGuiApplication::primaryScreen()->logicalDotsPerInchY()))
                                .arg(afterStart ? QStringLiteral("-later") : QString());

        test::FakePlatform fakes;
        VeltrixWindows windows = createWindows(fakes.platform());
        if (afterStart) {
            windows.main->show();
            QVERIFY(QTest::qWaitForWindowExposed(windows.main.get()));
            font.setPointSizeF(points);
            QApplication::setFont(font);
            QCoreApplication::processEvents();
        }
        QStringList found;
        const auto check = [&](QWidget *window, const QString &name) {
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window));
            QCoreApplication::processEvents();
            for (const QString &fault : faults(window))
                found << name + QStringLiteral(": ") + fault;
            const QRect frame = window->frameGeometry();
            const QRect area = window->screen()->availableGeometry();
            if (!area.contains(frame)) {
                found << QStringLiteral("%1: frame %2,%3 %4x%5 reaches out of the screen's %6x%7")
                             .arg(name).arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height())
                             .arg(area.width()).arg(area.height());
            }
            saveShot(window, tag + QLatin1Char('-') + name);
        };

        auto *pages = control<QTabWidget>(*windows.main, "PageControl1");
        for (int i = 0; i < pages->count(); ++i) {
            pages->setCurrentIndex(i);
            check(windows.main.get(), QStringLiteral("main-") + pages->widget(i)->objectName());
        }
        windows.main->hide();
        check(windows.status.get(), QStringLiteral("status"));
        check(windows.sgRechner.get(), QStringLiteral("sgrechner"));
        check(windows.info.get(), QStringLiteral("info"));
        check(windows.getUrl.get(), QStringLiteral("geturl"));
        check(control<QDialog>(*windows.main, "FindDialog1"), QStringLiteral("findbox"));

        QApplication::setFont(before);
        for (const QString &fault : found)
            qWarning("%s", qPrintable(fault));
        QVERIFY2(found.isEmpty(), qPrintable(QStringLiteral("%1 faults, listed above").arg(found.size())));
    }
};

QTEST_MAIN(TestFontScale)
#include "tst_fontscale.moc"
