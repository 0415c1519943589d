// The two colour schemes of the central station's bed tiles: "Default Color", which a station
// without colour settings also starts with, and "Paper Color", which looks like trend paper.
// Colours are 0x00BBGGRR values, styles pen styles.
#pragma once

#include <array>

namespace nrdata::config {

struct ColorPreset
{
    int GraphBackground;
    int GraphText;
    int ParamBackground;
    int ParamText;
    int GraphFHR1;
    int GraphFHR2;
    int GraphUC;
    int GraphFECG;
    int GraphFSpO2;
    int GraphHR;
    int GraphSpO2;
    int GraphNIBP;
    int GraphTEMP;
    int GraphNormalFHR;
    int GridOuter;
    int GridInner;
    int GridCenter;
    int EventMaker;
    int EventStimulator;
    int GridOuterStyle;
    int GridInnerStyle;
    int GridCenterStyle;
};

constexpr ColorPreset kDefaultColors {
    0xFFFFFF, 0x7F7F7F, 0xC0C0C0, 0x666666, 0x00008B, 0x009300, 0x8B0000, 0x0000FF, 0x82004B, 0x2068FF, 0x800080,
    0x404000, 0x282828, 0xC0C0C0, 0x7F7F7F, 0xC0C0C0, 0xC0C0C0, 0x000000, 0x000000, 0, 2, 2,
};

constexpr ColorPreset kPaperColors {
    0xFFFFFF, 0x71B33C, 0xC0C0C0, 0x666666, 0xFF0000, 0x002AA5, 0x8B0000, 0x0000FF, 0x82004B, 0x2068FF, 0x282828,
    0x404000, 0x282828, 0xC0C0C0, 0x9CD071, 0xDFE3D7, 0xDFE3D7, 0x000000, 0x000000, 0, 2, 2,
};

// The presets by their number in the colour page's chooser: 0 default, 1 paper.
constexpr std::array<const ColorPreset*, 2> kColorPresets { &kDefaultColors, &kPaperColors };

} // namespace nrdata::config
