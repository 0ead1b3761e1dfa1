#include "memolines.h"

#include "core/lines.h"
#include "core/reportline.h"
#include "platform/platform.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace veltrix {

namespace {

// The text is read raw: toPlainText would turn a non-breaking space into a
// blank. On insertion the document ends a paragraph at U+FDD0 and U+FDD1
// (its frame marks), so inside a line they are kept as lone low surrogates,
// which no decoded or typed text holds, and turned back when read. The
// length stays, so positions are unaffected.
constexpr char16_t kFrameStart = 0xFDD0;
constexpr char16_t kFrameEnd = 0xFDD1;
constexpr char16_t kFrameStartKept = 0xDFD0;
constexpr char16_t kFrameEndKept = 0xDFD1;

// Line ends as the text area takes them: CR LF, CR and U+2029 become LF.
QString normalised(const QString &text)
{
    const auto isEnd = [](QChar ch) { return ch == QLatin1Char('\r') || ch == QChar::ParagraphSeparator; };
    if (std::none_of(text.cbegin(), text.cend(), isEnd))
        return text;
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    t.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return t;
}

// A text as it is handed to the document.
QString stored(const QString &text)
{
    const auto isFrameChar = [](QChar ch) { return ch.unicode() == kFrameStart || ch.unicode() == kFrameEnd; };
    if (std::none_of(text.cbegin(), text.cend(), isFrameChar))
        return text;
    QString t = text;
    for (QChar &ch : t) {
        if (ch.unicode() == kFrameStart)
            ch = QChar(kFrameStartKept);
        else if (ch.unicode() == kFrameEnd)
            ch = QChar(kFrameEndKept);
    }
    return t;
}

// The document's raw text (or one block's) with LF for the paragraph breaks
// and the kept characters back.
QString readable(QString raw)
{
    QChar *p = raw.data();
    const qsizetype n = raw.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = p[i].unicode();
        if (u == QChar::ParagraphSeparator) {
            p[i] = QLatin1Char('\n');
        } else if ((u == kFrameStartKept || u == kFrameEndKept) && (i == 0 || !p[i - 1].isHighSurrogate())) {
            p[i] = QChar(u == kFrameStartKept ? kFrameStart : kFrameEnd);
        }
    }
    return raw;
}

// One line's text as inserted by a cursor.
QString insertable(const QString &line)
{
    QString t = stored(normalised(line));
    t.replace(QLatin1Char('\n'), QChar::ParagraphSeparator);
    return t;
}

} // namespace

QString MemoLines::text() const
{
    return readable(m_edit->document()->toRawText());
}

QStringList MemoLines::lines() const
{
    // Block by block: a long list read whole first would pass through one
    // more text of its full length. Only paragraph breaks end a line: a
    // U+2028 inside one is its text.
    const qsizetype count = lineCount();
    QStringList result;
    result.reserve(count);
    for (QTextBlock block = m_edit->document()->begin(); result.size() < count; block = block.next())
        result << readable(block.text());
    return result;
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
    return readable(m_edit->document()->findBlockByNumber(static_cast<int>(index)).text());
}

void MemoLines::setLines(const QStringList &lines)
{
    // The length the written text would have; only then can it equal the
    // present one, and that is left to setText to find out.
    qsizetype length = 0;
    for (const QString &line : lines)
        length += line.size() + 1 - (line.contains(QLatin1Char('\r')) ? line.count(QStringLiteral("\r\n")) : 0);
    if (length + 1 == m_edit->document()->characterCount()) {
        setText(joinLinesLf(lines));
        return;
    }
    // Handed over in pieces as setPlainText would take the whole text: a
    // long list joined first would pass through one more text of its size.
    QTextDocument *doc = m_edit->document();
    const bool undo = doc->isUndoRedoEnabled();
    doc->setUndoRedoEnabled(false);
    QTextCursor cursor(doc);
    cursor.beginEditBlock();
    doc->clear();
    cursor = QTextCursor(doc);
    constexpr qsizetype kPiece = 1 << 16;
    QString piece;
    piece.reserve(kPiece + 256);
    for (const QString &line : lines) {
        piece += insertable(line);
        piece += QChar::ParagraphSeparator;
        if (piece.size() >= kPiece) {
            cursor.insertText(piece);
            piece.resize(0);
        }
    }
    if (!piece.isEmpty())
        cursor.insertText(piece);
    cursor.endEditBlock();
    doc->setUndoRedoEnabled(undo);
    caretToStart();
}

void MemoLines::setText(const QString &text)
{
    const QString t = normalised(text);
    // The length is known without building the text; most writes differ there.
    const bool sameLength = t.size() + 1 == m_edit->document()->characterCount();
    if (sameLength && t == this->text())
        return;
    m_edit->setPlainText(stored(t));
}

void MemoLines::clear()
{
    if (!m_edit->document()->isEmpty())
        m_edit->clear();
}

QString MemoLines::crlfText() const
{
    QString t = text();
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
    const QString insert = insertable(line);
    cursor.insertText(endsWithBreak ? insert + QChar::ParagraphSeparator
                                    : QChar::ParagraphSeparator + insert + QChar::ParagraphSeparator);
}

void MemoLines::replaceLine(qsizetype index, const QString &text)
{
    if (index < 0 || index >= lineCount())
        return;
    const QTextBlock block = m_edit->document()->findBlockByNumber(static_cast<int>(index));
    const QString insert = insertable(text);
    if (block.text() == insert)
        return;
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
    cursor.insertText(insert);
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
    for (const QString &line : append)
        cursor.insertText(insertable(line) + QChar::ParagraphSeparator);
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
