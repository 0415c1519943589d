// A stable sort of indexes for callers whose comparison comes from outside (a control's sort
// callback): equal items keep their order, and whatever the comparison answers, even when it
// contradicts itself, every index comes out exactly once.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

namespace platform {

// Orders `order` (indexes) by `less(a, b)` (true when a must come before b), touching only the
// indexes; the caller moves its items afterwards.
void StableMergeSort(std::vector<std::size_t>& order, const std::function<bool(std::size_t, std::size_t)>& less);

} // namespace platform
