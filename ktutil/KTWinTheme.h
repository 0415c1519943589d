// KTWinTheme: drawing with the desktop's visual style where one is active, so that a control
// can fall back to its own drawing otherwise.
//
// This system has no visual-style library: the theme is never available, every member reports
// failure (0 or null) and the controls that embed a KTWinTheme draw their classic look. The
// members keep their contracts so that those controls need no second code path.
#pragma once

#include "platform/core/Geometry.h"
#include "platform/core/Types.h"

class CBitmap;
class CDC;

class KTWinTheme
{
public:
    KTWinTheme() = default;
    KTWinTheme(const KTWinTheme&) = delete;
    KTWinTheme& operator=(const KTWinTheme&) = delete;
    virtual ~KTWinTheme() = default;

    // 1 when a theme could be opened for the window's classes (one at a time per object).
    int OpenThemeData(HWND window, const wchar_t* classList);
    void CloseThemeData() {}

    // Each gives 1 when an open theme answered, else 0 and the output is untouched.
    int DrawThemePart(CDC* dc, int part, int state, const CRect& rect);
    int GetThemeColor(int part, int state, int property, COLORREF& colour);
    int GetThemeInt(int part, int state, int property, int& value);
    int GetThemeMargins(int part, int state, int property, CRect& margins);
    int GetThemeEnumValue(int part, int state, int property, int& value);
    int GetThemeFilename(int part, int state, int property, wchar_t* buffer, int length);
    int GetCurrentThemeName(wchar_t* fileName, int fileLength, wchar_t* colourName, int colourLength,
                            wchar_t* sizeName, int sizeLength);
    // A bitmap of the style file (the caller deletes it), or null.
    CBitmap* LoadBitmapA(const wchar_t* fileName);
    void FreeLibrary() {}
};
