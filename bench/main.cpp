// Runs every registered operation on reports of 1,000, 10,000 and 100,000
// lines in the real main window (offscreen) and prints median milliseconds
// beside the yardstick: one plain setPlainText of the same text, measured
// once per size and again before every repetition of every case.
#include "harness.h"

#include "support/fakeplatform.h"
#include "ui/mainfrm.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <algorithm>
#include <cstdio>
#include <map>

using namespace veltrix;

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

int repetitions(int lines)
{
    return lines >= 100000 ? 5 : lines >= 10000 ? 9 : 15;
}

double yardstick(const QString &report, int reps)
{
    std::vector<double> times;
    for (int r = 0; r < reps; ++r) {
        QPlainTextEdit edit;
        edit.setLineWrapMode(QPlainTextEdit::NoWrap);
        edit.resize(550, 473);
        edit.show();
        QElapsedTimer t;
        t.start();
        edit.setPlainText(report);
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    return median(times);
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString only = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();

    test::FakePlatform fakes;
    TfrmMain window(fakes.platform());
    window.show();

    for (int lines : {1000, 10000, 100000}) {
        const QString report = bench::generateReport(lines);
        const int reps = repetitions(lines);
        const double yard = yardstick(report, reps);
        std::printf("\n== %d lines (median of %d runs) ==\n", lines, reps);
        std::printf("%-44s %10.2f ms\n", "yardstick: setPlainText", yard);
        std::map<QString, double> medians;
        for (const bench::Case &c : bench::cases()) {
            if (lines > c.maxLines || (!only.isEmpty() && !c.name.contains(only)))
                continue;
            std::vector<double> times;
            // A yardstick run beside every repetition, so that the ratio
            // holds while the machine's load changes.
            std::vector<double> yards;
            const int caseReps = c.maxRepetitions > 0 ? std::min(reps, c.maxRepetitions) : reps;
            for (int r = 0; r < caseReps; ++r) {
                yards.push_back(yardstick(report, 1));
                window.list().memo().clear();
                window.list().memo().setText(report);
                if (c.prepare)
                    c.prepare(window, report);
                QElapsedTimer t;
                t.start();
                c.run(window);
                times.push_back(t.nsecsElapsed() / 1e6);
            }
            const double m = median(times);
            const double y = median(yards);
            medians[c.name] = m;
            std::printf("%-44s %10.2f ms  %6.2f x yardstick (%.2f ms)", qPrintable(c.name), m, m / y, y);
            if (const auto other = medians.find(c.fasterCase); !c.fasterCase.isEmpty() && other != medians.end())
                std::printf("  (%s: %.0f x faster)", qPrintable(c.fasterCase), m / other->second);
            if (caseReps != reps)
                std::printf("  [%d runs]", caseReps);
            std::printf("\n");
            std::fflush(stdout);
        }
    }
    // Before the window they refer to and the application object.
    for (const auto &release : bench::releasers())
        release();
    return 0;
}
