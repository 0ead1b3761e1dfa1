#pragma once

#include <QString>
#include <QStringList>
#include <vector>

class QPlainTextEdit;

namespace veltrix {

class Clipboard;

// Gives a QPlainTextEdit the line semantics the program relies on: a final
// line break opens no further line; written text ends every line with a
// break; writing a text equal to the present one raises no change; positions
// and selections count a line break as two characters (CR LF). Every other
// character of a line is read back as it was written.
class MemoLines {
public:
    explicit MemoLines(QPlainTextEdit *edit) : m_edit(edit) {}

    QPlainTextEdit *edit() const { return m_edit; }

    // The whole text, LF for every line break.
    QString text() const;
    QStringList lines() const;
    qsizetype lineCount() const;
    bool isEmpty() const { return lineCount() == 0; }
    QString line(qsizetype index) const;
    QString firstLine() const { return line(0); }

    // Writes the lines, each followed by a line break. No change signal when
    // the text stays the same.
    void setLines(const QStringList &lines);
    // Writes a text as it is (line ends normalised). No change signal when equal.
    void setText(const QString &text);
    void clear();

    // The text with CR LF for every line break, as saved and searched.
    QString crlfText() const;

    void deleteFirstLine();
    void deleteLastLine();
    void appendLine(const QString &line);

    // Replaces one line's text in place.
    void replaceLine(qsizetype index, const QString &text);

    // Removes the lines at the ascending indexes and appends lines, as one
    // change, without undo history and with the caret at the start, like a
    // write of the whole text but without rebuilding the untouched lines. Only when the text is its
    // expectedLineCount lines, each ended by a break; false (and nothing
    // changed) otherwise, and the caller writes the whole text instead.
    bool editLines(const std::vector<qsizetype> &remove, const QStringList &append, qsizetype expectedLineCount);

    // Selection in CR LF positions.
    qsizetype selStart() const;
    qsizetype selLength() const;
    void setSelection(qsizetype start, qsizetype length);
    void selectAll();
    void caretToStart();

private:
    int toQtPosition(qsizetype crlfPosition) const;
    qsizetype toCrlfPosition(int qtPosition) const;

    QPlainTextEdit *m_edit;
};

// Selects the house number of the first line, which starts the text, and
// puts it on the clipboard; an empty selection copies nothing. Both windows'
// "copy house number" commands use it.
void selectFirstHouseNumber(MemoLines &memo, Clipboard &clipboard);

} // namespace veltrix
