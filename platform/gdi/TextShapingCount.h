// For tests of the text drawing's cache of shaped lines (platform/gdi/TextShaping.h).
#pragma once

#include <cstdint>

namespace platform {

// How many lines of text this thread has shaped so far: drawn or measured without a layout
// that the thread had already shaped for them.
std::uint64_t TextShapingsOnThisThread();

} // namespace platform
