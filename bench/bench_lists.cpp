// List operations: the seven orders, the four filters, the line commands and
// a find to the last line; and the literal pass schemes of two orders as the
// baseline that the real orders are compared with.
#include "harness.h"

#include "core/lines.h"
#include "core/orders.h"
#include "core/reportline.h"
#include "support/passorders.h"
#include "support/controls.h"
#include "ui/findbox.h"
#include "ui/mainfrm.h"
#include "ui/reportlist.h"

#include <QLineEdit>

namespace veltrix::bench {
using namespace veltrix::test;

namespace {

void setHideout(TfrmMain &w, const QString &)
{
    control<QLineEdit>(w, "Versteck")->setText(QStringLiteral("1000"));
}

const Registrar sgOrder{{QStringLiteral("order: Sicherheitsgefühl"), nullptr, [](TfrmMain &w) { trigger(w, "Strasse1"); }}};
const Registrar addressOrder{{QStringLiteral("order: Strasse"), nullptr, [](TfrmMain &w) { trigger(w, "Strasse2"); }}};
const Registrar houseDown{{QStringLiteral("order: Hausnummer (absteigend)"), nullptr,
                           [](TfrmMain &w) { trigger(w, "Strasseabsteigend1"); }}};
const Registrar houseUp{{QStringLiteral("order: Hausnummer (aufsteigend)"), nullptr,
                         [](TfrmMain &w) { trigger(w, "Hausnummeraufsteigend1"); }}};
const Registrar typeOrder{{QStringLiteral("order: Gebäudetyp"), nullptr, [](TfrmMain &w) { trigger(w, "Gebude1"); }}};
const Registrar distanceOrder{{QStringLiteral("order: Entfernung zum Versteck"), setHideout,
                               [](TfrmMain &w) { trigger(w, "Versteckaufsteigend1"); }}};
const Registrar trapOrder{{QStringLiteral("order: Anzahl d. Fallen"), nullptr,
                           [](TfrmMain &w) { trigger(w, "AnzahlvFallenaufsteigend1"); }}};

const Registrar typeFilter{{QStringLiteral("filter: Gebäudetyp (Gebs >= 900 €)"),
                            [](TfrmMain &w, const QString &) {
                                click(w, "Button2");
                                click(w, "Button3");
                            },
                            [](TfrmMain &w) { click(w, "BitBtn1"); }}};
const Registrar houseFilter{{QStringLiteral("filter: Hausnummer 100..1500"),
                             [](TfrmMain &w, const QString &) {
                                 control<QLineEdit>(w, "Edit1")->setText(QStringLiteral("100"));
                                 control<QLineEdit>(w, "Edit2")->setText(QStringLiteral("1500"));
                             },
                             [](TfrmMain &w) { click(w, "BitBtn2"); }}};
const Registrar sgAtMost{{QStringLiteral("filter: SG <= 44"), nullptr, [](TfrmMain &w) { click(w, "BitBtn3"); }}};
const Registrar sgAtLeast{{QStringLiteral("filter: SG >= 44"), nullptr, [](TfrmMain &w) { click(w, "BitBtn4"); }}};

const Registrar reverse{{QStringLiteral("Liste umkehren"), nullptr, [](TfrmMain &w) { trigger(w, "Listeumkehren1"); }}};
const Registrar hideoutDown{{QStringLiteral("Versteck nach unten"), nullptr,
                             [](TfrmMain &w) { trigger(w, "Verstecknachunten1"); }}};
const Registrar deleteFirst{{QStringLiteral("1. Zeile löschen"), nullptr,
                             [](TfrmMain &w) { trigger(w, "AktuelleZeilelschen1"); }}};
// The usual case while working down a list that was sorted or filtered.
const Registrar deleteFirstCleaned{{QStringLiteral("1. Zeile löschen (cleaned list)"),
                                    [](TfrmMain &w, const QString &) { w.list().CleanList(); },
                                    [](TfrmMain &w) { trigger(w, "AktuelleZeilelschen1"); }}};
const Registrar findLast{{QStringLiteral("find reaching the last line"),
                          [](TfrmMain &w, const QString &) {
                              w.list().memo().appendLine(QStringLiteral("Zielweg 1: Bank (SG: 45%) [Fallgitter]"));
                              w.list().memo().caretToStart();
                              control<FindBox>(w, "FindDialog1")->setFindText(QStringLiteral("Zielweg"));
                          },
                          [](TfrmMain &w) { emit control<FindBox>(w, "FindDialog1")->findNext(); }}};

// "Bericht abgleichen" with a fresh report of the same size, as from the clipboard.
QString freshReport;
const Registrar merge{{QStringLiteral("merge"),
                       [](TfrmMain &, const QString &report) {
                           if (freshReport.count(QLatin1Char('\n')) != report.count(QLatin1Char('\n')))
                               freshReport = generateReport(int(report.count(QLatin1Char('\n'))), 20261209);
                       },
                       [](TfrmMain &w) { w.list().mergeReport(freshReport); }}};

// The best-key pass scheme written out, in the same frame as the real order.
void literalSecurityFeeling(TfrmMain &w)
{
    w.list().runListOperation(
        [&w](const QStringList &lines) {
            return test::bestKeyPasses(
                lines, [](QStringView l) { return sgPlusTraps(l); }, 125, false,
                [&w] { w.list().StepProgress(1); });
        },
        ReportList::Finish::Ready);
}

void literalAddress(TfrmMain &w)
{
    w.list().runListOperation(
        [&w](const QStringList &lines) { return test::addressPasses(lines, [&w] { w.list().StepProgress(1); }); },
        ReportList::Finish::Ready);
}

Case literal(const QString &name, void (*run)(TfrmMain &), const QString &realOrder)
{
    Case c{name, nullptr, run};
    c.fasterCase = realOrder;
    c.maxRepetitions = 1;
    return c;
}

const Registrar sgPasses{literal(QStringLiteral("pass scheme (literal): Sicherheitsgefühl"), literalSecurityFeeling,
                                 QStringLiteral("order: Sicherheitsgefühl"))};
// At 100,000 lines (about 30,000 distinct addresses) one run takes longer
// than ten minutes.
const Registrar addressPasses{[] {
    Case c = literal(QStringLiteral("pass scheme (literal): Strasse"), literalAddress, QStringLiteral("order: Strasse"));
    c.maxLines = 10000;
    return c;
}()};

// The sorting work alone, on the cleaned lines, without the frame.
QStringList &cleanedLines()
{
    static QStringList lines;
    return lines;
}

void keepCleanedLines(TfrmMain &w, const QString &)
{
    w.list().CleanList();
    cleanedLines() = w.list().memo().lines();
}

const Registrar sgWork{{QStringLiteral("work only: order Sicherheitsgefühl"), keepCleanedLines, [](TfrmMain &w) {
                            orderBySecurityFeeling(cleanedLines(), [&w] { w.list().StepProgress(1); });
                        }}};
const Registrar addressWork{{QStringLiteral("work only: order Strasse"), keepCleanedLines, [](TfrmMain &w) {
                                 orderByAddress(cleanedLines(), [&w] { w.list().StepProgress(1); });
                             }}};
const Registrar sgPassWork{[] {
    Case c{QStringLiteral("work only: pass scheme Sicherheitsgefühl"), keepCleanedLines, [](TfrmMain &w) {
               test::bestKeyPasses(
                   cleanedLines(), [](QStringView l) { return sgPlusTraps(l); }, 125, false,
                   [&w] { w.list().StepProgress(1); });
           }};
    c.fasterCase = QStringLiteral("work only: order Sicherheitsgefühl");
    c.maxRepetitions = 1;
    return c;
}()};
const Registrar addressPassWork{[] {
    Case c{QStringLiteral("work only: pass scheme Strasse"), keepCleanedLines,
           [](TfrmMain &w) { test::addressPasses(cleanedLines(), [&w] { w.list().StepProgress(1); }); }};
    c.fasterCase = QStringLiteral("work only: order Strasse");
    c.maxRepetitions = 1;
    c.maxLines = 10000;
    return c;
}()};

} // namespace
} // namespace veltrix::bench
