// Fonts: face names resolved through fontconfig, heights turned into pango sizes, metrics.
#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/GdiInternal.h"
#include "platform/gdi/TextShaping.h"

#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>

#include <cmath>
#include <cstring>
#include <map>
#include <mutex>
#include <strings.h>

namespace platform::gdi {

namespace {

// Classic face names and the metric-compatible families that stand in for them.
struct FaceAlias
{
    const char* face;
    const char* family;
};
constexpr FaceAlias kFaceAliases[] = {
    { "Arial", "Liberation Sans" },
    { "MS Sans Serif", "Liberation Sans" },
    { "Microsoft Sans Serif", "Liberation Sans" },
    { "MS Shell Dlg", "Liberation Sans" },
    { "MS Shell Dlg 2", "Liberation Sans" },
    { "Tahoma", "Liberation Sans" },
    { "Segoe UI", "Liberation Sans" },
    { "Verdana", "Liberation Sans" },
    { "Helvetica", "Liberation Sans" },
    { "System", "Liberation Sans" },
    { "Times New Roman", "Liberation Serif" },
    { "Times", "Liberation Serif" },
    { "MS Serif", "Liberation Serif" },
    { "Courier New", "Liberation Mono" },
    { "Courier", "Liberation Mono" },
    { "Fixedsys", "Liberation Mono" },
    { "Terminal", "Liberation Mono" },
    { "Lucida Console", "Liberation Mono" },
};

// Loads fontconfig's configuration and font list on this thread, once, before the first font
// map. A font map otherwise starts a thread of pango's own that loads them while this thread
// already asks fontconfig about faces: two threads inside fontconfig's start-up at once, with
// nothing but fontconfig's own atomics between them.
void LoadFontconfig()
{
    static const bool loaded = FcInit() == FcTrue;
    (void)loaded;
}

// True when fontconfig has a font of exactly this family.
bool FontconfigHasFamily(const char* family)
{
    LoadFontconfig();
    static std::mutex mutex; // fontconfig's configuration is shared; serialise our queries
    static std::map<std::string, bool> known;
    std::lock_guard lock(mutex);
    auto it = known.find(family);
    if (it != known.end())
        return it->second;
    bool found = false;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
    if (FcFontSet* set = FcFontList(nullptr, pattern, objects)) {
        found = set->nfont > 0;
        FcFontSetDestroy(set);
    }
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    known.emplace(family, found);
    return found;
}

struct FontRatios
{
    double ascent { 0.905 };
    double descent { 0.212 };
    double aveWidth { 0.5 };
    double maxWidth { 1.0 };
    double capital { 0.72 };
};

PangoFontDescription* MakeDescription(const std::string& family, LONG weight, bool italic, double em)
{
    PangoFontDescription* d = pango_font_description_new();
    pango_font_description_set_family(d, family.c_str());
    pango_font_description_set_weight(d, static_cast<PangoWeight>(weight <= 0 ? FW_NORMAL : std::clamp<LONG>(weight, 100, 1000)));
    pango_font_description_set_style(d, italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    pango_font_description_set_absolute_size(d, std::max(em, 1.0) * PANGO_SCALE);
    return d;
}

// Ascent, descent and widths per pixel of character height, measured once per face.
FontRatios RatiosFor(const std::string& family, LONG weight, bool italic)
{
    static std::mutex mutex;
    static std::map<std::tuple<std::string, LONG, bool>, FontRatios> cache;
    auto key = std::make_tuple(family, weight, italic);
    {
        std::lock_guard lock(mutex);
        auto it = cache.find(key);
        if (it != cache.end())
            return it->second;
    }
    constexpr double kProbe = 1000.0;
    FontRatios r;
    LoadFontconfig();
    PangoFontMap* map = pango_cairo_font_map_new();
    PangoContext* ctx = pango_font_map_create_context(map);
    pango_cairo_context_set_resolution(ctx, 96.0);
    PangoFontDescription* d = MakeDescription(family, weight, italic, kProbe);
    if (PangoFontMetrics* m = pango_context_get_metrics(ctx, d, pango_language_from_string("en"))) {
        r.ascent = pango_font_metrics_get_ascent(m) / double(PANGO_SCALE) / kProbe;
        r.descent = pango_font_metrics_get_descent(m) / double(PANGO_SCALE) / kProbe;
        r.aveWidth = pango_font_metrics_get_approximate_char_width(m) / double(PANGO_SCALE) / kProbe;
        r.maxWidth = std::max(r.aveWidth * 2.0, pango_font_metrics_get_approximate_digit_width(m) / double(PANGO_SCALE) / kProbe);
        pango_font_metrics_unref(m);
    }
    // The ink height of a capital letter: how tall a text reads.
    PangoLayout* layout = pango_layout_new(ctx);
    pango_layout_set_font_description(layout, d);
    pango_layout_set_text(layout, "H", 1);
    PangoRectangle ink;
    pango_layout_get_extents(layout, &ink, nullptr);
    if (ink.height > 0)
        r.capital = ink.height / double(PANGO_SCALE) / kProbe;
    g_object_unref(layout);
    pango_font_description_free(d);
    g_object_unref(ctx);
    g_object_unref(map);
    std::lock_guard lock(mutex);
    cache.emplace(key, r);
    return r;
}

} // namespace

std::string ResolveFamily(const char* faceName, BYTE pitchAndFamily)
{
    if (faceName && *faceName) {
        for (const auto& alias : kFaceAliases)
            if (strcasecmp(alias.face, faceName) == 0)
                return alias.family;
        if (FontconfigHasFamily(faceName))
            return faceName;
    }
    if ((pitchAndFamily & 0xF0) == FF_ROMAN)
        return "Liberation Serif";
    if ((pitchAndFamily & 0xF0) == FF_MODERN || (pitchAndFamily & 0x0F) == FIXED_PITCH)
        return "Liberation Mono";
    return "Liberation Sans";
}

FontData::~FontData()
{
    if (desc)
        pango_font_description_free(desc);
}

FontData* CreateFontData(const LOGFONT& lf)
{
    auto* f = new FontData;
    f->lf = lf;
    f->lf.lfFaceName[LF_FACESIZE - 1] = 0;
    f->family = ResolveFamily(f->lf.lfFaceName, lf.lfPitchAndFamily);
    constexpr LONG kDefaultCharacterHeight = 13;
    FontRatios r = RatiosFor(f->family, lf.lfWeight, lf.lfItalic != 0);
    if (lf.lfHeight < 0)
        f->emPixels = -static_cast<double>(lf.lfHeight);
    else if (lf.lfHeight > 0)
        f->emPixels = lf.lfHeight / (r.ascent + r.descent);
    else
        f->emPixels = kDefaultCharacterHeight;
    f->desc = MakeDescription(f->family, lf.lfWeight, lf.lfItalic != 0, f->emPixels);
    char* description = pango_font_description_to_string(f->desc);
    f->shapeKey = InternFontKey(description);
    g_free(description);
    f->ascentRatio = r.ascent;
    f->descentRatio = r.descent;
    f->capitalRatio = r.capital;
    f->aveWidthRatio = r.aveWidth;
    f->maxWidthRatio = r.maxWidth;
    Register(f);
    return f;
}

FontMetrics MetricsFor(const FontData& font, double em)
{
    FontMetrics m;
    m.ascent = static_cast<int>(std::lround(font.ascentRatio * em));
    m.descent = static_cast<int>(std::lround(font.descentRatio * em));
    m.internalLeading = std::max(0, m.ascent + m.descent - static_cast<int>(std::lround(em)));
    m.aveCharWidth = std::max(1, static_cast<int>(std::lround(font.aveWidthRatio * em)));
    m.maxCharWidth = std::max(1, static_cast<int>(std::lround(font.maxWidthRatio * em)));
    return m;
}

} // namespace platform::gdi

using namespace platform::gdi;

HFONT CreateFontIndirect(const LOGFONT* logFont)
{
    if (!logFont)
        return nullptr;
    return static_cast<HFONT>(static_cast<void*>(CreateFontData(*logFont)));
}

BOOL CFont::CreateFontIndirect(const LOGFONT* logFont)
{
    if (!logFont)
        return FALSE;
    // A font that already exists is replaced; drawers that selected the old one keep it.
    Replace(reinterpret_cast<HGDIOBJ>(::CreateFontIndirect(logFont)));
    return TRUE;
}

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                       BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                       BYTE quality, BYTE pitchAndFamily, LPCSTR faceName)
{
    LOGFONT lf;
    lf.lfHeight = height;
    lf.lfWidth = width;
    lf.lfEscapement = escapement;
    lf.lfOrientation = orientation;
    lf.lfWeight = weight;
    lf.lfItalic = italic;
    lf.lfUnderline = underline;
    lf.lfStrikeOut = strikeOut;
    lf.lfCharSet = charSet;
    lf.lfOutPrecision = outPrecision;
    lf.lfClipPrecision = clipPrecision;
    lf.lfQuality = quality;
    lf.lfPitchAndFamily = pitchAndFamily;
    if (faceName)
        std::strncpy(lf.lfFaceName, faceName, LF_FACESIZE - 1);
    return CreateFontIndirect(&lf);
}

BOOL CFont::CreatePointFont(int pointSize, LPCSTR faceName, CDC* dc)
{
    LOGFONT lf;
    lf.lfHeight = pointSize;
    if (faceName)
        std::strncpy(lf.lfFaceName, faceName, LF_FACESIZE - 1);
    return CreatePointFontIndirect(&lf, dc);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONT* logFont, CDC* dc)
{
    if (!logFont)
        return FALSE;
    LOGFONT lf = *logFont;
    int dpi = dc && dc->m_hDC ? dc->GetDeviceCaps(LOGPIXELSY) : 96;
    // Tenths of a point to device pixels, then to the DC's logical units.
    POINT p[2] = { { 0, 0 }, { 0, static_cast<LONG>(std::lround(lf.lfHeight * dpi / 720.0)) } };
    if (dc && dc->m_hDC)
        dc->DPtoLP(p, 2);
    lf.lfHeight = -std::abs(p[1].y - p[0].y);
    return CreateFontIndirect(&lf);
}

int CFont::GetLogFont(LOGFONT* logFont) const
{
    return ::GetObject(m_hObject, sizeof(LOGFONT), logFont);
}
