#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

namespace veltrix {

// Field extractors of one report line, e.g.
// "Lindenallee 117: Bank (SG: 45%) [Sicherheitsschloß, Fallgitter, Nagelbrett]".
// They work on views and never change the line.

// The text before the first ":", empty when there is none.
QStringView getAddress(QStringView line);

// The last word before the first ":" as an integer; throws the conversion
// error when it is not one.
qint32 getHouseNumber(QStringView line);

// The known building type after the first colon, or an empty view. The view
// points into the catalogue, not into the line.
QStringView getBuildingType(QStringView line);

// Catalogue position (0-based) of the line's type, -1 for no known type.
int buildingTypeIndexOfLine(QStringView line);

// The SG percentage, -1 when it cannot be read. No range check.
qint32 getSG(QStringView line);

// Number of traps: 0 with "Keine Ausbauten vorhanden", otherwise the commas
// before the first "]" after the first "[" plus one.
qint32 countTraps(QStringView line);

// SG plus traps: the key of the security-feeling order and the SG filters,
// and what the advisors weigh. 64 bits, as the SG is not clamped and one
// near the 32-bit limit plus its traps must not wrap.
inline qint64 sgPlusTraps(qint32 sg, qint32 traps) { return static_cast<qint64>(sg) + traps; }
inline qint64 sgPlusTraps(QStringView line) { return sgPlusTraps(getSG(line), countTraps(line)); }

inline bool isValidReportLine(QStringView line) { return buildingTypeIndexOfLine(line) >= 0; }

// The cleaning keeps a line when it names a known building type; an empty
// line never does and is dropped without a look into the catalogue.
inline bool isKeptLine(QStringView line) { return !line.isEmpty() && isValidReportLine(line); }

// Drops the lines the cleaning does not keep; the others keep their order.
void cleanLines(QStringList &lines);

// The characters of the house number in a line: from after the last blank
// before the first ":" up to the colon. Empty optional when there is no colon.
struct TextSpan {
    qsizetype start = 0;
    qsizetype length = 0;
};
std::optional<TextSpan> houseNumberSpan(QStringView line);

// The SG number inside a line as GetSG locates it: head, number text, tail.
struct SGPieces {
    QStringView head;
    QStringView number;
    QStringView tail;
};
SGPieces splitSG(QStringView line);

} // namespace veltrix
