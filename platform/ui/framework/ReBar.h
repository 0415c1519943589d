// CReBar: a bar that holds other bars in bands. Our programs use one band holding the toolbar,
// without text or gripper, at a fixed size, over a background bitmap that is tiled behind the
// band (a transparent toolbar shows it through).
#pragma once

#include "platform/gdi/CBitmap.h"
#include "platform/ui/framework/ControlBar.h"

#include <vector>

constexpr DWORD RBS_TOOLTIPS = 0x0100;
constexpr DWORD RBS_VARHEIGHT = 0x0200;
constexpr DWORD RBS_BANDBORDERS = 0x0400;
constexpr DWORD RBS_FIXEDORDER = 0x0800;

constexpr DWORD RBBS_BREAK = 0x0001;
constexpr DWORD RBBS_FIXEDSIZE = 0x0002;
constexpr DWORD RBBS_CHILDEDGE = 0x0004;
constexpr DWORD RBBS_HIDDEN = 0x0008;
constexpr DWORD RBBS_FIXEDBMP = 0x0020;
constexpr DWORD RBBS_GRIPPERALWAYS = 0x0080;
constexpr DWORD RBBS_NOGRIPPER = 0x0100;

class CReBar : public CControlBar
{
public:
    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    BOOL Create(CWnd* pParentWnd, DWORD dwCtrlStyle = RBS_BANDBORDERS,
                DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                UINT nID = AFX_IDW_REBAR);
    // Adds a band holding `pBar` (made a child of the rebar, owned by the frame), with an
    // optional text and background bitmap (the rebar keeps its own copy of the picture).
    BOOL AddBar(CWnd* pBar, LPCTSTR pszText = nullptr, CBitmap* pbmp = nullptr,
                DWORD dwStyle = RBBS_GRIPPERALWAYS | RBBS_FIXEDBMP);
    int GetBandCount() const { return static_cast<int>(m_bands.size()); }
    CWnd* GetBandChild(int index) const;

    // Paints the background that shows through a transparent bar of a band, on the bar's DC.
    void PaintBackgroundBehind(CDC& dc, CWnd& bar);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler) override;

    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSize(UINT nType, int cx, int cy);

private:
    struct Band
    {
        HWND child { nullptr };
        CString text;
        DWORD style { 0 };
    };
    void LayoutBands();
    void ExcludeBands(CDC& dc);
    int BandHeight(const Band& band) const;
    void PaintBackground(CDC& dc, const CRect& area);
    std::vector<Band> m_bands;
    CBitmap m_background;
    DWORD m_ctrlStyle { 0 };
};
