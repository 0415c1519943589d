// The per-thread pango contexts and the cache of shaped layouts behind the DCs' text.
//
// A context is made for each kind of target the thread draws text on: whether glyph advances
// are hinted to whole pixels, the kind of cairo surface (its font options join ours) and the
// linear part of the drawing's transformation (a printer page's scale, a rotated line). It is
// set up once and never changed afterwards, so a layout shaped on it stays valid: pango would
// shape every layout of a context again after any change of it.
//
// The cache holds at most kMaxLayouts layouts, the least recently used going first; lines
// longer than kMaxCachedBytes are shaped each time (a long paragraph is rarely drawn twice).
#include "platform/gdi/TextShaping.h"

#include "platform/gdi/GdiInternal.h"
#include "platform/gdi/TextShapingCount.h"

#include <cairo.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <list>
#include <mutex>
#include <set>
#include <unordered_map>
#include <vector>

namespace platform::gdi {

namespace {

constexpr std::size_t kMaxLayouts = 256;
constexpr std::size_t kMaxCachedBytes = 256;
// More kinds of target than this on one thread (rotated texts at many angles): start afresh.
constexpr std::size_t kMaxContexts = 8;

thread_local std::uint64_t t_shapings = 0;

// ---- contexts ---------------------------------------------------------------------------------

struct ContextKind
{
    bool hintMetrics { false };
    int surfaceType { 0 };
    double xx { 1 }, yx { 0 }, xy { 0 }, yy { 1 };

    bool operator==(const ContextKind&) const = default;
};

ContextKind KindOf(cairo_t* cr, bool hintMetrics)
{
    cairo_matrix_t m;
    cairo_get_matrix(cr, &m);
    return ContextKind { hintMetrics, static_cast<int>(cairo_surface_get_type(cairo_get_target(cr))), m.xx, m.yx,
                         m.xy, m.yy };
}

// A context of the thread's font map with our font options and resolution, joined with the
// target's font options and transformation.
PangoContext* NewContext(cairo_t* cr, bool hintMetrics)
{
    PangoContext* context = pango_font_map_create_context(pango_cairo_font_map_get_default());
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options, hintMetrics ? CAIRO_HINT_METRICS_ON : CAIRO_HINT_METRICS_OFF);
    pango_cairo_context_set_font_options(context, options);
    cairo_font_options_destroy(options);
    pango_cairo_context_set_resolution(context, 96.0);
    pango_cairo_update_context(cr, context);
    return context;
}

// ---- the cache --------------------------------------------------------------------------------

struct ShapeKey
{
    PangoContext* context { nullptr };
    const std::string* font { nullptr }; // interned description
    double size { 0 };                   // absolute size in pango units
    bool underline { false };
    bool strikeOut { false };
    Underline mnemonic;
    int wrapWidth { -1 };
    std::string text;

    bool operator==(const ShapeKey& o) const
    {
        return context == o.context && font == o.font && size == o.size && underline == o.underline &&
               strikeOut == o.strikeOut && mnemonic.start == o.mnemonic.start &&
               mnemonic.length == o.mnemonic.length && wrapWidth == o.wrapWidth && text == o.text;
    }
};

struct ShapeKeyHash
{
    std::size_t operator()(const ShapeKey& k) const
    {
        std::size_t h = std::hash<std::string_view>()(k.text);
        const auto mix = [&h](std::size_t v) { h ^= v + 0x9e3779b97f4a7c15ull + (h << 6) + (h >> 2); };
        mix(std::hash<const void*>()(k.context));
        mix(std::hash<const void*>()(k.font));
        mix(std::hash<double>()(k.size));
        mix(static_cast<std::size_t>(k.underline) | static_cast<std::size_t>(k.strikeOut) << 1);
        mix(static_cast<std::size_t>(k.mnemonic.start) * 31 + static_cast<std::size_t>(k.mnemonic.length));
        mix(static_cast<std::size_t>(k.wrapWidth));
        return h;
    }
};

PangoLayout* NewLayout(const ShapeKey& key, const FontData& font)
{
    ++t_shapings;
    PangoLayout* layout = pango_layout_new(key.context);
    PangoFontDescription* desc = pango_font_description_copy(font.desc);
    pango_font_description_set_absolute_size(desc, key.size);
    pango_layout_set_font_description(layout, desc);
    pango_font_description_free(desc);
    pango_layout_set_text(layout, key.text.data(), static_cast<int>(key.text.size()));
    if (key.underline || key.strikeOut || key.mnemonic.start >= 0) {
        PangoAttrList* attrs = pango_attr_list_new();
        if (key.underline)
            pango_attr_list_insert(attrs, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
        if (key.strikeOut)
            pango_attr_list_insert(attrs, pango_attr_strikethrough_new(TRUE));
        if (key.mnemonic.start >= 0 && !key.underline) {
            PangoAttribute* a = pango_attr_underline_new(PANGO_UNDERLINE_SINGLE);
            a->start_index = static_cast<guint>(key.mnemonic.start);
            a->end_index = static_cast<guint>(key.mnemonic.start + key.mnemonic.length);
            pango_attr_list_insert(attrs, a);
        }
        pango_layout_set_attributes(layout, attrs);
        pango_attr_list_unref(attrs);
    }
    if (key.wrapWidth > 0) {
        pango_layout_set_width(layout, key.wrapWidth);
        pango_layout_set_wrap(layout, PANGO_WRAP_WORD);
    }
    return layout;
}

class ThreadTextCache
{
public:
    ThreadTextCache() = default;
    ThreadTextCache(const ThreadTextCache&) = delete;
    ThreadTextCache& operator=(const ThreadTextCache&) = delete;
    ~ThreadTextCache() { Clear(); }

    PangoContext* Context(cairo_t* cr, bool hintMetrics)
    {
        const ContextKind kind = KindOf(cr, hintMetrics);
        for (const auto& [known, context] : m_contexts)
            if (known == kind)
                return context;
        if (m_contexts.size() == kMaxContexts)
            Clear();
        m_contexts.emplace_back(kind, NewContext(cr, hintMetrics));
        return m_contexts.back().second;
    }

    // The cached layout of `key` (made now when there is none), with a reference for the caller.
    PangoLayout* Layout(ShapeKey key, const FontData& font)
    {
        if (key.text.size() > kMaxCachedBytes)
            return NewLayout(key, font);
        auto found = m_index.find(key);
        if (found != m_index.end()) {
            m_recent.splice(m_recent.begin(), m_recent, found->second);
            return static_cast<PangoLayout*>(g_object_ref(found->second->second));
        }
        if (m_recent.size() == kMaxLayouts) {
            m_index.erase(m_recent.back().first);
            g_object_unref(m_recent.back().second);
            m_recent.pop_back();
        }
        PangoLayout* layout = NewLayout(key, font);
        m_recent.emplace_front(std::move(key), layout);
        m_index.emplace(m_recent.front().first, m_recent.begin());
        return static_cast<PangoLayout*>(g_object_ref(layout));
    }

private:
    void Clear()
    {
        m_index.clear();
        for (auto& [key, layout] : m_recent)
            g_object_unref(layout);
        m_recent.clear();
        for (auto& [kind, context] : m_contexts)
            g_object_unref(context);
        m_contexts.clear();
    }

    std::vector<std::pair<ContextKind, PangoContext*>> m_contexts;
    // Most recently used first.
    std::list<std::pair<ShapeKey, PangoLayout*>> m_recent;
    std::unordered_map<ShapeKey, std::list<std::pair<ShapeKey, PangoLayout*>>::iterator, ShapeKeyHash> m_index;
};

// The thread's cache, made on its first text and freed at the thread's end. Text drawn later
// still in the thread's end (by another thread-local's destructor) gets a cache of its own
// for the one line.
struct CacheHolder
{
    ThreadTextCache* cache { nullptr };
    ~CacheHolder()
    {
        delete cache;
        cache = nullptr;
        t_cacheGone = true;
    }
    static thread_local bool t_cacheGone;
};
thread_local bool CacheHolder::t_cacheGone = false;
thread_local CacheHolder t_cache;

} // namespace

void LayoutUnref::operator()(PangoLayout* layout) const
{
    if (layout)
        g_object_unref(layout);
}

LayoutRef ShapeText(cairo_t* cr, bool hintMetrics, const FontData& font, double scale, std::string_view text,
                    Underline underline, int wrapWidth)
{
    if (!cr)
        return nullptr;
    std::unique_ptr<ThreadTextCache> passing;
    ThreadTextCache* cache = nullptr;
    if (CacheHolder::t_cacheGone) {
        passing = std::make_unique<ThreadTextCache>();
        cache = passing.get();
    } else {
        if (!t_cache.cache)
            t_cache.cache = new ThreadTextCache;
        cache = t_cache.cache;
    }
    ShapeKey key;
    key.context = cache->Context(cr, hintMetrics);
    key.font = font.shapeKey;
    key.size = std::max(1.0, font.emPixels * scale) * PANGO_SCALE;
    key.underline = font.lf.lfUnderline != 0;
    key.strikeOut = font.lf.lfStrikeOut != 0;
    key.mnemonic = underline;
    key.wrapWidth = wrapWidth > 0 ? wrapWidth : -1;
    key.text.assign(text.data(), text.size());
    return LayoutRef(cache->Layout(std::move(key), font));
}

const std::string* InternFontKey(const std::string& description)
{
    static std::mutex mutex;
    static auto* known = new std::set<std::string>; // lives as long as the fonts that point into it
    std::lock_guard lock(mutex);
    return &*known->insert(description).first;
}

} // namespace platform::gdi

std::uint64_t platform::TextShapingsOnThisThread()
{
    return platform::gdi::t_shapings;
}
