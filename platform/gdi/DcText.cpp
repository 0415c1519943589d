// CDC text: TextOut, ExtTextOut, DrawText, extents and metrics through pango.
//
// Lines are placed on the classic cell grid (cell height = ascent + descent of the font's
// metrics), each line drawn with its baseline at the cell's ascent, so that text sits where
// layouts computed from GetTextMetrics expect it.
#include "platform/gdi/DcInternal.h"
#include "platform/gdi/TextShaping.h"

#include <cairo.h>
#include <pango/pangocairo.h>

#include <cmath>
#include <cstring>
#include <string_view>

namespace platform::gdi {

namespace {

double FontScale(const DcData& d)
{
    return std::abs(d.ScaleY());
}

double DeviceEm(const DcData& d)
{
    return d.st.font->emPixels * FontScale(d);
}

// A line in the DC's current font at its scale, shaped for `cr` (the DC's cairo context as it
// stands now: a rotation set on it gives a line shaped for that rotation).
LayoutRef Shape(DcData& d, cairo_t* cr, const std::string_view& text, Underline u = {}, int wrapWidth = -1)
{
    return ShapeText(cr, d.HasPixels(), *d.st.font, FontScale(d), text, u, wrapWidth);
}

int LogicalWidth(PangoLayout* layout)
{
    PangoRectangle logical;
    pango_layout_get_pixel_extents(layout, nullptr, &logical);
    return logical.width;
}

int LineWidth(DcData& d, cairo_t* cr, const std::string_view& text)
{
    return LogicalWidth(Shape(d, cr, text).get());
}

// Draws the layout's text with its baseline at surface point (x, y + ascent).
void ShowAt(DcData& d, cairo_t* cr, PangoLayout* layout, double x, double top, int ascent)
{
    double baseline = pango_layout_get_baseline(layout) / double(PANGO_SCALE);
    CairoSetColor(cr, d.st.textColor, d.Mono());
    cairo_move_to(cr, x, top + ascent - baseline);
    pango_cairo_show_layout(cr, layout);
}

// Byte offsets at which code points start, plus the end.
std::vector<int> CharStarts(const std::string& s)
{
    std::vector<int> starts;
    for (int i = 0; i < static_cast<int>(s.size()); ++i)
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80)
            starts.push_back(i);
    starts.push_back(static_cast<int>(s.size()));
    return starts;
}

// The longest start of `line` that, followed by "...", fits into `width` pixels.
std::string FitWithEllipsis(DcData& d, cairo_t* cr, const std::string& line, int width)
{
    if (LineWidth(d, cr, line) <= width)
        return line;
    std::vector<int> starts = CharStarts(line);
    int lo = 0, hi = static_cast<int>(starts.size()) - 1; // candidate counts of code points
    while (lo < hi) {
        int mid = (lo + hi + 1) / 2;
        std::string candidate = line.substr(0, starts[mid]) + "...";
        if (LineWidth(d, cr, candidate) <= width)
            lo = mid;
        else
            hi = mid - 1;
    }
    return line.substr(0, starts[lo]) + "...";
}

// Removes the mnemonic ampersands: "&&" is one ampersand, "&x" underlines x.
std::string StripPrefix(const std::string& text, Underline& u)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            out += text[i];
            continue;
        }
        if (i + 1 >= text.size())
            break;
        if (text[i + 1] == '&') {
            out += '&';
            ++i;
            continue;
        }
        if (u.start < 0) {
            u.start = static_cast<int>(out.size());
            size_t len = 1;
            while (i + 1 + len < text.size() && (static_cast<unsigned char>(text[i + 1 + len]) & 0xC0) == 0x80)
                ++len;
            u.length = static_cast<int>(len);
        }
    }
    return out;
}

struct TextLine
{
    std::string text;
    Underline underline;
    int width { 0 };
};

} // namespace

} // namespace platform::gdi

using namespace platform::gdi;

// ---- TextOut and ExtTextOut ------------------------------------------------------------------
namespace {

// Draws one run at logical (x, y) by the text alignment; returns its device width.
int DrawRun(DcData& d, int x, int y, const char* text, int count, const CRect* clipSurface, const CRect* opaqueSurface)
{
    cairo_t* cr = d.Cairo();
    if (!cr)
        return 0;
    const std::string_view line(text, static_cast<size_t>(count));
    LayoutRef layout = Shape(d, cr, line);
    int w = LogicalWidth(layout.get());
    FontMetrics m = MetricsFor(*d.st.font, DeviceEm(d));
    int h = m.ascent + m.descent;
    POINT p = d.ToSurfacePoint(x, y);
    UINT align = d.st.textAlign;
    double dx = (align & TA_CENTER) == TA_CENTER ? -w / 2.0 : (align & TA_RIGHT) ? -w : 0.0;
    double dy = (align & TA_BASELINE) == TA_BASELINE ? -m.ascent : (align & TA_BOTTOM) ? -h : 0.0;
    double angle = d.st.font->lf.lfEscapement / 10.0 * M_PI / 180.0;

    cairo_save(cr);
    if (clipSurface) {
        cairo_rectangle(cr, clipSurface->left, clipSurface->top, clipSurface->Width(), clipSurface->Height());
        cairo_clip(cr);
    }
    if (opaqueSurface) {
        CairoSetColor(cr, d.st.bkColor, d.Mono());
        cairo_rectangle(cr, opaqueSurface->left, opaqueSurface->top, opaqueSurface->Width(), opaqueSurface->Height());
        cairo_fill(cr);
    }
    cairo_translate(cr, p.x, p.y);
    if (angle != 0) {
        // Shaped again for the rotation, as it is drawn.
        cairo_rotate(cr, -angle);
        layout = Shape(d, cr, line);
    }
    if (d.st.bkMode == OPAQUE) {
        CairoSetColor(cr, d.st.bkColor, d.Mono());
        cairo_rectangle(cr, std::floor(dx), dy, w, h);
        cairo_fill(cr);
    }
    ShowAt(d, cr, layout.get(), std::floor(dx), dy, m.ascent);
    cairo_restore(cr);
    int reach = angle != 0 ? std::max(w, h) + 2 : 0;
    CRect touched = angle != 0 ? CRect(p.x - reach, p.y - reach, p.x + reach, p.y + reach)
                               : CRect(static_cast<int>(p.x + std::floor(dx)), static_cast<int>(p.y + dy),
                                       static_cast<int>(p.x + std::floor(dx)) + w + 1, static_cast<int>(p.y + dy) + h);
    if (angle == 0)
        RecordText(d, std::string(text, static_cast<size_t>(count)),
                   CRect(touched.left, touched.top, touched.right - 1, touched.bottom),
                   clipSurface ? clipSurface : opaqueSurface, clipSurface != nullptr);
    if (opaqueSurface)
        touched |= *opaqueSurface;
    d.Touch(touched);
    return w;
}

} // namespace

BOOL CDC::TextOut(int x, int y, LPCSTR text, int count)
{
    return ExtTextOut(x, y, 0, nullptr, text, count < 0 ? 0 : static_cast<UINT>(count), nullptr);
}

BOOL CDC::ExtTextOut(int x, int y, UINT options, LPCRECT rect, LPCSTR text, UINT count, const int*)
{
    DcData* d = Data(this);
    if (!d)
        return FALSE;
    SurfaceLock lock(*d);
    CRect r = rect ? d->ToSurface(*rect) : CRect();
    bool updateCp = (d->st.textAlign & TA_UPDATECP) != 0;
    if (updateCp)
        x = d->st.current.x, y = d->st.current.y;
    int w = 0;
    if (text && count > 0) {
        w = DrawRun(*d, x, y, text, static_cast<int>(count), (options & ETO_CLIPPED) && rect ? &r : nullptr,
                    (options & ETO_OPAQUE) && rect ? &r : nullptr);
    } else if ((options & ETO_OPAQUE) && rect) {
        BrushData b;
        b.color = d->st.bkColor;
        FillWithBrush(*d, r, b);
    }
    if (updateCp)
        d->st.current.x += static_cast<LONG>(std::lround(w / std::abs(d->ScaleX())));
    return TRUE;
}

// ---- extents and metrics ---------------------------------------------------------------
CSize CDC::GetTextExtent(LPCSTR text, int count) const
{
    DcData* d = Data(this);
    if (!d)
        return CSize();
    SurfaceLock lock(*d);
    cairo_t* cr = d->Cairo();
    FontMetrics m = MetricsFor(*d->st.font, DeviceEm(*d));
    int w = 0;
    if (cr && text && count > 0)
        w = LineWidth(*d, cr, std::string_view(text, static_cast<size_t>(count)));
    return CSize(static_cast<int>(std::lround(w / std::abs(d->ScaleX()))),
                 static_cast<int>(std::lround((m.ascent + m.descent) / std::abs(d->ScaleY()))));
}

CSize CDC::GetTabbedTextExtent(const CString& text, int tabPositions, const int* tabStops) const
{
    TEXTMETRIC tm;
    if (!GetTextMetrics(&tm))
        return CSize();
    int defaultStop = 8 * tm.tmAveCharWidth;
    // Each run after a tab starts at the next stop right of the text so far.
    auto nextStop = [&](int x) {
        for (int i = 0; i < tabPositions && tabStops; ++i) {
            int stop = tabPositions == 1 ? 0 : tabStops[i];
            if (tabPositions == 1) {
                int every = std::max(1, tabStops[0]);
                return (x / every + 1) * every;
            }
            if (stop > x)
                return stop;
        }
        return (x / std::max(1, defaultStop) + 1) * std::max(1, defaultStop);
    };
    int x = 0;
    size_t start = 0;
    const std::string& s = text.str();
    while (true) {
        size_t tab = s.find('\t', start);
        std::string run = s.substr(start, tab == std::string::npos ? std::string::npos : tab - start);
        x += GetTextExtent(run.c_str(), static_cast<int>(run.size())).cx;
        if (tab == std::string::npos)
            break;
        x = nextStop(x);
        start = tab + 1;
    }
    return CSize(x, tm.tmHeight);
}

BOOL GetTextExtentPoint32(HDC dc, LPCSTR text, int count, SIZE* size)
{
    CDC* c = CDC::FromHandle(dc);
    if (!c || !size)
        return FALSE;
    *size = c->GetTextExtent(text, count);
    return TRUE;
}

DWORD GetTabbedTextExtent(HDC dc, LPCSTR text, int count, int tabPositions, const int* tabStops)
{
    CDC* c = CDC::FromHandle(dc);
    if (!c || !text)
        return 0;
    CSize s = c->GetTabbedTextExtent(CString(text, count < 0 ? static_cast<int>(std::strlen(text)) : count), tabPositions, tabStops);
    return static_cast<DWORD>(MAKELONG(static_cast<WORD>(s.cx), static_cast<WORD>(s.cy)));
}

BOOL CDC::GetTextMetrics(LPTEXTMETRIC tm) const
{
    DcData* d = Data(this);
    if (!d || !tm)
        return FALSE;
    const FontData& f = *d->st.font;
    // Metrics at the device size, returned in logical units.
    double sy = std::abs(d->ScaleY()), sx = std::abs(d->ScaleX());
    FontMetrics m = MetricsFor(f, DeviceEm(*d));
    auto ly = [&](int v) { return static_cast<LONG>(std::lround(v / sy)); };
    auto lx = [&](int v) { return static_cast<LONG>(std::lround(v / sx)); };
    *tm = TEXTMETRIC {};
    tm->tmAscent = ly(m.ascent);
    tm->tmDescent = ly(m.descent);
    tm->tmHeight = tm->tmAscent + tm->tmDescent;
    tm->tmInternalLeading = ly(m.internalLeading);
    tm->tmAveCharWidth = lx(m.aveCharWidth);
    tm->tmMaxCharWidth = lx(m.maxCharWidth);
    tm->tmWeight = f.lf.lfWeight ? f.lf.lfWeight : FW_NORMAL;
    tm->tmItalic = f.lf.lfItalic;
    tm->tmUnderlined = f.lf.lfUnderline;
    tm->tmStruckOut = f.lf.lfStrikeOut;
    tm->tmPitchAndFamily = f.family == "Liberation Mono" ? FF_MODERN : (f.family == "Liberation Serif" ? FF_ROMAN | VARIABLE_PITCH : FF_SWISS | VARIABLE_PITCH);
    tm->tmCharSet = f.lf.lfCharSet;
    return TRUE;
}

int CDC::GetTextFace(int count, LPSTR faceName) const
{
    DcData* d = Data(this);
    if (!d || !faceName || count <= 0)
        return 0;
    const char* face = d->st.font->lf.lfFaceName[0] ? d->st.font->lf.lfFaceName : d->st.font->family.c_str();
    std::strncpy(faceName, face, count - 1);
    faceName[count - 1] = 0;
    return static_cast<int>(std::strlen(faceName));
}

// ---- DrawText --------------------------------------------------------------------------
namespace {

int DrawTextImpl(DcData& d, const char* text, int count, RECT* rect, UINT format, std::string* modified)
{
    if (!text || !rect)
        return 0;
    std::string source(text, count < 0 ? std::strlen(text) : static_cast<size_t>(count));
    SurfaceLock lock(d);
    cairo_t* cr = d.Cairo();
    if (!cr)
        return 0;
    Underline mnemonic;
    std::string body = (format & DT_NOPREFIX) ? source : StripPrefix(source, mnemonic);
    body.erase(std::remove(body.begin(), body.end(), '\r'), body.end());
    bool singleLine = (format & DT_SINGLELINE) != 0;
    if (singleLine)
        std::replace(body.begin(), body.end(), '\n', ' ');

    CRect area = d.ToSurface(*rect);
    FontMetrics m = MetricsFor(*d.st.font, DeviceEm(d));
    int lineHeight = m.ascent + m.descent;
    bool wrap = (format & DT_WORDBREAK) && !singleLine;

    // Split into lines: paragraphs, then word wrapping by pango within the rectangle's width.
    std::vector<TextLine> lines;
    size_t paragraphStart = 0;
    while (paragraphStart <= body.size()) {
        size_t end = body.find('\n', paragraphStart);
        if (end == std::string::npos)
            end = body.size();
        std::string paragraph = body.substr(paragraphStart, end - paragraphStart);
        Underline u;
        if (mnemonic.start >= static_cast<int>(paragraphStart) && mnemonic.start < static_cast<int>(end))
            u = { mnemonic.start - static_cast<int>(paragraphStart), mnemonic.length };
        if (wrap && !paragraph.empty()) {
            LayoutRef layout = Shape(d, cr, paragraph, {}, std::max(1, area.Width()) * PANGO_SCALE);
            int n = pango_layout_get_line_count(layout.get());
            for (int i = 0; i < n; ++i) {
                PangoLayoutLine* pl = pango_layout_get_line_readonly(layout.get(), i);
                std::string part = paragraph.substr(pl->start_index, pl->length);
                while (!part.empty() && part.back() == ' ')
                    part.pop_back();
                Underline pu;
                if (u.start >= pl->start_index && u.start < pl->start_index + pl->length)
                    pu = { u.start - pl->start_index, u.length };
                lines.push_back({ part, pu, 0 });
            }
        } else {
            if (format & DT_END_ELLIPSIS) {
                std::string fitted = FitWithEllipsis(d, cr, paragraph, area.Width());
                if (fitted != paragraph && u.start >= static_cast<int>(fitted.size()) - 3)
                    u = {};
                paragraph = fitted;
            }
            lines.push_back({ paragraph, u, 0 });
        }
        if (end >= body.size())
            break;
        paragraphStart = end + 1;
    }
    int widest = 0;
    for (TextLine& line : lines) {
        line.width = LineWidth(d, cr, line.text);
        widest = std::max(widest, line.width);
    }
    int totalHeight = lineHeight * static_cast<int>(lines.size());
    double sx = std::abs(d.ScaleX()), sy = std::abs(d.ScaleY());
    int logicalHeight = static_cast<int>(std::lround(totalHeight / sy));

    if (modified && (format & DT_MODIFYSTRING) && (format & DT_END_ELLIPSIS) && lines.size() == 1 && !wrap) {
        if (lines[0].text != body)
            *modified = lines[0].text;
    }
    if (format & DT_CALCRECT) {
        rect->right = rect->left + static_cast<LONG>(std::lround(widest / sx));
        rect->bottom = rect->top + logicalHeight;
        return logicalHeight;
    }

    int top = area.top;
    if (singleLine && (format & DT_VCENTER))
        top = area.top + (area.Height() - lineHeight) / 2;
    else if (singleLine && (format & DT_BOTTOM))
        top = area.bottom - lineHeight;

    cairo_save(cr);
    if (!(format & DT_NOCLIP)) {
        cairo_rectangle(cr, area.left, area.top, area.Width(), area.Height());
        cairo_clip(cr);
    }
    CRect touched;
    for (size_t i = 0; i < lines.size(); ++i) {
        const TextLine& line = lines[i];
        int x = (format & DT_CENTER) ? area.left + (area.Width() - line.width) / 2
                : (format & DT_RIGHT) ? area.right - line.width
                                      : area.left;
        int y = top + static_cast<int>(i) * lineHeight;
        if (d.st.bkMode == OPAQUE && line.width > 0) {
            CairoSetColor(cr, d.st.bkColor, d.Mono());
            cairo_rectangle(cr, x, y, line.width, lineHeight);
            cairo_fill(cr);
        }
        ShowAt(d, cr, Shape(d, cr, line.text, line.underline).get(), x, y, m.ascent);
        touched |= CRect(x, y, x + line.width + 1, y + lineHeight);
        RecordText(d, line.text, CRect(x, y, x + line.width, y + lineHeight), &area, !(format & DT_NOCLIP));
    }
    cairo_restore(cr);
    if (!(format & DT_NOCLIP))
        touched &= area;
    d.Touch(touched);
    return singleLine && (format & (DT_VCENTER | DT_BOTTOM))
               ? static_cast<int>(std::lround((top - area.top + lineHeight) / sy))
               : logicalHeight;
}

} // namespace

int CDC::DrawText(LPCSTR text, int count, LPRECT rect, UINT format)
{
    DcData* d = Data(this);
    return d ? DrawTextImpl(*d, text, count, rect, format, nullptr) : 0;
}

int CDC::DrawText(const CString& text, LPRECT rect, UINT format)
{
    return DrawText(text.GetString(), text.GetLength(), rect, format);
}

int CDC::DrawText(CString& text, LPRECT rect, UINT format)
{
    DcData* d = Data(this);
    if (!d)
        return 0;
    std::string modified;
    int h = DrawTextImpl(*d, text.GetString(), text.GetLength(), rect, format, &modified);
    if (!modified.empty())
        text = CString(modified);
    return h;
}

int DrawText(HDC dc, LPCSTR text, int count, LPRECT rect, UINT format)
{
    CDC* c = CDC::FromHandle(dc);
    return c ? c->DrawText(text, count, rect, format) : 0;
}
