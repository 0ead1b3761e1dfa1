#pragma once

#include <QString>
#include <QtTest>

namespace veltrix::test {

// The "character" column: characters QTextDocument could take for a line
// break or a blank, each a row of the tests that check a line keeps them.
inline void addSampleCharacterRows()
{
    QTest::addColumn<QString>("character");
    QTest::newRow("non-breaking space") << QString(QChar(0x00A0));
    QTest::newRow("U+FDD0") << QString(QChar(0xFDD0));
    QTest::newRow("U+FDD1") << QString(QChar(0xFDD1));
    QTest::newRow("line separator") << QString(QChar::LineSeparator);
    QTest::newRow("pair with low half DFD0") << QString::fromUcs4(U"\U0001FBD0");
}

} // namespace veltrix::test
