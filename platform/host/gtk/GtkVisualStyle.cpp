// The visual-style service of the gtk host: the classic theme parts drawn by the desktop's GTK
// theme through style contexts, as GTK draws its own notebooks and spin buttons.
//
// "TAB": a tab is a notebook tab on a stretch of the tab header (so that a row of them reads as
// the theme's header), the pane is the notebook's frame around its page. The tabs are always
// drawn upright with their header on top; a control with tabs elsewhere mirrors and turns them.
// "SPIN": an arrow button of a spin button, without its arrow (the caller draws its own glyph).
#include "platform/gdi/VisualStyle.h"
#include "platform/host/gtk/GtkHostInternal.h"

#include <gtk/gtk.h>

#include <cstring>
#include <initializer_list>
#include <vector>

namespace platform::host::gtk {
namespace {

constexpr int kTabItem = 1;
constexpr int kTabPane = 9;
constexpr int kSpinUp = 1;
constexpr int kSpinDown = 2;
constexpr int kSpinLeft = 3;
constexpr int kSpinRight = 4;

// One node of a widget path, with its parent's context for what it inherits.
class StyleNode
{
public:
    StyleNode(const StyleNode* parent, GType type, const char* name, std::initializer_list<const char*> classes,
              GtkStateFlags state = GTK_STATE_FLAG_NORMAL)
    {
        GtkWidgetPath* path = parent ? gtk_widget_path_copy(gtk_style_context_get_path(parent->m_context))
                                     : gtk_widget_path_new();
        gtk_widget_path_append_type(path, type);
        gtk_widget_path_iter_set_object_name(path, -1, name);
        for (const char* c : classes)
            gtk_widget_path_iter_add_class(path, -1, c);
        gtk_widget_path_iter_set_state(path, -1, state);
        m_context = gtk_style_context_new();
        gtk_style_context_set_path(m_context, path);
        if (parent)
            gtk_style_context_set_parent(m_context, parent->m_context);
        gtk_style_context_set_state(m_context, state);
        gtk_widget_path_unref(path);
    }
    ~StyleNode() { g_object_unref(m_context); }
    StyleNode(const StyleNode&) = delete;
    StyleNode& operator=(const StyleNode&) = delete;

    // Background and frame over the whole area.
    void Render(cairo_t* cr, double width, double height) const
    {
        gtk_render_background(m_context, cr, 0, 0, width, height);
        gtk_render_frame(m_context, cr, 0, 0, width, height);
    }
    void RenderBackground(cairo_t* cr, double x, double y, double width, double height) const
    {
        gtk_render_background(m_context, cr, x, y, width, height);
    }

private:
    GtkStyleContext* m_context { nullptr };
};

GtkStateFlags TabState(int state)
{
    switch (state) {
    case 2: return GTK_STATE_FLAG_PRELIGHT;
    case 3: return GTK_STATE_FLAG_CHECKED;
    default: return GTK_STATE_FLAG_NORMAL;
    }
}

GtkStateFlags ButtonState(int state)
{
    switch (state) {
    case 2: return GTK_STATE_FLAG_PRELIGHT;
    case 3: return GtkStateFlags(GTK_STATE_FLAG_ACTIVE | GTK_STATE_FLAG_PRELIGHT);
    case 4: return GTK_STATE_FLAG_INSENSITIVE;
    default: return GTK_STATE_FLAG_NORMAL;
    }
}

bool DrawTabPart(cairo_t* cr, int part, int state, int width, int height)
{
    const StyleNode notebook(nullptr, GTK_TYPE_NOTEBOOK, "notebook", { "frame" });
    if (part == kTabPane) {
        const StyleNode stack(&notebook, G_TYPE_NONE, "stack", {});
        notebook.Render(cr, width, height);
        stack.RenderBackground(cr, 1, 1, width - 2, height - 2);
        return true;
    }
    if (part != kTabItem)
        return false;
    const StyleNode header(&notebook, G_TYPE_NONE, "header", { "top" });
    const StyleNode tabs(&header, G_TYPE_NONE, "tabs", {});
    const StyleNode tab(&tabs, G_TYPE_NONE, "tab", {}, TabState(state));
    header.RenderBackground(cr, 0, 0, width, height);
    tab.Render(cr, width, height);
    return true;
}

bool DrawSpinPart(cairo_t* cr, int part, int state, int width, int height)
{
    if (part < kSpinUp || part > kSpinRight)
        return false;
    const bool vertical = part == kSpinUp || part == kSpinDown;
    // A spin button's "up" raises the value: upward when vertical, to the right when horizontal.
    const bool up = part == kSpinUp || part == kSpinRight;
    const StyleNode spin(nullptr, GTK_TYPE_SPIN_BUTTON, "spinbutton", { vertical ? "vertical" : "horizontal" });
    const StyleNode button(&spin, GTK_TYPE_BUTTON, "button", { up ? "up" : "down" }, ButtonState(state));
    spin.RenderBackground(cr, 0, 0, width, height);
    button.Render(cr, width, height);
    return true;
}

class GtkVisualStyle : public VisualStyleService
{
public:
    bool Draws(const char* themeClass) const override
    {
        return IsHostThread() && (std::strcmp(themeClass, "TAB") == 0 || std::strcmp(themeClass, "SPIN") == 0);
    }

    bool DrawPart(const char* themeClass, int part, int state, std::uint32_t* pixels, int width, int height) override
    {
        if (!Draws(themeClass) || width <= 0 || height <= 0)
            return false;
        // Drawn on a copy, so that a part GTK cannot draw leaves the caller's pixels as they were.
        std::vector<std::uint32_t> copy(pixels, pixels + static_cast<size_t>(width) * height);
        cairo_surface_t* surface = cairo_image_surface_create_for_data(
            reinterpret_cast<unsigned char*>(copy.data()), CAIRO_FORMAT_RGB24, width, height, width * 4);
        cairo_t* cr = cairo_create(surface);
        const bool drawn = std::strcmp(themeClass, "TAB") == 0 ? DrawTabPart(cr, part, state, width, height)
                                                                : DrawSpinPart(cr, part, state, width, height);
        cairo_destroy(cr);
        cairo_surface_flush(surface);
        cairo_surface_destroy(surface);
        if (drawn)
            std::memcpy(pixels, copy.data(), copy.size() * sizeof(std::uint32_t));
        return drawn;
    }
};

} // namespace

void InstallVisualStyle() { SetVisualStyleService(std::make_shared<GtkVisualStyle>()); }

} // namespace platform::host::gtk
