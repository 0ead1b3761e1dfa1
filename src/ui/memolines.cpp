#include "memolines.h"

#include "core/lines.h"
#include "core/reportline.h"
#include "platform/platform.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace veltrix {

namespace {

QString normalised(const QString &text)
{
    if (!text.contains(QLatin1Char('\r')))
        return text;
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

} // namespace

QStringList MemoLines::lines() const
{
    return splitLines(m_edit->toPlainText());
}

qsizetype MemoLines::lineCount() const
{
    const QTextDocument *doc = m_edit->document();
    const int blocks = doc->blockCount();
    return doc->lastBlock().length() <= 1 ? blocks - 1 : blocks;
}

QString MemoLines::line(qsizetype index) const
{
    if (index < 0 || index >= lineCount())
        return QString();
    return m_edit->document()->findBlockByNumber(static_cast<int>(index)).text();
}

void MemoLines::setLines(const QStringList &lines)
{
    setText(joinLinesLf(lines));
}

void MemoLines::setText(const QString &text)
{
    const QString t = normalised(text);
    // The length is known without building the text; most writes differ there.
    const bool sameLength = t.size() + 1 == m_edit->document()->characterCount();
    if (sameLength && t == m_edit->toPlainText())
        return;
    m_edit->setPlainText(t);
}

void MemoLines::clear()
{
    if (!m_edit->document()->isEmpty())
        m_edit->clear();
}

QString MemoLines::crlfText() const
{
    QString t = m_edit->toPlainText();
    t.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return t;
}

void MemoLines::deleteFirstLine()
{
    if (lineCount() == 0)
        return;
    QTextDocument *doc = m_edit->document();
    QTextCursor cursor(doc);
    const QTextBlock first = doc->firstBlock();
    cursor.setPosition(first.position());
    if (first.next().isValid())
        cursor.setPosition(first.next().position(), QTextCursor::KeepAnchor);
    else
        cursor.setPosition(first.position() + first.length() - 1, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}

void MemoLines::deleteLastLine()
{
    const qsizetype count = lineCount();
    if (count == 0)
        return;
    QTextDocument *doc = m_edit->document();
    const QTextBlock last = doc->findBlockByNumber(static_cast<int>(count - 1));
    QTextCursor cursor(doc);
    cursor.setPosition(last.position());
    if (last.next().isValid())
        cursor.setPosition(last.next().position(), QTextCursor::KeepAnchor);
    else
        cursor.setPosition(last.position() + last.length() - 1, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}

void MemoLines::appendLine(const QString &line)
{
    QTextDocument *doc = m_edit->document();
    QTextCursor cursor(doc);
    cursor.movePosition(QTextCursor::End);
    const bool endsWithBreak = doc->isEmpty() || doc->lastBlock().length() <= 1;
    QString insert = normalised(line);
    insert.replace(QLatin1Char('\n'), QChar::ParagraphSeparator);
    cursor.insertText(endsWithBreak ? insert + QChar::ParagraphSeparator
                                    : QChar::ParagraphSeparator + insert + QChar::ParagraphSeparator);
}

void MemoLines::moveTextTo(MemoLines &target)
{
    target.clear();
    QTextDocument *mine = m_edit->document();
    QTextDocument *theirs = target.m_edit->document();
    // Each document belongs to the widget showing it, so that swapping never
    // deletes one and each goes with its text area.
    mine->setParent(target.m_edit);
    theirs->setParent(m_edit);
    m_edit->setDocument(theirs);
    target.m_edit->setDocument(mine);
    emit target.m_edit->textChanged();
    emit m_edit->textChanged();
}

void MemoLines::replaceLine(qsizetype index, const QString &text)
{
    if (index < 0 || index >= lineCount())
        return;
    const QTextBlock block = m_edit->document()->findBlockByNumber(static_cast<int>(index));
    if (block.text() == text)
        return;
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
    cursor.insertText(text);
}

bool MemoLines::editLines(const std::vector<qsizetype> &remove, const QStringList &append, qsizetype expectedLineCount)
{
    QTextDocument *doc = m_edit->document();
    // Lines and paragraphs correspond one to one only then.
    if (lineCount() != expectedLineCount || doc->lastBlock().length() > 1)
        return false;
    if (remove.empty() && append.isEmpty())
        return true;
    const bool undo = doc->isUndoRedoEnabled();
    doc->setUndoRedoEnabled(false);
    QTextCursor cursor(doc);
    cursor.beginEditBlock();
    for (auto it = remove.rbegin(); it != remove.rend(); ++it) {
        const QTextBlock block = doc->findBlockByNumber(static_cast<int>(*it));
        cursor.setPosition(block.position());
        cursor.setPosition(block.next().position(), QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
    cursor.movePosition(QTextCursor::End);
    for (const QString &line : append) {
        QString insert = normalised(line);
        insert.replace(QLatin1Char('\n'), QChar::ParagraphSeparator);
        cursor.insertText(insert + QChar::ParagraphSeparator);
    }
    cursor.endEditBlock();
    doc->setUndoRedoEnabled(undo);
    caretToStart();
    return true;
}

int MemoLines::toQtPosition(qsizetype crlf) const
{
    if (crlf <= 0)
        return 0;
    const QTextDocument *doc = m_edit->document();
    // Binary search for the last block whose CR LF start is <= crlf.
    int lo = 0;
    int hi = doc->blockCount() - 1;
    while (lo < hi) {
        const int mid = (lo + hi + 1) / 2;
        const QTextBlock b = doc->findBlockByNumber(mid);
        if (b.position() + mid <= crlf)
            lo = mid;
        else
            hi = mid - 1;
    }
    const QTextBlock block = doc->findBlockByNumber(lo);
    const qsizetype inBlock = crlf - (block.position() + lo);
    const qsizetype textLength = block.length() - 1;
    return block.position() + static_cast<int>(std::min(inBlock, textLength));
}

qsizetype MemoLines::toCrlfPosition(int qt) const
{
    const QTextBlock block = m_edit->document()->findBlock(qt);
    return qt + (block.isValid() ? block.blockNumber() : 0);
}

qsizetype MemoLines::selStart() const
{
    return toCrlfPosition(m_edit->textCursor().selectionStart());
}

qsizetype MemoLines::selLength() const
{
    const QTextCursor c = m_edit->textCursor();
    return toCrlfPosition(c.selectionEnd()) - toCrlfPosition(c.selectionStart());
}

void MemoLines::setSelection(qsizetype start, qsizetype length)
{
    QTextCursor c = m_edit->textCursor();
    c.setPosition(toQtPosition(start));
    c.setPosition(toQtPosition(start + std::max<qsizetype>(length, 0)), QTextCursor::KeepAnchor);
    m_edit->setTextCursor(c);
}

void MemoLines::selectAll()
{
    m_edit->selectAll();
}

void MemoLines::caretToStart()
{
    QTextCursor c = m_edit->textCursor();
    c.setPosition(0);
    m_edit->setTextCursor(c);
}

void selectFirstHouseNumber(MemoLines &memo, Clipboard &clipboard)
{
    const QString first = memo.firstLine();
    const auto span = houseNumberSpan(first);
    if (!span)
        return;
    memo.setSelection(span->start, span->length);
    if (span->length > 0)
        clipboard.setText(first.mid(span->start, span->length));
}

} // namespace veltrix
