// Report files and the status window: opening and saving a report file, and
// handing the list to the status window and back.
#include "harness.h"

#include "core/textfile.h"
#include "support/fakeplatform.h"
#include "support/controls.h"
#include "ui/mainfrm.h"
#include "ui/statusfenster.h"

#include <QAction>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <memory>

namespace veltrix::bench {
using namespace veltrix::test;

namespace {

QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    return dir;
}

QString reportFile(const QString &report)
{
    const QString path = folder().filePath(QStringLiteral("bericht%1.txt").arg(report.size()));
    if (!QFile::exists(path)) {
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(encodeFileText(QString(report).replace(QLatin1Char('\n'), QStringLiteral("\r\n"))));
    }
    return path;
}

const Registrar open{{QStringLiteral("Datei öffnen... (read, clean, statistics)"),
                      [](TfrmMain &w, const QString &report) {
                          const QString path = reportFile(report);
                          w.list().memo().clear();
                          if (auto *dialogs = dynamic_cast<test::FakeFileDialogs *>(w.platform().fileDialogs))
                              dialogs->openAnswers = {path};
                      },
                      [](TfrmMain &w) { trigger(w, "Dateiffnen1"); }}};

const Registrar save{{QStringLiteral("Datei speichern..."),
                      [](TfrmMain &w, const QString &) {
                          // Named once through "Speichern unter...", untimed.
                          const QString name = folder().filePath(QStringLiteral("gespeichert.txt"));
                          if (w.currentFileName() == name)
                              return;
                          if (auto *dialogs = dynamic_cast<test::FakeFileDialogs *>(w.platform().fileDialogs))
                              dialogs->saveAnswers = {name};
                          trigger(w, "Speichernunter1");
                      },
                      [](TfrmMain &w) { trigger(w, "Dateispeichern1"); }}};

std::unique_ptr<TfrmStatus> keptStatus;
const Releaser releaseStatus{[] { keptStatus.reset(); }};

TfrmStatus &statusWindow(TfrmMain &w)
{
    if (!keptStatus) {
        keptStatus = std::make_unique<TfrmStatus>(w.list(), w.stayOnTop(), w.platform());
        w.setCompanions({nullptr, nullptr, nullptr, keptStatus.get()});
    }
    return *keptStatus;
}

const Registrar status{{QStringLiteral("Statusfenster open and close"),
                        [](TfrmMain &w, const QString &) { statusWindow(w); },
                        [](TfrmMain &w) {
                            trigger(w, "Statusfenster1");
                            statusWindow(w).close();
                        }}};

} // namespace
} // namespace veltrix::bench
