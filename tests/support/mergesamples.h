#pragma once

#include <QString>

namespace veltrix::test {

// A list and a fresh report sharing the bank, each with a building of its own.
inline const QString kMergeBank = QStringLiteral("Lindenallee 117: Bank (SG: 45%) [Fallgitter]");
inline const QString kMergeBankNew = QStringLiteral("Lindenallee 117: Bank (SG: 47%) [Fallgitter, Nagelbrett]");
inline const QString kMergeKiosk = QStringLiteral("Am Alten Markt 3: Kiosk (SG: 100%) Keine Ausbauten vorhanden");
inline const QString kMergeFabrik = QStringLiteral("Zollstraße 12: Fabrik (SG: 40%) Keine Ausbauten vorhanden");

} // namespace veltrix::test
