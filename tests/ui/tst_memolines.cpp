#include "support/samplecharacters.h"
#include "ui/memolines.h"

#include <QtTest>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTextCursor>
#include <QTextDocument>
#include <vector>

using namespace veltrix;

class TestMemoLines : public QObject {
    Q_OBJECT

private slots:
    void lineCount_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("count");
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("one without break") << "a" << 1;
        QTest::newRow("one with break") << "a\n" << 1;
        QTest::newRow("empty line") << "\n" << 1;
        QTest::newRow("two") << "a\nb" << 2;
        QTest::newRow("trailing empty line") << "a\n\n" << 2;
    }
    void lineCount()
    {
        QFETCH(QString, text);
        QFETCH(int, count);
        QPlainTextEdit edit;
        edit.setPlainText(text);
        MemoLines memo(&edit);
        QCOMPARE(int(memo.lineCount()), count);
        QCOMPARE(int(memo.lines().size()), count);
    }

    // The write-back raises the change notification only for a new text,
    // also when old and new text have the same length.
    void writeBackChangesOnlyWhenDifferent_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QStringList>("written");
        QTest::addColumn<int>("changes");
        QTest::newRow("equal") << "A\nB\n" << QStringList{"A", "B"} << 0;
        QTest::newRow("same length, reversed") << "A\nB\n" << QStringList{"B", "A"} << 1;
        QTest::newRow("final break missing") << "A\nB" << QStringList{"A", "B"} << 1;
        QTest::newRow("shorter") << "A\nB\n" << QStringList{"A"} << 1;
        QTest::newRow("empty to empty") << "" << QStringList{} << 0;
    }

    void writeBackChangesOnlyWhenDifferent()
    {
        QFETCH(QString, before);
        QFETCH(QStringList, written);
        QFETCH(int, changes);
        QPlainTextEdit edit;
        MemoLines memo(&edit);
        memo.setText(before);
        QSignalSpy spy(&edit, &QPlainTextEdit::textChanged);
        memo.setLines(written);
        QCOMPARE(spy.count(), changes);
        QCOMPARE(memo.lines(), written);
    }

    // Removing and appending lines in place gives the text a full write
    // would give, with one change, no undo history and the caret at the start.
    void editLinesInPlace_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QList<int>>("remove");
        QTest::addColumn<QStringList>("append");
        QTest::addColumn<bool>("done");
        QTest::addColumn<QString>("after");
        QTest::newRow("remove first, middle and last")
            << "a\nb\nc\nd\ne\n" << QList<int>{0, 2, 4} << QStringList{} << true << "b\nd\n";
        QTest::newRow("move to the end") << "a\nb\nc\n" << QList<int>{0} << QStringList{"a"} << true << "b\nc\na\n";
        QTest::newRow("remove all") << "a\nb\n" << QList<int>{0, 1} << QStringList{} << true << "";
        QTest::newRow("empty lines") << "\na\n\n" << QList<int>{0, 2} << QStringList{} << true << "a\n";
        QTest::newRow("no final break: full write needed")
            << "a\nb" << QList<int>{0} << QStringList{} << false << "a\nb";
        QTest::newRow("line separator inside a line")
            << QString("a\u2028b\nc\n") << QList<int>{0} << QStringList{} << true << QString("c\n");
    }

    void editLinesInPlace()
    {
        QFETCH(QString, before);
        QFETCH(QList<int>, remove);
        QFETCH(QStringList, append);
        QFETCH(bool, done);
        QFETCH(QString, after);
        QPlainTextEdit edit;
        edit.setPlainText(before);
        MemoLines memo(&edit);
        const qsizetype lines = memo.lines().size();
        QTextCursor end = edit.textCursor();
        end.movePosition(QTextCursor::End);
        edit.setTextCursor(end);
        int changes = 0;
        connect(&edit, &QPlainTextEdit::textChanged, this, [&changes] { ++changes; });
        QCOMPARE(memo.editLines(std::vector<qsizetype>(remove.begin(), remove.end()), append, lines), done);
        QCOMPARE(edit.document()->toRawText().replace(QChar::ParagraphSeparator, QLatin1Char('\n')), after);
        QCOMPARE(changes, done ? 1 : 0);
        if (done) {
            QVERIFY(!edit.document()->isUndoAvailable());
            QCOMPARE(edit.textCursor().position(), 0);
        }
    }

    void equalTextRaisesNoChange()
    {
        QPlainTextEdit edit;
        MemoLines memo(&edit);
        memo.setLines({"a", "b"});
        QCOMPARE(edit.toPlainText(), QStringLiteral("a\nb\n"));
        QSignalSpy spy(&edit, &QPlainTextEdit::textChanged);
        memo.setText(QStringLiteral("a\r\nb\r\n"));
        QCOMPARE(spy.count(), 0);
        memo.clear();
        memo.clear();
        QCOMPARE(spy.count(), 1);
        QCOMPARE(memo.crlfText(), QString());
    }

    void singleLineEdits_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("op");
        QTest::addColumn<QString>("expected");
        QTest::newRow("delete first") << "a\nb\n" << "first" << "b\n";
        QTest::newRow("delete only") << "a" << "first" << "";
        QTest::newRow("delete first of empty") << "" << "first" << "";
        QTest::newRow("delete first empty line") << "\na\n" << "first" << "a\n";
        QTest::newRow("delete last") << "a\nb\n" << "last" << "a\n";
        QTest::newRow("delete last no break") << "a\nb" << "last" << "a\n";
        QTest::newRow("delete last of empty") << "" << "last" << "";
        QTest::newRow("append to empty") << "" << "append" << "x\n";
        QTest::newRow("append after break") << "a\n" << "append" << "a\nx\n";
        QTest::newRow("append without break") << "a" << "append" << "a\nx\n";
        QTest::newRow("replace") << "a\nb\n" << "replace" << "a\nx\n";
    }
    void singleLineEdits()
    {
        QFETCH(QString, text);
        QFETCH(QString, op);
        QFETCH(QString, expected);
        QPlainTextEdit edit;
        edit.setPlainText(text);
        MemoLines memo(&edit);
        if (op == u"first")
            memo.deleteFirstLine();
        else if (op == u"last")
            memo.deleteLastLine();
        else if (op == u"append")
            memo.appendLine(QStringLiteral("x"));
        else
            memo.replaceLine(1, QStringLiteral("x"));
        QCOMPARE(edit.toPlainText(), expected);
    }

    // Every way into and out of the text area keeps a line's characters,
    // including those QTextDocument would take for breaks or blanks.
    void lineCharactersSurvive_data()
    {
        test::addSampleCharacterRows();
    }
    void lineCharactersSurvive()
    {
        QFETCH(QString, character);
        const QString a = "a" + character + "b";
        const QString c = character + "c";
        QPlainTextEdit edit;
        MemoLines memo(&edit);
        memo.setLines({a, QStringLiteral("x")});
        memo.appendLine(c);
        memo.replaceLine(1, a);
        QVERIFY(memo.editLines({}, {c}, 3));
        QCOMPARE(memo.lines(), (QStringList{a, a, c, c}));
        QCOMPARE(memo.line(2), c);
        QCOMPARE(memo.crlfText(), a + "\r\n" + a + "\r\n" + c + "\r\n" + c + "\r\n");
        QSignalSpy spy(&edit, &QPlainTextEdit::textChanged);
        memo.setLines(memo.lines());
        memo.replaceLine(0, a);
        QCOMPARE(spy.count(), 0);
    }

    void positionsCountBreaksAsTwo()
    {
        QPlainTextEdit edit;
        edit.setPlainText(QStringLiteral("ab\ncd\nef\n"));
        MemoLines memo(&edit);
        QCOMPARE(memo.crlfText(), QStringLiteral("ab\r\ncd\r\nef\r\n"));
        memo.setSelection(4, 2); // "cd"
        QCOMPARE(edit.textCursor().selectedText(), QStringLiteral("cd"));
        QCOMPARE(memo.selStart(), 4);
        QCOMPARE(memo.selLength(), 2);
        memo.setSelection(8, 2); // "ef"
        QCOMPARE(edit.textCursor().selectedText(), QStringLiteral("ef"));
        QCOMPARE(memo.selStart(), 8);
        memo.setSelection(1, 5); // "b", break, "c"
        QCOMPARE(memo.selLength(), 5);
        QCOMPARE(edit.textCursor().selectedText(), QStringLiteral("b") + QChar::ParagraphSeparator + "cd");
        memo.caretToStart();
        QCOMPARE(memo.selStart(), 0);
        QCOMPARE(memo.selLength(), 0);
    }
};

QTEST_MAIN(TestMemoLines)
#include "tst_memolines.moc"
