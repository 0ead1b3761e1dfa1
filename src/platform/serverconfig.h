#pragma once

#include <QString>

namespace veltrix {

// Addresses of the maker's servers: build-time defaults, overridden at run
// time by environment variables of the same names. Read at every call, so a
// changed environment takes effect at the next request.

// Base address of the maker's web server, without a trailing "/".
QString updateServerUrl();
// Base address of the contact-form server, without a trailing "/".
QString contactServerUrl();
// The maker's contact mail address.
QString contactRecipient();

} // namespace veltrix
