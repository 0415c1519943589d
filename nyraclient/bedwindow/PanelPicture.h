// What a bed window's parameter panel shows: each item's text and colour. The parameter painter
// keeps the picture it drew last and draws again only the items that differ.
#pragma once

#include "nyraclient/display/DisplayTypes.h"

#include "platform/core/CString.h"

#include <array>

struct PanelItem
{
    CString text;
    COLORREF color { 0 };
    bool operator==(const PanelItem&) const = default;
};

using PanelPicture = std::array<PanelItem, kParamItems>;
