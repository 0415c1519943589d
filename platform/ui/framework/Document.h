// CDocument: a program's data behind its views. It keeps the list of its views, its title and
// path, a modified flag, and takes part in command routing after the view that shows it.
#pragma once

#include "platform/core/Collections.h"
#include "platform/core/CString.h"
#include "platform/msg/CmdTarget.h"

#include <vector>

class CDocTemplate;
class CView;

class CDocument : public CCmdTarget
{
public:
    CDocument() = default;
    ~CDocument() override;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    // A fresh document (the "file new" path); the default empties it and names it untitled.
    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(LPCTSTR lpszPathName);
    virtual void DeleteContents() {}
    // Closes every frame that shows the document, then deletes the document (m_bAutoDelete).
    virtual void OnCloseDocument();
    virtual BOOL SaveModified() { return TRUE; }
    virtual BOOL CanCloseFrame(CWnd*) { return SaveModified(); }

    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCTSTR lpszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    virtual void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE);
    BOOL IsModified() const { return m_bModified; }
    void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    // ---- views ----
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    POSITION GetFirstViewPosition() const;
    CView* GetNextView(POSITION& rPosition) const;
    // Tells every view but the sender (OnUpdate).
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0, CObject* pHint = nullptr);
    virtual void OnChangedViewList();

    BOOL m_bAutoDelete { TRUE };
    CDocTemplate* m_pDocTemplate { nullptr };

protected:
    CString m_strTitle;
    CString m_strPathName;
    BOOL m_bModified { FALSE };

private:
    std::vector<CView*> m_views;
};
