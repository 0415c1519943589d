// Drag and drop inside the program, in the shapes of the classic OLE service: a data source that
// carries a text and runs the drag (DoDragDrop), the data object a drop target reads it through,
// and drop targets registered per window.
//
// The drag runs as a loop on the calling thread: it takes the mouse capture, follows the mouse
// over the windows of that thread, asks the registered target under the pointer what the drop
// would do (copy, move or nothing: Ctrl asks for a copy) and shows it by the cursor. Escape or a
// lost capture cancels; releasing the button drops where a target accepts. While the pointer
// rests, the target is asked again every 50 ms, so that it can scroll near its edges. Every
// other message is dispatched as usual meanwhile. Windows of other threads, disabled windows and
// other programs never take part.
#pragma once

#include "platform/core/CString.h"
#include "platform/msg/Wnd.h"

using DROPEFFECT = DWORD;
constexpr DROPEFFECT DROPEFFECT_NONE = 0;
constexpr DROPEFFECT DROPEFFECT_COPY = 1;
constexpr DROPEFFECT DROPEFFECT_MOVE = 2;
// Set by a target's OnDragScroll when it scrolled instead of answering where the drop would go.
constexpr DROPEFFECT DROPEFFECT_SCROLL = 0x80000000;

using CLIPFORMAT = WORD;
constexpr CLIPFORMAT CF_TEXT = 1;

class COleDataSource;

// What a drop target sees of the dragged data.
class COleDataObject
{
public:
    COleDataObject() = default;
    explicit COleDataObject(const COleDataSource* source) : m_pSource(source) {}
    void Attach(const COleDataSource* source) { m_pSource = source; }
    BOOL IsDataAvailable(CLIPFORMAT format) const;
    // The text of the data; false when it holds none.
    BOOL GetText(CString& text) const;

private:
    const COleDataSource* m_pSource { nullptr };
};

class COleDataSource
{
public:
    void CacheText(const CString& text)
    {
        m_sText = text;
        m_bHasText = true;
    }
    void Empty()
    {
        m_sText.Empty();
        m_bHasText = false;
    }
    bool HasText() const { return m_bHasText; }
    const CString& Text() const { return m_sText; }

    // Runs the drag until the button is released, Escape is pressed or the capture goes; returns
    // what the drop did (one of `allowedEffects`), DROPEFFECT_NONE when it was cancelled, landed
    // nowhere or the target refused it. Call it with the left button down.
    DROPEFFECT DoDragDrop(DWORD allowedEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE);

private:
    CString m_sText;
    bool m_bHasText { false };
};

// A window's drop target. The handlers get points in the window's client coordinates and the
// key state as MK_ flags (MK_LBUTTON, MK_CONTROL, MK_SHIFT).
class COleDropTarget
{
public:
    COleDropTarget() = default;
    COleDropTarget(const COleDropTarget&) = delete;
    COleDropTarget& operator=(const COleDropTarget&) = delete;
    virtual ~COleDropTarget();

    // False when the window is gone, already has a target or this target serves another window.
    BOOL Register(CWnd* wnd);
    void Revoke();
    HWND GetRegisteredWindow() const { return m_hWnd; }

    virtual DROPEFFECT OnDragEnter(CWnd* wnd, COleDataObject* data, DWORD keyState, CPoint point);
    virtual DROPEFFECT OnDragOver(CWnd* wnd, COleDataObject* data, DWORD keyState, CPoint point);
    // Asked before every OnDragOver; an answer with DROPEFFECT_SCROLL stands instead of it.
    virtual DROPEFFECT OnDragScroll(CWnd* wnd, DWORD keyState, CPoint point);
    virtual void OnDragLeave(CWnd* wnd);
    // True when the data was taken.
    virtual BOOL OnDrop(CWnd* wnd, COleDataObject* data, DROPEFFECT effect, CPoint point);

private:
    HWND m_hWnd { nullptr };
};
