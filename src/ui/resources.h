#pragma once

class QIcon;

namespace veltrix {

// Registers the program's compiled-in resources (About picture, icon).
void initVeltrixResources();

// The icon every window of the program carries.
QIcon programIcon();

} // namespace veltrix
