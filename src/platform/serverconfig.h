#pragma once

#include "platform.h"

class QProcessEnvironment;

namespace veltrix {

// The build's server addresses, each overridden by the environment variable
// of the same name (VELTRIX_UPDATE_URL, VELTRIX_CONTACT_URL,
// VELTRIX_CONTACT_RECIPIENT) when that is not empty.
ServerAddresses serverAddresses(const QProcessEnvironment &environment);

} // namespace veltrix
