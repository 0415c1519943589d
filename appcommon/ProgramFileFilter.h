// The file picker's filter for the outside medical-record program: programs are the files the
// user may run (names here carry no ".exe"), then every file.
#pragma once

#include "platform/ui/dialogs/FileDialog.h"

#include <string_view>

namespace appcommon {

inline constexpr char kProgramFileFilter[] = "Programs|<programs>|All Files (*.*)|*.*||";
static_assert(std::string_view(kProgramFileFilter).find(kProgramFilesPattern) != std::string_view::npos);

} // namespace appcommon
