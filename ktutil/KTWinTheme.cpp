// KTWinTheme on a system without a visual-style library: no theme opens, so every query fails
// and the caller keeps its own drawing.
#include "ktutil/KTWinTheme.h"

int KTWinTheme::OpenThemeData(HWND, const wchar_t*) { return 0; }

int KTWinTheme::DrawThemePart(CDC*, int, int, const CRect&) { return 0; }

int KTWinTheme::GetThemeColor(int, int, int, COLORREF&) { return 0; }

int KTWinTheme::GetThemeInt(int, int, int, int&) { return 0; }

int KTWinTheme::GetThemeMargins(int, int, int, CRect&) { return 0; }

int KTWinTheme::GetThemeEnumValue(int, int, int, int&) { return 0; }

int KTWinTheme::GetThemeFilename(int, int, int, wchar_t*, int) { return 0; }

int KTWinTheme::GetCurrentThemeName(wchar_t*, int, wchar_t*, int, wchar_t*, int) { return 0; }

CBitmap* KTWinTheme::LoadBitmapA(const wchar_t*) { return nullptr; }
