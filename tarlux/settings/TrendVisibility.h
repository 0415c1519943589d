// Which trends the review station draws. The display settings page switches them at once; they
// are kept in the shared settings file under a section of the review station's own, so a trend
// the user hid stays hidden after the program starts again. The central station never reads
// that section.
#pragma once

class NyraConfig;

namespace tarlux {

// Reads the sixteen trend flags from the settings file (a missing flag stays visible).
void LoadTrendVisibility(NyraConfig& config, const char* iniPath);
// Writes them into the existing file: 1 when written, else 0.
int SaveTrendVisibility(const NyraConfig& config, const char* iniPath);

} // namespace tarlux
