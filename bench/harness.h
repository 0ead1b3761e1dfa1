#pragma once

#include <QString>
#include <functional>
#include <vector>

namespace veltrix {
class TfrmMain;
}

namespace veltrix::bench {

// A seeded spy report of the given number of lines, "\n" after each line.
QString generateReport(int lines, quint32 seed = 20261208);

// One measured operation. prepare runs untimed before every repetition and
// gets the window with the report already pasted into Memo1; run is timed.
struct Case {
    QString name;
    std::function<void(TfrmMain &window, const QString &report)> prepare;
    std::function<void(TfrmMain &window)> run;
    int maxLines = 100000; // skip larger sizes (for operations measured elsewhere)
    // Name of a case measured earlier at the same size: also prints how many
    // times faster that case ran than this one.
    QString fasterCase = {};
    int maxRepetitions = 0; // 0: the size's usual number
};

// Cases register themselves from any bench/*.cpp through a static Registrar.
std::vector<Case> &cases();
struct Registrar {
    explicit Registrar(Case c) { cases().push_back(std::move(c)); }
};

// Windows that cases keep between runs must go before the application
// object does: each case hands in how to let its own go.
std::vector<std::function<void()>> &releasers();
struct Releaser {
    explicit Releaser(std::function<void()> release) { releasers().push_back(std::move(release)); }
};

} // namespace veltrix::bench
