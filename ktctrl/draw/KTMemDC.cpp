// The memory device context.
#include "ktctrl/draw/KTMemDC.h"

#include <algorithm>

namespace {

CRect ClipBoxOf(CDC* target)
{
    CRect box;
    target->GetClipBox(&box);
    return box;
}

} // namespace

KTMemDC::KTMemDC(CDC* target, int copyBackground) : m_pDC(target)
{
    Begin(target ? ClipBoxOf(target) : CRect(), copyBackground);
}

KTMemDC::KTMemDC(CDC* target, const RECT* rect, int copyBackground) : m_pDC(target)
{
    Begin(rect ? CRect(rect) : (target ? ClipBoxOf(target) : CRect()), copyBackground);
}

KTMemDC::KTMemDC(CDC* target, int width, int height, int copyBackground) : m_pDC(target)
{
    Begin(CRect(0, 0, width, height), copyBackground);
}

void KTMemDC::Begin(const CRect& rect, int copyBackground)
{
    m_rect = rect;
    if (!m_pDC)
        return;
    m_bMemDC = !m_pDC->IsPrinting();
    if (!m_bMemDC) {
        // Borrow the printer's handles: drawing goes straight onto the page.
        m_hDC = m_pDC->m_hDC;
        m_hAttribDC = m_pDC->m_hAttribDC;
        m_bPrinting = m_pDC->m_bPrinting;
        return;
    }
    CreateCompatibleDC(m_pDC);
    m_bitmap.CreateCompatibleBitmap(m_pDC, std::max(m_rect.Width(), 1), std::max(m_rect.Height(), 1));
    m_oldBitmap = SelectObject(&m_bitmap);
    SetWindowOrg(m_rect.left, m_rect.top);
    if (copyBackground)
        BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), m_pDC, m_rect.left, m_rect.top, SRCCOPY);
}

void KTMemDC::Flush()
{
    if (!m_pDC || !m_bMemDC)
        return;
    m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left, m_rect.top, SRCCOPY);
}

KTMemDC::~KTMemDC()
{
    if (m_bFlush)
        Flush();
    if (m_bMemDC) {
        SelectObject(m_oldBitmap);
    } else {
        // The handles are the printer's: they must not be deleted with this object.
        m_hDC = nullptr;
        m_hAttribDC = nullptr;
    }
    m_bitmap.DeleteObject();
}
