// KTMemDC: a short-lived device context for flicker-free painting. A paint handler builds it
// over the target, draws in the target's own logical coordinates, and the destructor copies the
// finished picture onto the target in one block transfer. On a printer it draws straight
// through to the target.
#pragma once

#include "platform/gdi/CDC.h"

class KTMemDC : public CDC
{
public:
    // Covers the target's clip box.
    explicit KTMemDC(CDC* target, int copyBackground = 0);
    // Covers `rect` (null: the clip box).
    KTMemDC(CDC* target, const RECT* rect, int copyBackground);
    // Covers (0, 0, width, height).
    KTMemDC(CDC* target, int width, int height, int copyBackground);
    ~KTMemDC() override;

    // Copies the picture to the target now; nothing for a printing target.
    void Flush();
    // With 0 the destructor copies nothing.
    void EnableFlush(int enable) { m_bFlush = enable; }

    operator KTMemDC*() { return this; }
    KTMemDC* operator->() { return this; }

private:
    void Begin(const CRect& rect, int copyBackground);

    CBitmap m_bitmap;
    CBitmap* m_oldBitmap { nullptr };
    CDC* m_pDC { nullptr };
    CRect m_rect;
    int m_bMemDC { 0 };
    int m_bFlush { 1 };
};
