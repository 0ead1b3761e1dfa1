#include "linecolours.h"

#include "core/linemarks.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QEvent>
#include <QPalette>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

namespace veltrix {

namespace {

QColor blend(const QColor &base, const QColor &tint, qreal share)
{
    const auto mix = [share](int a, int b) { return qRound(a + (b - a) * share); };
    return QColor(mix(base.red(), tint.red()), mix(base.green(), tint.green()), mix(base.blue(), tint.blue()));
}

// Bold and grey as formats of the line's layout. A layout whose formats
// change is laid out again, and only that line.
void applyLook(QTextDocument *document, const QTextBlock &block, const LineMarks &marks, const QColor &grey)
{
    QList<QTextLayout::FormatRange> wanted;
    const int length = block.length() - 1;
    if ((marks.easy || marks.dropped) && length > 0) {
        QTextLayout::FormatRange range;
        range.start = 0;
        range.length = length;
        if (marks.easy)
            range.format.setFontWeight(QFont::Bold);
        if (marks.dropped)
            range.format.setForeground(grey);
        wanted << range;
    }
    QTextLayout *layout = block.layout();
    if (layout->formats() == wanted)
        return;
    layout->setFormats(wanted);
    // Lays the line out again without an edit: no undo step, no change signal.
    document->markContentsDirty(block.position(), block.length());
}

bool sameBands(const QList<QTextEdit::ExtraSelection> &a, const QList<QTextEdit::ExtraSelection> &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a[i].cursor.document() != b[i].cursor.document() || a[i].cursor.position() != b[i].cursor.position()
            || a[i].format != b[i].format)
            return false;
    }
    return true;
}

} // namespace

LineColours::LineColours(QPlainTextEdit *edit)
    : QObject(edit), m_edit(edit), m_scheme(schemeFor(edit->palette()))
{
    setObjectName(QStringLiteral("LineColours"));
    // Whatever may bring other lines into view or change them: scrolling,
    // edits, a new text or document, a new size.
    connect(edit, &QPlainTextEdit::updateRequest, this, &LineColours::schedule);
    connect(edit, &QPlainTextEdit::textChanged, this, &LineColours::schedule);
    edit->installEventFilter(this);
    edit->viewport()->installEventFilter(this);
    schedule();
}

LineColours *LineColours::attach(QPlainTextEdit *edit, QAction *toggle)
{
    auto *colours = new LineColours(edit);
    if (toggle) {
        colours->setEnabled(toggle->isChecked());
        connect(toggle, &QAction::toggled, colours, &LineColours::setEnabled);
    }
    return colours;
}

void LineColours::setEnabled(bool on)
{
    if (m_enabled == on)
        return;
    m_enabled = on;
    schedule();
}

LineColours::Scheme LineColours::schemeFor(const QPalette &palette)
{
    const QColor base = palette.color(QPalette::Active, QPalette::Base);
    const QColor text = palette.color(QPalette::Active, QPalette::Text);
    // The richer band stands further from the base on either palette, and
    // the two differ in lightness too, not in hue alone.
    return {blend(base, QColor(0x3c, 0xb0, 0x43), 0.34), blend(base, QColor(0xe0, 0x98, 0x00), 0.20),
            blend(text, base, 0.45)};
}

void LineColours::schedule()
{
    // Queued calls come before the paint, which is posted at a lower priority.
    if (m_queued || m_refreshing)
        return;
    m_queued = true;
    QMetaObject::invokeMethod(this, &LineColours::refresh, Qt::QueuedConnection);
}

void LineColours::refresh()
{
    m_queued = false;
    m_refreshing = true;
    QList<QTextEdit::ExtraSelection> bands;
    const QAbstractTextDocumentLayout *layout = m_edit->document()->documentLayout();
    QTextBlock block = m_edit->cursorForPosition(QPoint(0, 0)).block();
    const qreal bottom = m_edit->viewport()->height();
    qreal top = m_edit->cursorRect(QTextCursor(block)).top();
    for (; block.isValid() && top <= bottom; block = block.next()) {
        const LineMarks marks = m_enabled ? lineMarks(block.text()) : LineMarks{};
        applyLook(m_edit->document(), block, marks, m_scheme.dropped);
        if (marks.band != WorthBand::Plain) {
            QTextEdit::ExtraSelection band;
            band.cursor = QTextCursor(block);
            band.format.setBackground(marks.band == WorthBand::From900 ? m_scheme.from900 : m_scheme.from500);
            band.format.setProperty(QTextFormat::FullWidthSelection, true);
            bands << band;
        }
        top += layout->blockBoundingRect(block).height();
    }
    if (!sameBands(bands, m_edit->extraSelections()))
        m_edit->setExtraSelections(bands);
    m_refreshing = false;
}

bool LineColours::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
        if (watched == m_edit) {
            m_scheme = schemeFor(m_edit->palette());
            schedule();
        }
        break;
    case QEvent::Resize:
    case QEvent::Show:
        schedule();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace veltrix
