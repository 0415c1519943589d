// Golden pictures: a test draws a window or a bitmap and compares it with a reviewed PNG kept
// beside its tests (<library>/tests/golden/). Set WARD_UPDATE_GOLDEN=1 to rewrite the pictures,
// then look at each one before committing it.
#pragma once

#include "platform/gdi/Image.h"
#include "platform/msg/WindowApi.h"
#include "testkit/BuildFolders.h"

#include <string>

namespace testkit {

// The whole window (frame included) as it stands on its surface.
platform::Image Capture(HWND hwnd);

// How far a picture may stray from its golden: lines and fills are exact, smoothed text may differ
// a little between font builds.
struct GoldenTolerance
{
    int channel { 0 };       // a pixel differs when a colour channel differs by more than this
    double share { 0.0 };    // at most this share of all pixels may differ
};

// Compares with the golden picture at `relative` (from the source root); rewrites it instead when
// WARD_UPDATE_GOLDEN is set (and skips the test).
void ExpectMatchesGolden(const platform::Image& actual, const std::string& relative, GoldenTolerance tolerance = {});

// Saves a picture for a person to look at (for example build/pictures/<name>.png); the folder is
// made when missing. False when it cannot be written.
bool SaveForReview(const platform::Image& image, const std::string& name);

} // namespace testkit
