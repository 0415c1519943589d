// CDocument: views, title and routing.
#include "platform/ui/framework/Document.h"

#include "platform/ui/framework/DocTemplate.h"
#include "platform/ui/framework/FrameWnd.h"
#include "platform/ui/framework/View.h"

#include <algorithm>

CDocument::~CDocument()
{
    // Views still attached forget their document; the template forgets the document.
    for (CView* view : m_views)
        view->m_pDocument = nullptr;
    if (m_pDocTemplate)
        m_pDocTemplate->RemoveDocument(this);
}

const platform::MessageMap* CDocument::GetThisMessageMap()
{
    static constexpr platform::MessageMap kMap { &CCmdTarget::GetThisMessageMap, {} };
    return &kMap;
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    CString untitled;
    if (!m_pDocTemplate || !m_pDocTemplate->GetDocString(untitled, CDocTemplate::docName) || untitled.IsEmpty())
        untitled = "Untitled";
    SetTitle(untitled);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCTSTR lpszPathName)
{
    DeleteContents();
    SetPathName(lpszPathName);
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::OnCloseDocument()
{
    // Frames go first (their views detach themselves), then the document.
    std::vector<CFrameWnd*> frames;
    for (CView* view : m_views)
        if (CFrameWnd* frame = view->GetParentFrame())
            if (std::find(frames.begin(), frames.end(), frame) == frames.end())
                frames.push_back(frame);
    BOOL autoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE; // not while the views go
    for (CFrameWnd* frame : frames)
        frame->DestroyWindow();
    m_bAutoDelete = autoDelete;
    DeleteContents();
    if (m_bAutoDelete)
        delete this;
}

void CDocument::SetTitle(LPCTSTR lpszTitle)
{
    m_strTitle = lpszTitle ? lpszTitle : "";
    for (CView* view : m_views)
        if (CFrameWnd* frame = view->GetParentFrame())
            frame->OnUpdateFrameTitle(TRUE);
}

void CDocument::SetPathName(LPCTSTR lpszPathName, BOOL)
{
    m_strPathName = lpszPathName ? lpszPathName : "";
    CString title = m_strPathName;
    int slash = title.ReverseFind('/');
    if (slash >= 0)
        title = title.Mid(slash + 1);
    SetTitle(title);
}

void CDocument::AddView(CView* pView)
{
    if (!pView || std::find(m_views.begin(), m_views.end(), pView) != m_views.end())
        return;
    m_views.push_back(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView)
{
    auto it = std::find(m_views.begin(), m_views.end(), pView);
    if (it == m_views.end())
        return;
    m_views.erase(it);
    pView->m_pDocument = nullptr;
    OnChangedViewList();
}

void CDocument::OnChangedViewList()
{
    // The last view gone closes the document.
    if (m_views.empty() && m_bAutoDelete)
        OnCloseDocument();
}

POSITION CDocument::GetFirstViewPosition() const
{
    return m_views.empty() ? nullptr : reinterpret_cast<POSITION>(static_cast<INT_PTR>(1));
}

CView* CDocument::GetNextView(POSITION& rPosition) const
{
    auto index = static_cast<size_t>(reinterpret_cast<INT_PTR>(rPosition)) - 1;
    if (index >= m_views.size()) {
        rPosition = nullptr;
        return nullptr;
    }
    rPosition = index + 1 < m_views.size() ? reinterpret_cast<POSITION>(static_cast<INT_PTR>(index + 2)) : nullptr;
    return m_views[index];
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    std::vector<CView*> views = m_views; // a view may change the list while it updates
    for (CView* view : views)
        if (view != pSender)
            view->OnUpdate(pSender, lHint, pHint);
}
