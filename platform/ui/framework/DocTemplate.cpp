// Document templates: making the document, the frame and the view of "file new".
#include "platform/ui/framework/DocTemplate.h"

#include "platform/ui/framework/Document.h"
#include "platform/ui/framework/FrameWnd.h"
#include "platform/ui/framework/View.h"
#include "platform/ui/framework/WinApp.h"

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass)
{
    m_strDocStrings.LoadString(nIDResource);
}

CDocTemplate::~CDocTemplate() = default;

BOOL CDocTemplate::GetDocString(CString& rString, DocStringIndex index) const
{
    rString.Empty();
    int start = 0;
    for (int field = 0; field < index; ++field) {
        start = m_strDocStrings.Find('\n', start);
        if (start < 0)
            return FALSE;
        ++start;
    }
    int end = m_strDocStrings.Find('\n', start);
    rString = end < 0 ? m_strDocStrings.Mid(start) : m_strDocStrings.Mid(start, end - start);
    return TRUE;
}

void CDocTemplate::AddDocument(CDocument* pDoc)
{
    if (pDoc)
        pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc)
{
    if (pDoc && pDoc->m_pDocTemplate == this)
        pDoc->m_pDocTemplate = nullptr;
}

void CDocTemplate::CloseAllDocuments(BOOL)
{
    POSITION pos = GetFirstDocPosition();
    while (pos) {
        CDocument* doc = GetNextDoc(pos);
        if (doc)
            doc->OnCloseDocument();
    }
}

CDocument* CDocTemplate::CreateNewDocument()
{
    if (!m_pDocClass)
        return nullptr;
    auto* doc = dynamic_cast<CDocument*>(m_pDocClass->CreateObject());
    if (doc)
        AddDocument(doc);
    return doc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther)
{
    if (!m_pFrameClass)
        return nullptr;
    CObject* object = m_pFrameClass->CreateObject();
    auto* frame = dynamic_cast<CFrameWnd*>(object);
    if (!frame) {
        delete object;
        return nullptr;
    }
    CCreateContext context;
    context.m_pCurrentFrame = pOther;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    // A frame that fails to load has deleted itself (PostNcDestroy).
    if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context))
        return nullptr;
    return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    if (pFrame)
        pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

// ---- CSingleDocTemplate ----

CSingleDocTemplate::~CSingleDocTemplate()
{
    if (m_pOnlyDoc)
        m_pOnlyDoc->m_pDocTemplate = nullptr;
}

void CSingleDocTemplate::AddDocument(CDocument* pDoc)
{
    CDocTemplate::AddDocument(pDoc);
    m_pOnlyDoc = pDoc;
}

void CSingleDocTemplate::RemoveDocument(CDocument* pDoc)
{
    CDocTemplate::RemoveDocument(pDoc);
    if (m_pOnlyDoc == pDoc)
        m_pOnlyDoc = nullptr;
}

POSITION CSingleDocTemplate::GetFirstDocPosition() const
{
    return m_pOnlyDoc ? reinterpret_cast<POSITION>(static_cast<INT_PTR>(1)) : nullptr;
}

CDocument* CSingleDocTemplate::GetNextDoc(POSITION& rPos) const
{
    CDocument* doc = rPos ? m_pOnlyDoc : nullptr;
    rPos = nullptr;
    return doc;
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible)
{
    // The one document is reused: emptied and renewed (or reopened) in its frame.
    if (CDocument* doc = m_pOnlyDoc) {
        if (!doc->SaveModified())
            return nullptr;
        BOOL ok = lpszPathName ? doc->OnOpenDocument(lpszPathName) : doc->OnNewDocument();
        if (!ok)
            return nullptr;
        doc->UpdateAllViews(nullptr);
        return doc;
    }
    CDocument* doc = CreateNewDocument();
    if (!doc)
        return nullptr;
    // Not deleted by its views' coming and going while the frame is built.
    BOOL autoDelete = doc->m_bAutoDelete;
    doc->m_bAutoDelete = FALSE;
    CFrameWnd* frame = CreateNewFrame(doc, nullptr);
    doc->m_bAutoDelete = autoDelete;
    if (!frame) {
        delete doc;
        return nullptr;
    }
    CWinApp* app = AfxGetApp();
    if (app && !app->m_pMainWnd)
        app->m_pMainWnd = frame;
    BOOL ok = lpszPathName ? doc->OnOpenDocument(lpszPathName) : doc->OnNewDocument();
    if (!ok) {
        frame->DestroyWindow();
        return nullptr;
    }
    InitialUpdateFrame(frame, doc, bMakeVisible);
    return doc;
}
