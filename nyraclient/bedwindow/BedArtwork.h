// The artwork all bed windows share: the two sets of frame strips and the four icon lists (caption
// buttons and monitor numbers, each in the normal and the highlighted set). Loaded by the first
// bed window and kept to the end of the process; a strip whose bitmap could not be loaded stays
// empty and is not drawn.
//
// The bitmaps are drawn from the user-interface thread only; the icon lists are also drawn by the
// alarm-caption painters, which only read them.
#pragma once

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CImageList.h"

class CDC;

class BedArtwork
{
public:
    struct FrameSet
    {
        CBitmap caption;
        CBitmap left;
        CBitmap right;
        CBitmap bottom;
    };

    // The one set of the process, loaded on first use.
    static BedArtwork& Shared();

    const FrameSet& Frame(bool highlighted) const { return highlighted ? m_FrameHot : m_Frame; }
    CImageList& Buttons(bool highlighted) { return highlighted ? m_ButtonsHot : m_Buttons; }
    CImageList& Numbers(bool highlighted) { return highlighted ? m_NumbersHot : m_Numbers; }

    // Draws a frame strip tiled across `length` pixels from (x, y): its first and last 10 pixels
    // as caps at both ends, its middle repeated between them. A strip without a middle (a bitmap
    // that did not load) draws nothing.
    static void DrawStrip(CDC* dc, const CBitmap& strip, int x, int y, int length, bool vertical);

private:
    BedArtwork();

    FrameSet m_Frame;
    FrameSet m_FrameHot;
    CImageList m_Buttons;
    CImageList m_ButtonsHot;
    CImageList m_Numbers;
    CImageList m_NumbersHot;
};
