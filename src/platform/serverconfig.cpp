#include "serverconfig.h"

#include <QtGlobal>

#ifndef VELTRIX_DEFAULT_UPDATE_URL
#define VELTRIX_DEFAULT_UPDATE_URL "http://127.0.0.1:8080"
#endif
#ifndef VELTRIX_DEFAULT_CONTACT_URL
#define VELTRIX_DEFAULT_CONTACT_URL "http://127.0.0.1:8081"
#endif
#ifndef VELTRIX_DEFAULT_CONTACT_RECIPIENT
#define VELTRIX_DEFAULT_CONTACT_RECIPIENT "kontakt@example.invalid"
#endif

namespace veltrix {

namespace {

// An empty variable counts as unset: it would leave no usable address.
QString configured(const char *name, const char *fallback)
{
    const QString value = qEnvironmentVariable(name);
    return value.isEmpty() ? QString::fromUtf8(fallback) : value;
}

QString withoutTrailingSlashes(QString url)
{
    while (url.endsWith(QLatin1Char('/')))
        url.chop(1);
    return url;
}

} // namespace

QString updateServerUrl()
{
    return withoutTrailingSlashes(configured("VELTRIX_UPDATE_URL", VELTRIX_DEFAULT_UPDATE_URL));
}

QString contactServerUrl()
{
    return withoutTrailingSlashes(configured("VELTRIX_CONTACT_URL", VELTRIX_DEFAULT_CONTACT_URL));
}

QString contactRecipient()
{
    return configured("VELTRIX_CONTACT_RECIPIENT", VELTRIX_DEFAULT_CONTACT_RECIPIENT);
}

} // namespace veltrix
