#include "elsewhere.h"

namespace veltrix::test {

// A Windows user is no Unix root: the permission cases run here as they are.
Elsewhere asUnprivileged()
{
    return {};
}

// No mount namespaces: the full-disk case is left out of the Windows build,
// so this is never asked.
Elsewhere onSmallFileSystem()
{
    return {Elsewhere::Skipped, QStringLiteral("no small file system on Windows")};
}

} // namespace veltrix::test
