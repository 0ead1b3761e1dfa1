#include "serverconfig.h"

#include <QProcessEnvironment>

// The defaults are the build's cache values (VELTRIX_UPDATE_URL and the
// others in CMakeLists.txt), handed in as VELTRIX_DEFAULT_*.

namespace veltrix {

namespace {

// An empty variable counts as unset: it would leave no usable address.
QString configured(const QProcessEnvironment &environment, const char *name, const char *fallback)
{
    const QString value = environment.value(QLatin1String(name));
    return value.isEmpty() ? QString::fromUtf8(fallback) : value;
}

QString withoutTrailingSlashes(QString url)
{
    while (url.endsWith(QLatin1Char('/')))
        url.chop(1);
    return url;
}

} // namespace

ServerAddresses serverAddresses(const QProcessEnvironment &environment)
{
    ServerAddresses servers;
    servers.updateUrl = withoutTrailingSlashes(configured(environment, "VELTRIX_UPDATE_URL", VELTRIX_DEFAULT_UPDATE_URL));
    servers.contactUrl = withoutTrailingSlashes(configured(environment, "VELTRIX_CONTACT_URL", VELTRIX_DEFAULT_CONTACT_URL));
    servers.contactRecipient = configured(environment, "VELTRIX_CONTACT_RECIPIENT", VELTRIX_DEFAULT_CONTACT_RECIPIENT);
    return servers;
}

} // namespace veltrix
