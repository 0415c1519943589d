// KTSizingDialog: a dialog that moves and stretches its registered children when it is resized,
// each by its rules (anchored right or bottom, centred, stretched fully or by half, or moved and
// grown by a ratio of the size change), and can show a size gripper in its bottom-right corner.
#pragma once

#include "platform/ui/dialogs/Dialog.h"

#include <memory>
#include <vector>

// Flags of a rule.
constexpr WORD KTSIZE_MOVEX = 0x01;
constexpr WORD KTSIZE_MOVEY = 0x02;
constexpr WORD KTSIZE_SIZEX = 0x04;
constexpr WORD KTSIZE_SIZEY = 0x08;
constexpr WORD KTSIZE_CENTERX = 0x10;
constexpr WORD KTSIZE_CENTERY = 0x20;
constexpr WORD KTSIZE_HALFX = 0x40;
constexpr WORD KTSIZE_HALFY = 0x80;

struct __KTSIZINGDLG_RATIO
{
    int nReserved1 { 0 };
    int nReserved2 { 0 };
    int nDenominatorX { 100 };
    int nDenominatorY { 100 };
    int nMoveX { 0 };
    int nMoveY { 0 };
    int nGrowX { 0 };
    int nGrowY { 0 };
    int nBaseWidth { 0 };
    int nBaseHeight { 0 };
};

struct __KTSIZINGDLG_INFO
{
    enum { TYPE_FLAGS = 0, TYPE_RATIO = 2 };
    int nType { TYPE_FLAGS };
    int nID { 0 };
    WORD wFlags { 0 };
    std::unique_ptr<__KTSIZINGDLG_RATIO> pRatio;
};

class KTSizingDialog : public CDialog
{
public:
    KTSizingDialog() = default;
    explicit KTSizingDialog(UINT nIDTemplate, CWnd* pParent = nullptr) : CDialog(nIDTemplate, pParent) {}

    void SetControlInfo(int id, DWORD flags);
    void SetControlInfoPercent(int id, int moveX, int moveY, int growX, int growY, int reserved1 = 0, int reserved2 = 0);
    void SetControlInfoRatio(int id, int denominatorX, int denominatorY, int moveX, int moveY, int growX, int growY,
                             int reserved1 = 0, int reserved2 = 0);
    void SetControlInfoAll(BOOL all, DWORD flags);
    BOOL RemoveControlInfo(int id);
    int FindControlInfo(int id) const;
    int GetControlInfoCount() const { return static_cast<int>(m_rules.size()); }
    void ShowGripper(BOOL show);
    CRect GetGripperRect() const { return m_rcGripper; }

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

protected:
    int OnCreate(LPCREATESTRUCT cs);
    void OnSize(UINT type, int cx, int cy);
    void OnGetMinMaxInfo(MINMAXINFO* info);
    LRESULT OnNcHitTest(CPoint point);
    void OnPaint();
    void OnLButtonDown(UINT flags, CPoint point);

    void ApplyFlags(HWND control, WORD flags, int cx, int cy);
    void ApplyRatio(HWND control, __KTSIZINGDLG_RATIO& ratio, int cx, int cy);
    CRect GripperSquare() const;

    CSize m_minTrack { 0, 0 };
    CSize m_previous { 0, 0 };
    BOOL m_bGripper { FALSE };
    CRect m_rcGripper { 0, 0, 0, 0 };
    int m_nBaseX { 0 };
    int m_nBaseY { 0 };
    BOOL m_bAll { FALSE };
    WORD m_wAllFlags { 0 };
    std::vector<std::unique_ptr<__KTSIZINGDLG_INFO>> m_rules;
};
