#include "resources.h"

#include <QIcon>
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
    return QIcon(QStringLiteral(":/veltrix.png"));
}

} // namespace veltrix
