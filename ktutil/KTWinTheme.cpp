// KTWinTheme over the platform's visual-style service.
#include "ktutil/KTWinTheme.h"

#include "platform/gdi/CDC.h"
#include "platform/gdi/VisualStyle.h"

#include <string>

int KTWinTheme::OpenThemeData(HWND, const wchar_t* classList)
{
    m_class.Empty();
    if (!classList)
        return 0;
    // Class names are plain ASCII ("TAB", "SPIN"), separated by semicolons.
    std::string name;
    for (const wchar_t* c = classList;; ++c) {
        if (*c == L';' || *c == L'\0') {
            if (!name.empty() && platform::IsVisualStyleActive(name.c_str())) {
                m_class = name.c_str();
                return 1;
            }
            name.clear();
            if (*c == L'\0')
                return 0;
        } else if (*c > 0 && *c < 0x80 && *c != L' ') {
            name += static_cast<char>(*c);
        }
    }
}

int KTWinTheme::DrawThemePart(CDC* dc, int part, int state, const CRect& rect)
{
    if (!dc || m_class.IsEmpty())
        return 0;
    return platform::DrawVisualStylePart(dc->GetSafeHdc(), m_class, part, state, rect) ? 1 : 0;
}

int KTWinTheme::GetThemeColor(int, int, int, COLORREF&) { return 0; }

int KTWinTheme::GetThemeInt(int, int, int, int&) { return 0; }

int KTWinTheme::GetThemeMargins(int, int, int, CRect&) { return 0; }

int KTWinTheme::GetThemeEnumValue(int, int, int, int&) { return 0; }

int KTWinTheme::GetThemeFilename(int, int, int, wchar_t*, int) { return 0; }

int KTWinTheme::GetCurrentThemeName(wchar_t*, int, wchar_t*, int, wchar_t*, int) { return 0; }

CBitmap* KTWinTheme::LoadBitmapA(const wchar_t*) { return nullptr; }
