// KTResource over the platform's resource modules.
#include "ktutil/KTResource.h"

#include "platform/core/ResourceModule.h"
#include "platform/core/StringTable.h"
#include "platform/gdi/Icon.h"
#include "platform/gdi/Image.h"
#include "platform/ui/dialogs/Dialog.h"
#include "platform/ui/dialogs/DialogTemplate.h"

namespace {

constexpr int kStringBuffer = 1024;

// The program's own module: null for the lookups below.
constexpr HINSTANCE kProgram = nullptr;

} // namespace

int KTResource::OpenResource(LPCTSTR file, LPCTSTR label)
{
    int closed = CloseResource();
    if (closed != KTRES_OK)
        return closed;
    m_hModule = LoadLibrary(file);
    if (!m_hModule)
        return KTRES_LOAD_FAILED;
    m_strLabel = label ? label : "";
    return KTRES_OK;
}

int KTResource::CloseResource()
{
    if (m_hModule) {
        if (!FreeLibrary(m_hModule))
            return KTRES_FREE_FAILED;
        m_hModule = nullptr;
    }
    m_strLabel.Empty();
    return KTRES_OK;
}

CString KTResource::GetString(UINT id) const
{
    char buffer[kStringBuffer] = {};
    if (m_hModule && LoadString(m_hModule, id, buffer, kStringBuffer) > 0)
        return buffer;
    LoadString(kProgram, id, buffer, kStringBuffer);
    return buffer;
}

HBITMAP KTResource::GetBitmap(UINT id) const
{
    auto load = [id](HINSTANCE module) -> HBITMAP {
        for (const char* type : { "PNG", "BITMAP" }) {
            std::span<const BYTE> bytes = platform::FindResourceData(module, type, id);
            platform::Image image;
            if (!bytes.empty() && image.LoadPng(bytes.data(), bytes.size()))
                return image.ToBitmap();
        }
        return nullptr;
    };
    HBITMAP bitmap = m_hModule ? load(m_hModule) : nullptr;
    return bitmap ? bitmap : load(AfxGetInstanceHandle());
}

HICON KTResource::GetIcon(UINT id, int, int) const
{
    HICON icon = m_hModule ? LoadIcon(m_hModule, id) : nullptr;
    return icon ? icon : LoadIcon(AfxGetInstanceHandle(), id);
}

int KTResource::GetDialog(UINT id, CDialog* dialog, CWnd* parent, BOOL modeless) const
{
    if (!dialog)
        return KTRES_NO_DIALOG;
    if (dialog->GetSafeHwnd())
        return KTRES_DIALOG_EXISTS;
    const platform::DialogTemplate* found = m_hModule ? platform::FindDialogTemplate(id, m_hModule) : nullptr;
    if (!found)
        found = platform::FindDialogTemplate(id, AfxGetInstanceHandle());
    if (!found)
        return KTRES_NO_TEMPLATE;
    BOOL made = modeless ? dialog->CreateIndirect(*found, parent) : dialog->InitModalIndirect(*found, parent);
    return made ? KTRES_OK : KTRES_CREATE_FAILED;
}
