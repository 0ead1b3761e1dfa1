#pragma once

namespace veltrix {

// Registers the program's compiled-in resources (sounds, picture, icon).
void initVeltrixResources();

} // namespace veltrix
