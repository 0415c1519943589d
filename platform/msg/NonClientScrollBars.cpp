// The registered painter and tracker of window scroll bars.
#include "platform/msg/NonClientScrollBars.h"

#include <atomic>

namespace platform::msg {
namespace {
std::atomic<void (*)(HWND)> s_paint { nullptr };
std::atomic<void (*)(HWND, LRESULT, POINT)> s_track { nullptr };
} // namespace

void SetNonClientScrollBarHandler(NonClientScrollBarHandler handler)
{
    s_paint.store(handler.paint);
    s_track.store(handler.track);
}

void PaintNonClientScrollBars(HWND hwnd)
{
    if (auto paint = s_paint.load())
        paint(hwnd);
}

void TrackNonClientScrollBar(HWND hwnd, LRESULT hitTest, POINT screen)
{
    if (hitTest != HTHSCROLL && hitTest != HTVSCROLL)
        return;
    if (auto track = s_track.load())
        track(hwnd, hitTest, screen);
}

} // namespace platform::msg
