// Saving the review station's settings sheet. The settings file is shared with the central
// station, which may have changed it since the review station read it; so the file is read
// again and only the keys this sheet edits (review speeds and gains, the graph colours and grid
// styles, the folders, the picture type and the language) are taken from the edited copy
// before it is written back.
#pragma once

struct NyraSettings;

namespace tarlux {

// Writes the sheet's keys of `edited` into the settings file at `path` (null: the file beside
// the program), keeping every other key as the file holds it now: 1 when written, else 0.
int SaveReviewSettings(const NyraSettings& edited, const char* path = nullptr);

} // namespace tarlux
