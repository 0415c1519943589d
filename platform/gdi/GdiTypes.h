// Constants and plain structures of the drawing module: pen, brush and font descriptions, raster
// operations, text and edge flags, device capabilities, bitmap headers. Values that stored data or
// callers can observe keep their classic numbers.
#pragma once

#include "platform/core/Geometry.h"
#include "platform/core/Types.h"

// ---- pens -------------------------------------------------------------------
constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_DASHDOT = 3;
constexpr int PS_DASHDOTDOT = 4;
constexpr int PS_NULL = 5;
constexpr int PS_INSIDEFRAME = 6;
constexpr int PS_STYLE_MASK = 0x0F;
constexpr int PS_ENDCAP_ROUND = 0x000;
constexpr int PS_ENDCAP_SQUARE = 0x100;
constexpr int PS_ENDCAP_FLAT = 0x200;
constexpr int PS_ENDCAP_MASK = 0xF00;
constexpr int PS_COSMETIC = 0x00000;
constexpr int PS_GEOMETRIC = 0x10000;

struct LOGPEN
{
    UINT lopnStyle { PS_SOLID };
    POINT lopnWidth {};
    COLORREF lopnColor { 0 };
};

// ---- brushes ----------------------------------------------------------------
constexpr UINT BS_SOLID = 0;
constexpr UINT BS_NULL = 1;
constexpr UINT BS_HOLLOW = BS_NULL;
constexpr UINT BS_HATCHED = 2;
constexpr UINT BS_PATTERN = 3;

constexpr int HS_HORIZONTAL = 0;
constexpr int HS_VERTICAL = 1;
constexpr int HS_FDIAGONAL = 2;
constexpr int HS_BDIAGONAL = 3;
constexpr int HS_CROSS = 4;
constexpr int HS_DIAGCROSS = 5;

struct LOGBRUSH
{
    UINT lbStyle { BS_SOLID };
    COLORREF lbColor { 0 };
    ULONG_PTR lbHatch { 0 };
};

// ---- fonts ------------------------------------------------------------------
constexpr int LF_FACESIZE = 32;
constexpr LONG FW_DONTCARE = 0;
constexpr LONG FW_THIN = 100;
constexpr LONG FW_LIGHT = 300;
constexpr LONG FW_NORMAL = 400;
constexpr LONG FW_MEDIUM = 500;
constexpr LONG FW_SEMIBOLD = 600;
constexpr LONG FW_BOLD = 700;
constexpr LONG FW_HEAVY = 900;
constexpr BYTE ANSI_CHARSET = 0;
constexpr BYTE DEFAULT_CHARSET = 1;
constexpr BYTE OUT_DEFAULT_PRECIS = 0;
constexpr BYTE CLIP_DEFAULT_PRECIS = 0;
constexpr BYTE DEFAULT_QUALITY = 0;
constexpr BYTE ANTIALIASED_QUALITY = 4;
constexpr BYTE DEFAULT_PITCH = 0;
constexpr BYTE FIXED_PITCH = 1;
constexpr BYTE VARIABLE_PITCH = 2;
constexpr BYTE FF_DONTCARE = 0x00;
constexpr BYTE FF_ROMAN = 0x10;
constexpr BYTE FF_SWISS = 0x20;
constexpr BYTE FF_MODERN = 0x30;

struct LOGFONT
{
    LONG lfHeight { 0 };
    LONG lfWidth { 0 };
    LONG lfEscapement { 0 };
    LONG lfOrientation { 0 };
    LONG lfWeight { FW_NORMAL };
    BYTE lfItalic { 0 };
    BYTE lfUnderline { 0 };
    BYTE lfStrikeOut { 0 };
    BYTE lfCharSet { DEFAULT_CHARSET };
    BYTE lfOutPrecision { 0 };
    BYTE lfClipPrecision { 0 };
    BYTE lfQuality { 0 };
    BYTE lfPitchAndFamily { 0 };
    char lfFaceName[LF_FACESIZE] {};
};
using LPLOGFONT = LOGFONT*;

struct TEXTMETRIC
{
    LONG tmHeight { 0 };
    LONG tmAscent { 0 };
    LONG tmDescent { 0 };
    LONG tmInternalLeading { 0 };
    LONG tmExternalLeading { 0 };
    LONG tmAveCharWidth { 0 };
    LONG tmMaxCharWidth { 0 };
    LONG tmWeight { 0 };
    LONG tmOverhang { 0 };
    LONG tmDigitizedAspectX { 96 };
    LONG tmDigitizedAspectY { 96 };
    char tmFirstChar { 0x20 };
    char tmLastChar { '\x7f' };
    char tmDefaultChar { '?' };
    char tmBreakChar { ' ' };
    BYTE tmItalic { 0 };
    BYTE tmUnderlined { 0 };
    BYTE tmStruckOut { 0 };
    BYTE tmPitchAndFamily { 0 };
    BYTE tmCharSet { 0 };
};
using LPTEXTMETRIC = TEXTMETRIC*;

// ---- bitmaps and device-independent bitmaps -----------------------------------
struct BITMAP
{
    LONG bmType { 0 };
    LONG bmWidth { 0 };
    LONG bmHeight { 0 };
    LONG bmWidthBytes { 0 };
    WORD bmPlanes { 1 };
    WORD bmBitsPixel { 32 };
    LPVOID bmBits { nullptr };
};

struct RGBQUAD
{
    BYTE rgbBlue { 0 };
    BYTE rgbGreen { 0 };
    BYTE rgbRed { 0 };
    BYTE rgbReserved { 0 };
};

// The classic 40-byte header; a negative height means rows top-down.
struct BITMAPINFOHEADER
{
    DWORD biSize { 40 };
    LONG biWidth { 0 };
    LONG biHeight { 0 };
    WORD biPlanes { 1 };
    WORD biBitCount { 24 };
    DWORD biCompression { 0 };
    DWORD biSizeImage { 0 };
    LONG biXPelsPerMeter { 0 };
    LONG biYPelsPerMeter { 0 };
    DWORD biClrUsed { 0 };
    DWORD biClrImportant { 0 };
};
static_assert(sizeof(BITMAPINFOHEADER) == 40);

struct BITMAPINFO
{
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
};

constexpr DWORD BI_RGB = 0;
constexpr UINT DIB_RGB_COLORS = 0;
constexpr UINT DIB_PAL_COLORS = 1;

// ---- raster operations ----------------------------------------------------------
constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr DWORD SRCPAINT = 0x00EE0086;
constexpr DWORD SRCAND = 0x008800C6;
constexpr DWORD SRCINVERT = 0x00660046;
constexpr DWORD SRCERASE = 0x00440328;
constexpr DWORD NOTSRCCOPY = 0x00330008;
constexpr DWORD NOTSRCERASE = 0x001100A6;
constexpr DWORD MERGEPAINT = 0x00BB0226;
constexpr DWORD PATCOPY = 0x00F00021;
constexpr DWORD PATINVERT = 0x005A0049;
constexpr DWORD DSTINVERT = 0x00550009;
constexpr DWORD BLACKNESS = 0x00000042;
constexpr DWORD WHITENESS = 0x00FF0062;

// Mix modes of pens (SetROP2).
constexpr int R2_BLACK = 1;
constexpr int R2_NOT = 6;
constexpr int R2_XORPEN = 7;
constexpr int R2_NOP = 11;
constexpr int R2_NOTXORPEN = 10;
constexpr int R2_COPYPEN = 13;
constexpr int R2_WHITE = 16;

constexpr int BLACKONWHITE = 1;
constexpr int WHITEONBLACK = 2;
constexpr int COLORONCOLOR = 3;
constexpr int HALFTONE = 4;
constexpr int STRETCH_DELETESCANS = COLORONCOLOR;

// ---- modes ------------------------------------------------------------------
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;
constexpr int ALTERNATE = 1;
constexpr int WINDING = 2;
constexpr int MM_TEXT = 1;
constexpr int MM_ANISOTROPIC = 8;

constexpr UINT TA_NOUPDATECP = 0;
constexpr UINT TA_UPDATECP = 1;
constexpr UINT TA_LEFT = 0;
constexpr UINT TA_RIGHT = 2;
constexpr UINT TA_CENTER = 6;
constexpr UINT TA_TOP = 0;
constexpr UINT TA_BOTTOM = 8;
constexpr UINT TA_BASELINE = 24;

constexpr UINT ETO_OPAQUE = 0x0002;
constexpr UINT ETO_CLIPPED = 0x0004;

// ---- DrawText ---------------------------------------------------------------
constexpr UINT DT_TOP = 0x00000000;
constexpr UINT DT_LEFT = 0x00000000;
constexpr UINT DT_CENTER = 0x00000001;
constexpr UINT DT_RIGHT = 0x00000002;
constexpr UINT DT_VCENTER = 0x00000004;
constexpr UINT DT_BOTTOM = 0x00000008;
constexpr UINT DT_WORDBREAK = 0x00000010;
constexpr UINT DT_SINGLELINE = 0x00000020;
constexpr UINT DT_EXPANDTABS = 0x00000040;
constexpr UINT DT_NOCLIP = 0x00000100;
constexpr UINT DT_CALCRECT = 0x00000400;
constexpr UINT DT_NOPREFIX = 0x00000800;
constexpr UINT DT_END_ELLIPSIS = 0x00008000;
constexpr UINT DT_MODIFYSTRING = 0x00010000;

// ---- regions and clipping -----------------------------------------------------
constexpr int RGN_AND = 1;
constexpr int RGN_OR = 2;
constexpr int RGN_XOR = 3;
constexpr int RGN_DIFF = 4;
constexpr int RGN_COPY = 5;
constexpr int ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;

constexpr UINT DCB_RESET = 0x0001;
constexpr UINT DCB_ACCUMULATE = 0x0002;
constexpr UINT DCB_SET = DCB_RESET | DCB_ACCUMULATE;
constexpr UINT DCB_ENABLE = 0x0004;
constexpr UINT DCB_DISABLE = 0x0008;

// ---- device capabilities ---------------------------------------------------------
constexpr int HORZSIZE = 4;
constexpr int VERTSIZE = 6;
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int BITSPIXEL = 12;
constexpr int PLANES = 14;
constexpr int NUMCOLORS = 24;
constexpr int TECHNOLOGY = 2;
constexpr int RASTERCAPS = 38;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;
constexpr int SIZEPALETTE = 104;
constexpr int PHYSICALWIDTH = 110;
constexpr int PHYSICALHEIGHT = 111;
constexpr int PHYSICALOFFSETX = 112;
constexpr int PHYSICALOFFSETY = 113;
constexpr int DT_RASDISPLAY = 1;
constexpr int DT_RASPRINTER = 2;
constexpr int RC_BITBLT = 0x0001;
constexpr int RC_PALETTE = 0x0100;
constexpr int RC_DIBTODEV = 0x0200;
constexpr int RC_STRETCHBLT = 0x0800;
constexpr int RC_STRETCHDIB = 0x2000;

// ---- stock objects -----------------------------------------------------------
constexpr int WHITE_BRUSH = 0;
constexpr int LTGRAY_BRUSH = 1;
constexpr int GRAY_BRUSH = 2;
constexpr int DKGRAY_BRUSH = 3;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int HOLLOW_BRUSH = NULL_BRUSH;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;
constexpr int ANSI_FIXED_FONT = 11;
constexpr int ANSI_VAR_FONT = 12;
constexpr int SYSTEM_FONT = 13;
constexpr int DEVICE_DEFAULT_FONT = 14;
constexpr int DEFAULT_PALETTE = 15;
constexpr int SYSTEM_FIXED_FONT = 16;
constexpr int DEFAULT_GUI_FONT = 17;

constexpr DWORD OBJ_PEN = 1;
constexpr DWORD OBJ_BRUSH = 2;
constexpr DWORD OBJ_DC = 3;
constexpr DWORD OBJ_PAL = 5;
constexpr DWORD OBJ_FONT = 6;
constexpr DWORD OBJ_BITMAP = 7;
constexpr DWORD OBJ_REGION = 8;
constexpr DWORD OBJ_MEMDC = 10;

// ---- edges and frame controls -------------------------------------------------
constexpr UINT BDR_RAISEDOUTER = 0x0001;
constexpr UINT BDR_SUNKENOUTER = 0x0002;
constexpr UINT BDR_RAISEDINNER = 0x0004;
constexpr UINT BDR_SUNKENINNER = 0x0008;
constexpr UINT BDR_OUTER = BDR_RAISEDOUTER | BDR_SUNKENOUTER;
constexpr UINT BDR_INNER = BDR_RAISEDINNER | BDR_SUNKENINNER;
constexpr UINT EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
constexpr UINT EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
constexpr UINT EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
constexpr UINT EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;

constexpr UINT BF_LEFT = 0x0001;
constexpr UINT BF_TOP = 0x0002;
constexpr UINT BF_RIGHT = 0x0004;
constexpr UINT BF_BOTTOM = 0x0008;
constexpr UINT BF_TOPLEFT = BF_TOP | BF_LEFT;
constexpr UINT BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT;
constexpr UINT BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
constexpr UINT BF_MIDDLE = 0x0800;
constexpr UINT BF_SOFT = 0x1000;
constexpr UINT BF_ADJUST = 0x2000;
constexpr UINT BF_FLAT = 0x4000;
constexpr UINT BF_MONO = 0x8000;

constexpr UINT DFC_CAPTION = 1;
constexpr UINT DFC_MENU = 2;
constexpr UINT DFC_SCROLL = 3;
constexpr UINT DFC_BUTTON = 4;

constexpr UINT DFCS_SCROLLUP = 0x0000;
constexpr UINT DFCS_SCROLLDOWN = 0x0001;
constexpr UINT DFCS_SCROLLLEFT = 0x0002;
constexpr UINT DFCS_SCROLLRIGHT = 0x0003;
constexpr UINT DFCS_SCROLLCOMBOBOX = 0x0005;
constexpr UINT DFCS_SCROLLSIZEGRIP = 0x0008;
constexpr UINT DFCS_BUTTONCHECK = 0x0000;
constexpr UINT DFCS_BUTTONRADIO = 0x0004;
constexpr UINT DFCS_BUTTON3STATE = 0x0008;
constexpr UINT DFCS_BUTTONPUSH = 0x0010;
constexpr UINT DFCS_INACTIVE = 0x0100;
constexpr UINT DFCS_PUSHED = 0x0200;
constexpr UINT DFCS_CHECKED = 0x0400;
constexpr UINT DFCS_FLAT = 0x4000;
constexpr UINT DFCS_MONO = 0x8000;

// ---- printing ------------------------------------------------------------------
constexpr short DMORIENT_PORTRAIT = 1;
constexpr short DMORIENT_LANDSCAPE = 2;
constexpr short DMPAPER_LETTER = 1;
constexpr short DMPAPER_A4 = 9;
constexpr DWORD DM_ORIENTATION = 0x00000001;
constexpr DWORD DM_PAPERSIZE = 0x00000002;

// The part of a printer's mode that our code sets: orientation and paper.
struct DEVMODE
{
    DWORD dmFields { 0 };
    short dmOrientation { DMORIENT_PORTRAIT };
    short dmPaperSize { DMPAPER_A4 };
    short dmCopies { 1 };
};
using LPDEVMODE = DEVMODE*;

struct DOCINFO
{
    int cbSize { sizeof(DOCINFO) };
    LPCSTR lpszDocName { nullptr };
    LPCSTR lpszOutput { nullptr }; // a file name prints to that file (PDF)
    LPCSTR lpszDatatype { nullptr };
    DWORD fwType { 0 };
};

constexpr int SP_ERROR = -1;
