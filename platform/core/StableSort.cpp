#include "platform/core/StableSort.h"

#include <algorithm>

namespace platform {

void StableMergeSort(std::vector<std::size_t>& order, const std::function<bool(std::size_t, std::size_t)>& less)
{
    // Bottom-up: runs of `width` are merged pairwise into `buffer`. Each merge step takes from the
    // right run only when `less(right, left)`, so equal items keep their order; every index is
    // moved exactly once per pass whatever `less` answers.
    const std::size_t n = order.size();
    std::vector<std::size_t> buffer(n);
    for (std::size_t width = 1; width < n; width *= 2) {
        for (std::size_t lo = 0; lo < n; lo += 2 * width) {
            std::size_t mid = std::min(lo + width, n);
            std::size_t hi = std::min(lo + 2 * width, n);
            std::size_t i = lo;
            std::size_t j = mid;
            std::size_t out = lo;
            while (i < mid && j < hi)
                buffer[out++] = less(order[j], order[i]) ? order[j++] : order[i++];
            while (i < mid)
                buffer[out++] = order[i++];
            while (j < hi)
                buffer[out++] = order[j++];
        }
        order.swap(buffer);
    }
}

} // namespace platform
