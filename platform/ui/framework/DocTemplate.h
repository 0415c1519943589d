// Document templates join a document class, a frame class and a view class under one resource
// id. The id names the frame's title text: the string resource holds fields separated by "\n"
// (window title, document name, file-new name, filter name, filter extension, type id, type
// name). CSingleDocTemplate keeps one document at a time: "file new" makes the document, the
// frame (LoadFrame with the template's id) and the view inside it, then runs the initial update;
// a later "file new" reuses the document.
#pragma once

#include "platform/core/Collections.h"
#include "platform/core/CString.h"
#include "platform/msg/CmdTarget.h"
#include "platform/ui/framework/RuntimeClass.h"

class CDocTemplate;
class CDocument;
class CFrameWnd;
class CView;
class CWnd;

// What a frame needs to make its view: passed through CreateEx's parameter.
struct CCreateContext
{
    CRuntimeClass* m_pNewViewClass { nullptr };
    CDocument* m_pCurrentDoc { nullptr };
    CDocTemplate* m_pNewDocTemplate { nullptr };
    CView* m_pLastView { nullptr };
    CFrameWnd* m_pCurrentFrame { nullptr };
};

class CDocTemplate : public CCmdTarget
{
public:
    enum DocStringIndex { windowTitle, docName, fileNewName, filterName, filterExt, regFileTypeId, regFileTypeName };

    CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass);
    ~CDocTemplate() override;

    virtual BOOL GetDocString(CString& rString, DocStringIndex index) const;
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);
    virtual POSITION GetFirstDocPosition() const = 0;
    virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;
    virtual void CloseAllDocuments(BOOL bEndSession);

    CDocument* CreateNewDocument();
    // Makes a frame of the template's class for `pDoc`; null when it cannot be created.
    CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);

    UINT GetResourceId() const { return m_nIDResource; }

protected:
    UINT m_nIDResource { 0 };
    CRuntimeClass* m_pDocClass { nullptr };
    CRuntimeClass* m_pFrameClass { nullptr };
    CRuntimeClass* m_pViewClass { nullptr };
    CString m_strDocStrings;
};

class CSingleDocTemplate : public CDocTemplate
{
public:
    using CDocTemplate::CDocTemplate;
    ~CSingleDocTemplate() override;

    CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
    void AddDocument(CDocument* pDoc) override;
    void RemoveDocument(CDocument* pDoc) override;
    POSITION GetFirstDocPosition() const override;
    CDocument* GetNextDoc(POSITION& rPos) const override;

protected:
    CDocument* m_pOnlyDoc { nullptr };
};
