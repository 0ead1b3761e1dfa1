#include "elsewhere.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <cerrno>
#include <memory>

#include <grp.h>
#include <pwd.h>
#include <sys/mount.h>
#include <unistd.h>

namespace veltrix::test {

namespace {

const char kTmpfsVariable[] = "VELTRIX_TEST_TMPFS";
// Set in every child: a child never starts another one.
const char kChildVariable[] = "VELTRIX_TEST_CHILD";

QString currentRow()
{
    QString row = QString::fromLatin1(QTest::currentTestFunction());
    if (const char *tag = QTest::currentDataTag())
        row += QLatin1Char(':') + QString::fromLocal8Bit(tag);
    return row;
}

bool runs(const QString &program, const QStringList &arguments,
          const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(environment);
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(program, arguments);
    return p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// Runs this test binary on the current row behind a wrapper command and
// reads the verdict from its output.
Elsewhere runRow(const QString &wrapper, const QStringList &wrapperArguments, const QString &binary,
                 const QProcessEnvironment &environment, const QString &workingDirectory)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::MergedChannels);
    QProcessEnvironment childEnvironment = environment;
    childEnvironment.insert(QLatin1String(kChildVariable), QStringLiteral("1"));
    child.setProcessEnvironment(childEnvironment);
    child.setWorkingDirectory(workingDirectory);
    child.start(wrapper, QStringList(wrapperArguments) << binary << currentRow());
    if (!child.waitForStarted())
        return {Elsewhere::Skipped, QStringLiteral("%1 cannot be started").arg(wrapper)};
    if (!child.waitForFinished(240000)) {
        child.kill();
        child.waitForFinished();
        return {Elsewhere::Failed, QStringLiteral("the child run of %1 did not end").arg(currentRow())};
    }
    const QString output = QString::fromLocal8Bit(child.readAll());
    if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        return {Elsewhere::Failed, QStringLiteral("in the child run (%1 %2):\n%3").arg(wrapper, wrapperArguments.join(u' '), output)};
    static const QRegularExpression skip(QStringLiteral("^SKIP +: \\S+?\\(([^)]*)\\)\\s+(.*)$"), QRegularExpression::MultilineOption);
    const QRegularExpressionMatch m = skip.match(output);
    if (m.hasMatch())
        return {Elsewhere::Skipped, QStringLiteral("in the child run: ") + m.captured(2).trimmed()};
    // The row itself must have run and passed, not only the set-up.
    const char *tag = QTest::currentDataTag();
    const QString row = QStringLiteral("::%1(%2)").arg(QString::fromLatin1(QTest::currentTestFunction()),
                                                       tag ? QString::fromLocal8Bit(tag) : QString());
    const QStringList lines = output.split(u'\n');
    const bool passed = std::any_of(lines.begin(), lines.end(), [&row](const QString &line) {
        return line.startsWith(QStringLiteral("PASS ")) && line.contains(row);
    });
    if (!passed)
        return {Elsewhere::Failed, QStringLiteral("the child run did not pass %1:\n%2").arg(row, output)};
    return {Elsewhere::Passed, {}};
}

// A copy of this binary and a home, a runtime and a config folder that the
// user nobody can reach, whatever folder the build lies in. Made once.
struct NobodyPlace {
    QTemporaryDir dir;
    QString binary;
    QProcessEnvironment environment;
    QString problem;
};

bool chownToNobody(const QString &path, uid_t uid, gid_t gid)
{
    return ::chown(QFile::encodeName(path).constData(), uid, gid) == 0;
}

const NobodyPlace &nobodyPlace()
{
    static const std::unique_ptr<NobodyPlace> place = [] {
        auto p = std::make_unique<NobodyPlace>();
        const passwd *user = ::getpwnam("nobody");
        const group *grp = ::getgrnam("nogroup");
        if (!user || !grp) {
            p->problem = QStringLiteral("there is no user nobody or no group nogroup");
            return p;
        }
        const QString root = p->dir.path();
        QFile::setPermissions(root, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                                        | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
        p->binary = root + QLatin1Char('/') + QFileInfo(QCoreApplication::applicationFilePath()).fileName();
        if (!QFile::copy(QCoreApplication::applicationFilePath(), p->binary)) {
            p->problem = QStringLiteral("the test binary cannot be copied to %1").arg(root);
            return p;
        }
        QFile::setPermissions(p->binary, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
        p->environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"home", "runtime", "config"}) {
            const QString folder = root + QLatin1Char('/') + QLatin1String(name);
            QDir().mkpath(folder);
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            chownToNobody(folder, user->pw_uid, grp->gr_gid);
        }
        p->environment.insert(QStringLiteral("HOME"), root + QStringLiteral("/home"));
        p->environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), root + QStringLiteral("/runtime"));
        p->environment.insert(QStringLiteral("XDG_CONFIG_HOME"), root + QStringLiteral("/config"));
        // The leak suppressions of the sanitizer build may lie in a folder
        // nobody cannot read either.
        QString lsan = p->environment.value(QStringLiteral("LSAN_OPTIONS"));
        static const QRegularExpression suppressions(QStringLiteral("suppressions=([^:]*)"));
        const QRegularExpressionMatch m = suppressions.match(lsan);
        if (m.hasMatch()) {
            const QString copy = root + QStringLiteral("/lsan.supp");
            QFile::copy(m.captured(1), copy);
            QFile::setPermissions(copy, QFile::ReadOwner | QFile::ReadOther);
            lsan.replace(m.capturedStart(1), m.capturedLength(1), copy);
            p->environment.insert(QStringLiteral("LSAN_OPTIONS"), lsan);
        }
        return p;
    }();
    return *place;
}

} // namespace

Elsewhere asUnprivileged()
{
    if (::geteuid() != 0)
        return {};
    if (qEnvironmentVariableIsSet(kChildVariable))
        return {Elsewhere::Failed, QStringLiteral("setpriv left the child root")};
    const NobodyPlace &place = nobodyPlace();
    if (!place.problem.isEmpty())
        return {Elsewhere::Skipped, QStringLiteral("running as root, and ") + place.problem};
    const QStringList asNobody{QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"),
                               QStringLiteral("--clear-groups"), QStringLiteral("--")};
    // Once: can nobody start the copy at all (setpriv present and allowed,
    // its folder not mounted noexec)?
    static const bool usable = runs(QStringLiteral("setpriv"), QStringList(asNobody) << place.binary << QStringLiteral("-functions"),
                                    place.environment);
    if (!usable)
        return {Elsewhere::Skipped, QStringLiteral("running as root, and the tests cannot run as nobody through setpriv")};
    return runRow(QStringLiteral("setpriv"), asNobody, place.binary, place.environment, place.dir.path());
}

Elsewhere onSmallFileSystem()
{
    const QString mountPoint = qEnvironmentVariable(kTmpfsVariable);
    if (!mountPoint.isEmpty()) {
        // The child, alone in its mount namespace: the tmpfs goes when it ends.
        if (::mount("tmpfs", QFile::encodeName(mountPoint).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                    "size=64k,mode=0700")
            != 0)
            return {Elsewhere::Skipped, QStringLiteral("no tmpfs could be mounted on %1: %2").arg(mountPoint, qt_error_string(errno))};
        return {Elsewhere::Here, mountPoint};
    }
    if (::geteuid() != 0)
        return {Elsewhere::Skipped, QStringLiteral("a full file system needs a small tmpfs, which only root can mount")};
    if (qEnvironmentVariableIsSet(kChildVariable))
        return {Elsewhere::Failed, QStringLiteral("the child got no mount point")};
    const QStringList privateMounts{QStringLiteral("--mount"), QStringLiteral("--propagation"), QStringLiteral("private"),
                                    QStringLiteral("--")};
    if (!runs(QStringLiteral("unshare"), QStringList(privateMounts) << QStringLiteral("true")))
        return {Elsewhere::Skipped, QStringLiteral("running as root, and unshare cannot make a mount namespace")};
    QTemporaryDir dir;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QLatin1String(kTmpfsVariable), dir.path());
    return runRow(QStringLiteral("unshare"), privateMounts, QCoreApplication::applicationFilePath(), environment,
                  QDir::currentPath());
}

} // namespace veltrix::test
