// KTLayoutItem: the shared ownership of an item's window.
#include "ktutil/KTLayoutItem.h"

#include "platform/msg/Wnd.h"

namespace {

// Hides and destroys the window (when there is one), then deletes its object.
void DeleteOwnedWindow(CWnd* window)
{
    if (window->GetSafeHwnd()) {
        window->ShowWindow(SW_HIDE);
        window->DestroyWindow();
    }
    delete window;
}

} // namespace

void KTLayoutItem::SetWindow(CWnd* window, BOOL deleteWindow)
{
    m_owner.reset();
    m_pWnd = window;
    m_bDeleteWindow = deleteWindow;
    if (window && deleteWindow)
        m_owner = std::shared_ptr<CWnd>(window, DeleteOwnedWindow);
}
