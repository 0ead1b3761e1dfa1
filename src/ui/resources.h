#pragma once

namespace veltrix {

// Registers the program's compiled-in resources (About picture, icon).
void initVeltrixResources();

} // namespace veltrix
