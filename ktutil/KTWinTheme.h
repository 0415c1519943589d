// KTWinTheme: drawing with the desktop's visual style where one is active, so that a control
// can fall back to its own drawing otherwise.
//
// The style is the platform's visual-style service (platform/gdi/VisualStyle.h): on the desktop
// (the gtk host) it draws the parts of the classes "TAB" and "SPIN" with the desktop's theme, on
// its user-interface thread; elsewhere no theme opens and every member reports failure (0 or
// null), so the controls that embed a KTWinTheme draw their classic look. The properties that a
// classic theme kept in its style files (image files, margins, colours by property) do not exist
// here: those members always report failure.
#pragma once

#include "platform/core/CString.h"
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

    // 1 when the style draws one of the classes of the list ("TAB;SPIN"), which the theme then
    // draws; one class at a time per object. 0 otherwise (and the object holds none).
    int OpenThemeData(HWND window, const wchar_t* classList);
    void CloseThemeData() { m_class.Empty(); }
    int IsThemeOpen() const { return m_class.IsEmpty() ? 0 : 1; }

    // 1 when the open theme drew the part into the rectangle, else 0 and nothing is drawn.
    int DrawThemePart(CDC* dc, int part, int state, const CRect& rect);
    // Each gives 1 when an open theme answered, else 0 and the output is untouched.
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

private:
    CString m_class;
};
