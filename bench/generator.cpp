#include "harness.h"

#include "core/advisors.h"
#include "core/catalogue.h"

#include <QRandomGenerator>
#include <QStringList>

namespace veltrix::bench {

std::vector<std::function<void()>> &releasers()
{
    static std::vector<std::function<void()>> all;
    return all;
}

std::vector<Case> &cases()
{
    static std::vector<Case> all;
    return all;
}

QString generateReport(int lines, quint32 seed)
{
    static const QStringList streets{
        QStringLiteral("Lindenallee"),        QStringLiteral("Am Alten Markt"),    QStringLiteral("Hauptstraße"),
        QStringLiteral("Königsweg"),          QStringLiteral("Überseeallee"),      QStringLiteral("Zollstraße"),
        QStringLiteral("Auf der Höhe"),       QStringLiteral("Große Bleiche"),     QStringLiteral("Öhlmühlenweg"),
        QStringLiteral("Straße des 17. Juni"), QStringLiteral("Bahnhofstr."),      QStringLiteral("Am Güterbahnhof"),
        QStringLiteral("Mühlenstraße"),       QStringLiteral("Ärztehausplatz"),    QStringLiteral("lindenhof"),
    };
    static const QStringList junk{
        QStringLiteral("Spionagebericht vom 07.12.2026"), QString(), QStringLiteral("Seite 2 von 7"),
        QStringLiteral("Lindenallee 5: Bankfiliale (SG: 45%)"), QStringLiteral("--------------------------"),
    };
    const QStringList types = buildingTypeNames();
    const QStringList &traps = trapCatalogue();
    QRandomGenerator rng(seed);
    QString out;
    out.reserve(lines * 90);
    for (int i = 0; i < lines; ++i) {
        if (rng.bounded(100) < 2) {
            out += junk[rng.bounded(junk.size())];
            out += QLatin1Char('\n');
            continue;
        }
        out += streets[rng.bounded(streets.size())];
        out += QLatin1Char(' ');
        out += QString::number(1 + rng.bounded(1999));
        out += QStringLiteral(": ");
        out += types[rng.bounded(types.size())];
        out += QStringLiteral(" (SG: ");
        out += QString::number(rng.bounded(101));
        out += QStringLiteral("%) ");
        const int trapCount = rng.bounded(19);
        if (trapCount == 0) {
            out += QStringLiteral("Keine Ausbauten vorhanden");
        } else {
            out += QLatin1Char('[');
            for (int t = 0; t < trapCount; ++t) {
                if (t > 0)
                    out += QStringLiteral(", ");
                out += traps[rng.bounded(traps.size())];
            }
            out += QLatin1Char(']');
        }
        out += QLatin1Char('\n');
    }
    return out;
}

} // namespace veltrix::bench
