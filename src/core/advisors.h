#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace veltrix {

// The 18 trap kinds of the game, position 1 first.
const QStringList &trapCatalogue();

// Riot level text for a takeover value; outside 0..200 the required advisor
// gives the empty text and the recommended one "Extrem".
QString riotLevel(qint64 takeoverValue, bool recommended);

// True when the building can be taken over without robberies or riots: a
// readable SG that with the traps is 44 or less, and neither a hideout nor a
// hotel room.
bool takenOverAtOnce(QStringView line);

// Robberies needed before a takeover: a decimal number, or "---" for a line
// without a readable SG or for a hideout or hotel room.
QString requiredRobberies(QStringView line);

// Riot level needed before a takeover (SG alone above 44, SG plus traps up
// to 44), or "---" as above.
QString requiredRiots(QStringView line);

// Riot level recommended once the heavier trap kinds are weighed, or "---".
QString recommendedRiots(QStringView line);

// Seconds of the walk from the hideout: 5 for every house number between
// the two, plus 3. Two 32-bit house numbers lie up to 2^32 - 1 apart, which
// 64 bits hold five times over.
qint64 walkingSeconds(qint32 houseNumber, qint32 hideout);

} // namespace veltrix
