#include "advisors.h"

#include "reportline.h"

#include <cmath>
#include <cstdlib>

namespace veltrix {

namespace {

bool cannotBeTakenOver(QStringView line)
{
    if (getSG(line) == -1)
        return true;
    const QStringView type = getBuildingType(line);
    return type == u"Versteck" || type == u"Hotelzimmer";
}

const QString kNoValue = QStringLiteral("---");

// Positions 8 to 11 add half their position, rounded half to even (4, 4, 5, 6).
qint32 lightTrapIncrement(int position)
{
    return static_cast<qint32>(std::nearbyint(position * 0.5));
}

} // namespace

const QStringList &trapCatalogue()
{
    static const QStringList traps{
        QStringLiteral("Sicherheitsschloß"), QStringLiteral("Verstärkte Türe"), QStringLiteral("Fallgitter"),
        QStringLiteral("Falltüre"),          QStringLiteral("Nagelbrett"),      QStringLiteral("Dampfstrahler"),
        QStringLiteral("Elektrischer Boden"), QStringLiteral("Blendlichter"),   QStringLiteral("Spiegelkabinett"),
        QStringLiteral("Irritierpuppen"),    QStringLiteral("Betäubungsgas"),   QStringLiteral("Vakuumfalle"),
        QStringLiteral("Säurenebel"),        QStringLiteral("Selbstschußanlage"), QStringLiteral("Sprengfalle"),
        QStringLiteral("Laserwaffen"),       QStringLiteral("Killerviren"),     QStringLiteral("Ultraschallwaffe"),
    };
    return traps;
}

QString riotLevel(qint64 value, bool recommended)
{
    struct Band {
        qint64 upTo;
        const char16_t *text;
    };
    static constexpr Band bands[] = {
        {44, u"keine, sofortige Übernahme möglich"},
        {52, u"Leichte Schulter"},
        {60, u"Desinteressiert"},
        {68, u"Nicht bei der Sache"},
        {76, u"Unaufmerksam"},
        {84, u"Normal"},
        {92, u"Motiviert"},
        {200, u"Brutal"},
    };
    if (value >= 0) {
        for (const Band &b : bands) {
            if (value <= b.upTo)
                return QString::fromUtf16(b.text);
        }
    }
    return recommended ? QStringLiteral("Extrem") : QString();
}

bool takenOverAtOnce(QStringView line)
{
    return !cannotBeTakenOver(line) && static_cast<qint64>(getSG(line)) + countTraps(line) <= 44;
}

QString requiredRobberies(QStringView line)
{
    if (cannotBeTakenOver(line))
        return kNoValue;
    const qint64 over = sgPlusTraps(line) - 44;
    qint64 robberies = over / 5 + (over % 5 > 0 ? 1 : 0);
    if (robberies < 0)
        robberies = 0;
    return QString::number(robberies);
}

QString requiredRiots(QStringView line)
{
    if (cannotBeTakenOver(line))
        return kNoValue;
    const qint32 sg = getSG(line);
    const qint32 traps = countTraps(line);
    const qint64 x = (sg <= 44 && traps > 0) ? sgPlusTraps(sg, traps) : sg;
    return riotLevel(x, false);
}

QString recommendedRiots(QStringView line)
{
    if (cannotBeTakenOver(line))
        return kNoValue;
    const qint32 sg = getSG(line);
    const qint32 traps = countTraps(line);
    // 64 bits: the SG is not clamped, and the additions must not wrap.
    qint64 x = sg;
    if (sg > 44) {
        const QStringList &kinds = trapCatalogue();
        for (int position = 8; position <= 18; ++position) {
            if (!line.contains(kinds[position - 1]))
                continue;
            if (position <= 11) {
                // At 77 and above these kinds add nothing.
                if (sg < 77)
                    x += lightTrapIncrement(position);
            } else if (position <= 15) {
                x += position;
            } else {
                x = 201;
            }
        }
    } else if (traps > 0) {
        x = sgPlusTraps(sg, traps);
    }
    return riotLevel(x, true);
}

qint64 walkingSeconds(qint32 houseNumber, qint32 hideout)
{
    const qint64 distance = std::abs(static_cast<qint64>(houseNumber) - hideout);
    return 5 * distance + 3;
}

} // namespace veltrix
