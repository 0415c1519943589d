// KTImageBar: a horizontal bar of 32 x 32 image buttons with optional captions, drawn in four
// looks (normal, hover, pressed, disabled), optionally check buttons and separators, with a
// tooltip for a caption that had to be shortened. Clicks reach the parent as WM_NOTIFY.
#pragma once

#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/CImageList.h"
#include "platform/msg/Wnd.h"
#include "platform/ui/controls/ToolTipCtrl.h"

#include <memory>
#include <vector>

class KTImageBarItem
{
public:
    enum { TYPE_PUSH = 0, TYPE_CHECK = 1 };

    KTImageBarItem() = default;
    virtual ~KTImageBarItem() = default;
    KTImageBarItem(const KTImageBarItem&) = default;
    KTImageBarItem& operator=(const KTImageBarItem&) = default;

    void Clear() { *this = KTImageBarItem(); }
    void AddSeparator(BOOL separator) { m_bSeparator = separator; }
    BOOL IsHaveSeparator() const { return m_bSeparator; }

    UINT m_nID { 0 };
    int m_nImage { -1 };
    int m_nType { TYPE_PUSH };
    BOOL m_bEnabled { TRUE };
    BOOL m_bChecked { FALSE };
    CString m_strText;
    CString m_strText2;
    DWORD m_dwData { 0 };
    BOOL m_bHover { FALSE };
    BOOL m_bPressed { FALSE };
    BOOL m_bSeparator { FALSE };
    BOOL m_bShortened { FALSE };
    CRect m_rcItem { 0, 0, 0, 0 };
};

// The record of every notification (28 bytes on the classic platform).
struct ImageBarNotifyInfo
{
    NMHDR hdr;
    int nIndex { -1 };
    UINT nID { 0 };
    int nType { 0 };
    BOOL bChecked { FALSE };
};

class KTImageBar : public CWnd
{
public:
    static constexpr LPCTSTR kClassName = "KTImageBar";
    enum { NOTIFY_LBUTTONDOWN = 1, NOTIFY_RBUTTONDOWN = 2, NOTIFY_CLICK = 3 };
    enum { LOOK_NORMAL = 0, LOOK_HOVER = 1, LOOK_PRESS = 2, LOOK_DISABLE = 3 };
    static constexpr int kCaptionLimit = 12;

    KTImageBar();
    ~KTImageBar() override;

    static BOOL RegisterWindowClass(HINSTANCE instance);
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int Add(const KTImageBarItem& item);
    int Add(UINT id, int image, LPCTSTR caption, int type = KTImageBarItem::TYPE_PUSH, BOOL separator = FALSE,
            BOOL checked = FALSE, LPCTSTR text2 = nullptr, DWORD data = 0);
    int Insert(int index, const KTImageBarItem& item);
    int Insert(int index, UINT id, int image, LPCTSTR caption, int type = KTImageBarItem::TYPE_PUSH,
               BOOL separator = FALSE, BOOL checked = FALSE, LPCTSTR text2 = nullptr, DWORD data = 0);
    void Remove(int index);
    void RemoveEx(UINT id) { Remove(Find(id)); }
    void RemoveAll();
    KTImageBarItem* Get(int index) const;
    KTImageBarItem* GetEx(UINT id) const { return Get(Find(id)); }
    int Find(UINT id) const;
    int GetCount() const { return static_cast<int>(m_items.size()); }
    void SetItemData(int index, DWORD data);
    DWORD GetItemData(int index) const;
    void EnableItem(int index, BOOL enable, BOOL unused = FALSE);
    void CheckItem(int index, BOOL check, BOOL exclusive);
    int HitTest(CPoint point) const;

    void SetNormalImage(CImageList* images, COLORREF back = 0xFFFFFFFF, COLORREF text = 0);
    void SetHoverImage(CImageList* images, COLORREF back = 0xFFFFFFFF, COLORREF text = 0);
    void SetPressImage(CImageList* images, COLORREF back = 0xFFFFFFFF, COLORREF text = 0);
    void SetDisableImage(CImageList* images, COLORREF back = 0xFFFFFFFF, COLORREF text = 0);
    void SetDown3DColors(COLORREF topLeft, COLORREF bottomRight);
    void DefaultFont(BOOL redraw = TRUE);
    void SetFont(CFont* font, BOOL redraw = TRUE);
    void SetFont(const LOGFONT& font, BOOL redraw = TRUE);
    void ShowText(BOOL show) { m_bShowText = show; }
    CToolTipCtrl& GetToolTip() { return m_tooltip; }

    BOOL PreTranslateMessage(MSG* msg) override;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

protected:
    struct Look
    {
        CImageList* pImages { nullptr };
        COLORREF crBack { 0 };
        COLORREF crText { 0 };
    };

    void SetLook(int look, CImageList* images, COLORREF back, COLORREF text);
    void RecalcLayout();
    void DrawItem(CDC* dc, int index);
    void DrawItemEx(int index);
    void Notify(int code, int index);

    void OnPaint();
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnRButtonDown(UINT flags, CPoint point);

    Look m_looks[4];
    std::vector<std::unique_ptr<KTImageBarItem>> m_items;
    COLORREF m_crTopLeft;
    COLORREF m_crBottomRight;
    CFont m_font;
    CToolTipCtrl m_tooltip;
    BOOL m_bShowText { TRUE };
    int m_nHover { -1 };
    int m_nPressed { -1 };
};
