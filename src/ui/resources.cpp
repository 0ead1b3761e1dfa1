#include "resources.h"

#include <QIcon>
#include <QSize>
#include <QtGlobal>

static void initResourcesOutsideNamespace()
{
    Q_INIT_RESOURCE(veltrix);
}

namespace veltrix {

void initVeltrixResources()
{
    static const bool done = (initResourcesOutsideNamespace(), true);
    Q_UNUSED(done);
}

QIcon programIcon()
{
    initVeltrixResources();
    // The renderings of the one drawing that the desktop's menu uses too;
    // the window manager picks the size it needs.
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/org.example.veltrix-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace veltrix
