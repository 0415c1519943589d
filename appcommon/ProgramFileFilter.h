// The file picker's filter for the outside medical-record program: programs are the files the
// user may run (names here carry no ".exe"), then every file.
#pragma once

#include "platform/ui/dialogs/FileDialog.h"

#include <cstddef>
#include <string_view>

namespace appcommon {

inline constexpr char kProgramFileFilter[] = "Programs|<programs>|All Files (*.*)|*.*||";

// Character by character: the library's search compares pointers, which a sanitizer build
// cannot evaluate at compile time.
constexpr bool HoldsText(std::string_view text, std::string_view part)
{
    for (std::size_t at = 0; at + part.size() <= text.size(); ++at) {
        std::size_t same = 0;
        while (same < part.size() && text[at + same] == part[same])
            ++same;
        if (same == part.size())
            return true;
    }
    return false;
}
static_assert(HoldsText(kProgramFileFilter, kProgramFilesPattern));

} // namespace appcommon
