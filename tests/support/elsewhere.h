#pragma once

#include <QString>
#include <QtTest>

namespace veltrix::test {

// How the current test row went when it had to run in a child process.
struct Elsewhere {
    enum Kind { Here, Passed, Failed, Skipped };
    Kind kind = Here;
    // The child's output when it failed, the reason of a skip; in the
    // small-file-system child, the folder the file system is mounted on.
    QString detail;
};

// Root passes every permission check, so as root a case about a file it may
// not read or write proves nothing. As root, runs the current test function
// (and data row) again as nobody in a child process; otherwise Here.
Elsewhere asUnprivileged();

// As root, runs the current row again in a child with a mount namespace of
// its own, where it mounts a 64 KiB tmpfs and gets Here with its folder.
// Anyone else cannot mount one: Skipped.
Elsewhere onSmallFileSystem();

} // namespace veltrix::test

// Goes on in this process only when the row is to run here.
#define VELTRIX_RUN_HERE(elsewhere)                                                                                    \
    do {                                                                                                               \
        switch ((elsewhere).kind) {                                                                                    \
        case ::veltrix::test::Elsewhere::Here:                                                                         \
            break;                                                                                                     \
        case ::veltrix::test::Elsewhere::Passed:                                                                       \
            return;                                                                                                    \
        case ::veltrix::test::Elsewhere::Skipped:                                                                      \
            QSKIP(qPrintable((elsewhere).detail));                                                                     \
        case ::veltrix::test::Elsewhere::Failed:                                                                       \
            QFAIL(qPrintable((elsewhere).detail));                                                                     \
        }                                                                                                              \
    } while (false)
