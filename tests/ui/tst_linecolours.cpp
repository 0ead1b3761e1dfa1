// "Zeilen einfärben": the lines in view coloured by what they are worth,
// without touching the list.
#include "support/controls.h"
#include "support/statusfixture.h"
#include "ui/linecolours.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QtTest>

using namespace veltrix;
using namespace veltrix::test;

namespace {

const QStringList kLines{
    QStringLiteral("Weg 1: Casino (SG: 80%) [Fallgitter]"),
    QStringLiteral("Weg 2: Fabrik (SG: 80%) [Fallgitter]"),
    QStringLiteral("Weg 3: Kiosk (SG: 44%) Keine Ausbauten vorhanden"),
    QStringLiteral("Spionagebericht vom 07.12.2026"),
    QStringLiteral("Weg 4: Bank (SG: 40%) Keine Ausbauten vorhanden"),
};

// What a line shows: its band colour (invalid for none), bold, grey.
struct Look {
    QColor band;
    bool bold = false;
    bool grey = false;
    friend bool operator==(const Look &, const Look &) = default;
};

Look lookOf(const QPlainTextEdit *edit, int line)
{
    const QTextBlock block = edit->document()->findBlockByNumber(line);
    Look look;
    for (const QTextEdit::ExtraSelection &s : edit->extraSelections())
        if (s.cursor.block() == block && s.format.boolProperty(QTextFormat::FullWidthSelection))
            look.band = s.format.background().color();
    for (const QTextLayout::FormatRange &r : block.layout()->formats()) {
        if (r.start == 0 && r.length == block.length() - 1) {
            look.bold = look.bold || r.format.fontWeight() == QFont::Bold;
            look.grey = look.grey || r.format.hasProperty(QTextFormat::ForegroundBrush);
        }
    }
    return look;
}

QList<Look> looks(const QPlainTextEdit *edit)
{
    QList<Look> all;
    for (int i = 0; i < edit->document()->blockCount() - 1; ++i)
        all << lookOf(edit, i);
    return all;
}

QList<Look> expectedLooks(const QPlainTextEdit *edit)
{
    const LineColours::Scheme scheme = LineColours::schemeFor(edit->palette());
    return {{scheme.from900, false, false},
            {scheme.from500, false, false},
            {QColor(), true, false},
            {QColor(), false, true},
            {scheme.from900, true, false}};
}

// WCAG contrast ratio of two colours.
double contrast(const QColor &a, const QColor &b)
{
    const auto luminance = [](const QColor &c) {
        const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const double la = luminance(a) + 0.05;
    const double lb = luminance(b) + 0.05;
    return la > lb ? la / lb : lb / la;
}

} // namespace

Q_DECLARE_METATYPE(Look)

class TestLineColours : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    // Colouring and uncolouring change nothing the list, undo or the
    // clipboard can see; an edited line is coloured anew.
    void coloursLeaveTheListAlone()
    {
        MainAndStatus w;
        w.main->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.main.get()));
        auto *item = control<QAction>(*w.main, "Zeileneinfaerben1");
        auto *edit = control<QPlainTextEdit>(*w.main, "Memo1");
        item->setChecked(false);
        w.main->list().memo().setLines(kLines);
        QTest::keyClick(edit, Qt::Key_End); // a typed edit: undo steps and the modified flag
        QTest::keyClick(edit, Qt::Key_Space);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCoreApplication::processEvents();
        QTextDocument *doc = edit->document();
        const QString text = doc->toRawText();
        const bool modified = doc->isModified();
        const int undoSteps = doc->availableUndoSteps();
        const int revision = doc->revision();
        const QString caption = w.main->windowTitle();
        edit->selectAll();
        edit->copy();
        const QByteArray copiedHtml = QApplication::clipboard()->mimeData()->data(QStringLiteral("text/html"));
        QSignalSpy changes(doc, &QTextDocument::contentsChange);
        QSignalSpy texts(edit, &QPlainTextEdit::textChanged);
        QSignalSpy undos(doc, &QTextDocument::undoAvailable);
        QSignalSpy modifications(doc, &QTextDocument::modificationChanged);

        item->setChecked(true);
        QCoreApplication::processEvents();
        QCOMPARE(looks(edit), expectedLooks(edit));
        edit->copy();
        QCOMPARE(QApplication::clipboard()->mimeData()->data(QStringLiteral("text/html")), copiedHtml);

        item->setChecked(false);
        QCoreApplication::processEvents();
        QCOMPARE(looks(edit), QList<Look>(kLines.size()));

        QCOMPARE(doc->toRawText(), text);
        QCOMPARE(doc->isModified(), modified);
        QCOMPARE(doc->availableUndoSteps(), undoSteps);
        QCOMPARE(doc->revision(), revision);
        QCOMPARE(w.main->windowTitle(), caption);
        QCOMPARE(changes.count() + texts.count() + undos.count() + modifications.count(), 0);

        item->setChecked(true);
        w.main->list().memo().replaceLine(0, kLines[2]);
        QCoreApplication::processEvents();
        QCOMPARE(lookOf(edit, 0), expectedLooks(edit)[2]);
    }

    // The list keeps its colours in the status window; the main window's
    // item switches them there too.
    void statusWindowFollows()
    {
        MainAndStatus w;
        w.main->show();
        w.main->list().memo().setLines(kLines);
        trigger(*w.main, "Statusfenster1");
        QVERIFY(QTest::qWaitForWindowExposed(w.status.get()));
        auto *edit = control<QPlainTextEdit>(*w.status, "Memo1");
        edit->verticalScrollBar()->setValue(0);
        QCoreApplication::processEvents();
        const QList<Look> all = expectedLooks(edit);
        const int shown = edit->cursorForPosition(QPoint(0, edit->viewport()->height() - 1)).blockNumber() + 1;
        QVERIFY(shown >= 1);
        QCOMPARE(looks(edit).mid(0, shown), all.mid(0, shown));
        control<QAction>(*w.main, "Zeileneinfaerben1")->setChecked(false);
        QCoreApplication::processEvents();
        QCOMPARE(looks(edit).mid(0, shown), QList<Look>(shown));
    }

    // Text keeps its contrast on every band, and grey stays apart from both
    // the text and the background, on light and dark palettes.
    void readableOnEveryPalette_data()
    {
        QTest::addColumn<QColor>("base");
        QTest::addColumn<QColor>("text");
        QTest::newRow("light") << QColor(Qt::white) << QColor(Qt::black);
        QTest::newRow("light grey") << QColor(0xf0, 0xf0, 0xf0) << QColor(0x20, 0x20, 0x20);
        QTest::newRow("dark") << QColor(0x2a, 0x2a, 0x2a) << QColor(0xee, 0xee, 0xee);
        QTest::newRow("black") << QColor(Qt::black) << QColor(Qt::white);
    }
    void readableOnEveryPalette()
    {
        QFETCH(QColor, base);
        QFETCH(QColor, text);
        QPalette palette;
        palette.setColor(QPalette::Base, base);
        palette.setColor(QPalette::Text, text);
        const LineColours::Scheme scheme = LineColours::schemeFor(palette);
        QVERIFY(contrast(text, scheme.from900) >= 7);
        QVERIFY(contrast(text, scheme.from500) >= 7);
        QVERIFY(contrast(scheme.from900, scheme.from500) >= 1.15);
        QVERIFY(contrast(base, scheme.from500) >= 1.15);
        QVERIFY(contrast(base, scheme.from900) > contrast(base, scheme.from500));
        QVERIFY(contrast(scheme.dropped, base) >= 3);
        QVERIFY(contrast(scheme.dropped, text) >= 1.8);
    }
};

QTEST_MAIN(TestLineColours)
#include "tst_linecolours.moc"
