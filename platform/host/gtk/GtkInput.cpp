// GTK's device events turned into the window layer's injected input, so that a real mouse and
// keyboard are routed exactly like the null host's test input (capture, hit testing, activation,
// focus, the layer's own double-click timing, the wheel to the focus window).
//
// Keys and text: a key press becomes WM_KEYDOWN with the classic virtual-key code, and the
// layer's TranslateMessage makes the classic character from it. Text that the input method
// commits and that the key's translation would not give (another keyboard layout, a composed
// character, a keypad digit with Num Lock) arrives as WM_CHAR, UTF-8 byte by byte, the way the
// layer types characters the classic keyboard lacks.
#include "platform/host/gtk/GtkHost.h"
#include "platform/host/gtk/GtkHostInternal.h"
#include "platform/msg/Input.h"
#include "platform/msg/WindowApi.h"

#include <gtk/gtk.h>

#include <cmath>
#include <deque>
#include <set>
#include <string>

namespace platform::host::gtk {

namespace {

// ---- the input queue (host thread only) -------------------------------------------------------

struct PendingInput
{
    std::function<void()> deliver;
    bool text { false };
};
std::deque<PendingInput> s_input;

HWND HwndOf(gpointer data) { return static_cast<HWND>(data); }

POINT ScreenPoint(HWND hwnd, double x, double y)
{
    POINT origin = ContentOriginOnScreen(hwnd);
    return POINT { origin.x + static_cast<LONG>(std::floor(x)), origin.y + static_cast<LONG>(std::floor(y)) };
}

// ---- mouse -----------------------------------------------------------------------------------------

gboolean OnButton(GtkWidget*, GdkEventButton* event, gpointer data)
{
    // GTK's own double and triple presses are left out: the layer times double clicks itself
    // from the plain presses, which X sends for every click.
    if (event->type != GDK_BUTTON_PRESS && event->type != GDK_BUTTON_RELEASE)
        return TRUE;
    msg::MouseButton button;
    switch (event->button) {
    case 1: button = msg::MouseButton::Left; break;
    case 2: button = msg::MouseButton::Middle; break;
    case 3: button = msg::MouseButton::Right; break;
    default: return TRUE;
    }
    bool down = event->type == GDK_BUTTON_PRESS;
    POINT p = ScreenPoint(HwndOf(data), event->x, event->y);
    QueueInput([button, down, p] { msg::InjectMouseButton(button, down, p); });
    return TRUE;
}

gboolean OnMotion(GtkWidget*, GdkEventMotion* event, gpointer data)
{
    POINT p = ScreenPoint(HwndOf(data), event->x, event->y);
    QueueInput([p] { msg::InjectMouseMove(p); });
    return TRUE;
}

// Entering and leaving are moves: the layer finds the window under the new point and sends
// WM_MOUSELEAVE to a window that asked for it.
gboolean OnCrossing(GtkWidget*, GdkEventCrossing* event, gpointer data)
{
    if (event->mode != GDK_CROSSING_NORMAL)
        return FALSE;
    POINT p = ScreenPoint(HwndOf(data), event->x, event->y);
    QueueInput([p] { msg::InjectMouseMove(p); });
    return FALSE;
}

gboolean OnScroll(GtkWidget*, GdkEventScroll* event, gpointer data)
{
    int delta = 0;
    switch (event->direction) {
    case GDK_SCROLL_UP: delta = WHEEL_DELTA; break;
    case GDK_SCROLL_DOWN: delta = -WHEEL_DELTA; break;
    case GDK_SCROLL_SMOOTH: delta = static_cast<int>(std::lround(-event->delta_y * WHEEL_DELTA)); break;
    default: return TRUE; // sideways: the classic wheel has none
    }
    if (delta == 0)
        return TRUE;
    POINT p = ScreenPoint(HwndOf(data), event->x, event->y);
    QueueInput([delta, p] { msg::InjectMouseWheel(delta, p); });
    return TRUE;
}

// ---- keyboard and input method -------------------------------------------------------------------

GtkIMContext* s_im { nullptr };
GtkWidget* s_imWindow { nullptr };
// While a key press is filtered: the text the input method commits for it.
bool s_inKeyPress { false };
std::string s_committed;
// Keys whose press went to the layer, so that their release does too.
std::set<guint16> s_keysDown;

void PostCharacters(const std::string& text)
{
    QueueInput(
        [text] {
            HWND focus = GetFocus();
            if (!focus)
                return;
            for (unsigned char c : text)
                PostMessage(focus, WM_CHAR, c, 1);
        },
        true);
}

void OnCommit(GtkIMContext*, const gchar* text, gpointer)
{
    if (s_inKeyPress)
        s_committed += text;
    else
        PostCharacters(text);
}

void UseImFor(GtkWidget* window)
{
    if (s_imWindow == window)
        return;
    s_imWindow = window;
    gtk_im_context_set_client_window(s_im, gtk_widget_get_window(window));
}

// The key's classic code comes from the key itself (its symbol without modifiers), so Shift+1 is
// still the key '1' on any layout; keypad keys keep the symbol Num Lock gave them.
int VirtualKeyOf(const GdkEventKey* event)
{
    bool keypad = event->keyval >= GDK_KEY_KP_Space && event->keyval <= GDK_KEY_KP_9;
    if (!keypad) {
        guint plain = 0;
        gdk_keymap_translate_keyboard_state(gdk_keymap_get_for_display(gdk_display_get_default()), event->hardware_keycode,
                                            static_cast<GdkModifierType>(0), event->group, &plain, nullptr, nullptr, nullptr);
        if (int vk = VirtualKeyForKeySymbol(plain))
            return vk;
    }
    return VirtualKeyForKeySymbol(event->keyval);
}

// The character the layer's translation makes of the key, as TranslateMessage will.
char TranslatedCharacter(int vk, guint state)
{
    bool shift = (state & GDK_SHIFT_MASK) != 0;
    bool caps = (state & GDK_LOCK_MASK) != 0;
    if (state & GDK_CONTROL_MASK)
        return 0;
    return msg::CharacterForKey(vk, (vk >= 'A' && vk <= 'Z') ? (shift != caps) : shift);
}

gboolean OnKeyPress(GtkWidget* window, GdkEventKey* event, gpointer)
{
    UseImFor(window);
    int vk = VirtualKeyOf(event);
    s_inKeyPress = true;
    s_committed.clear();
    bool filtered = gtk_im_context_filter_keypress(s_im, event);
    s_inKeyPress = false;

    char translated = vk ? TranslatedCharacter(vk, event->state) : 0;
    bool sendKey = vk != 0;
    std::string extra;
    if (filtered) {
        if (s_committed.empty())
            sendKey = false; // a dead key or a compose sequence in progress
        else if (!(translated && s_committed.size() == 1 && s_committed[0] == translated)) {
            // The translation would not give this text: the text goes alone, unless the key
            // makes no character by itself (then the layer sees the key and the text).
            extra = s_committed;
            if (translated)
                sendKey = false;
        }
    }
    if (!filtered && !vk && !(event->state & (GDK_CONTROL_MASK | GDK_MOD1_MASK))) {
        // No input method took the key and the classic keyboard has no such key: its character.
        if (gunichar c = gdk_keyval_to_unicode(event->keyval); c && g_unichar_isprint(c)) {
            char utf8[8];
            extra.assign(utf8, static_cast<size_t>(g_unichar_to_utf8(c, utf8)));
        }
    }
    if (sendKey) {
        s_keysDown.insert(event->hardware_keycode);
        QueueInput([vk] { msg::InjectKey(vk, true); });
    }
    if (!extra.empty())
        PostCharacters(extra);
    return TRUE;
}

gboolean OnKeyRelease(GtkWidget* window, GdkEventKey* event, gpointer)
{
    UseImFor(window);
    gtk_im_context_filter_keypress(s_im, event);
    if (s_keysDown.erase(event->hardware_keycode) == 0)
        return TRUE;
    if (int vk = VirtualKeyOf(event))
        QueueInput([vk] { msg::InjectKey(vk, false); });
    return TRUE;
}

// ---- focus and closing ---------------------------------------------------------------------------

// The program is active while the desktop's focus is in one of its windows, GTK's own dialogs
// included. When the focus leaves a window the check waits a moment: moving between two of the
// program's windows takes a focus-out and a focus-in that the window manager may send apart.
constexpr guint kFocusSettleMs = 100;
guint s_focusCheck { 0 };

gboolean CheckApplicationFocus(gpointer)
{
    s_focusCheck = 0;
    bool focused = false;
    GList* windows = gtk_window_list_toplevels();
    for (GList* w = windows; w && !focused; w = w->next)
        focused = gtk_window_is_active(GTK_WINDOW(w->data));
    g_list_free(windows);
    if (!focused)
        QueueInput([] { msg::SetApplicationActive(false); });
    return G_SOURCE_REMOVE;
}

gboolean OnFocusIn(GtkWidget* window, GdkEventFocus*, gpointer data)
{
    UseImFor(window);
    gtk_im_context_focus_in(s_im);
    HWND hwnd = HwndOf(data);
    QueueInput([hwnd] {
        msg::SetApplicationActive(true);
        if (IsWindow(hwnd) && IsWindowEnabled(hwnd) && GetActiveWindow() != hwnd)
            SetActiveWindow(hwnd);
    });
    return FALSE;
}

gboolean OnFocusOut(GtkWidget* window, GdkEventFocus*, gpointer)
{
    if (s_imWindow == window)
        gtk_im_context_focus_out(s_im);
    if (!s_focusCheck)
        s_focusCheck = g_timeout_add(kFocusSettleMs, CheckApplicationFocus, nullptr);
    return FALSE;
}

gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer data)
{
    HWND hwnd = HwndOf(data);
    QueueInput([hwnd] {
        // The owner of a modal dialog cannot be closed under it.
        if (IsWindow(hwnd) && IsWindowEnabled(hwnd))
            PostMessage(hwnd, WM_CLOSE, 0, 0);
    });
    return TRUE; // the window stays until the layer destroys it
}

} // namespace

void QueueInput(std::function<void()> input, bool text) { s_input.push_back(PendingInput { std::move(input), text }); }

bool DeliverQueuedInput()
{
    if (s_input.empty())
        return false;
    bool inputBefore = false;
    while (!s_input.empty()) {
        if (s_input.front().text && inputBefore)
            break; // after the key input has been taken
        auto input = std::move(s_input.front());
        s_input.pop_front();
        inputBefore = inputBefore || !input.text;
        input.deliver();
    }
    return true;
}

void ConnectInput(GtkWidget* window, GtkWidget* area, HWND hwnd)
{
    if (!s_im) {
        s_im = gtk_im_multicontext_new();
        gtk_im_context_set_use_preedit(s_im, FALSE);
        g_signal_connect(s_im, "commit", G_CALLBACK(OnCommit), nullptr);
    }
    gpointer data = static_cast<gpointer>(hwnd);
    gtk_widget_add_events(area, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK | GDK_POINTER_MOTION_MASK |
                                    GDK_SCROLL_MASK | GDK_ENTER_NOTIFY_MASK | GDK_LEAVE_NOTIFY_MASK);
    g_signal_connect(area, "button-press-event", G_CALLBACK(OnButton), data);
    g_signal_connect(area, "button-release-event", G_CALLBACK(OnButton), data);
    g_signal_connect(area, "motion-notify-event", G_CALLBACK(OnMotion), data);
    g_signal_connect(area, "enter-notify-event", G_CALLBACK(OnCrossing), data);
    g_signal_connect(area, "leave-notify-event", G_CALLBACK(OnCrossing), data);
    g_signal_connect(area, "scroll-event", G_CALLBACK(OnScroll), data);

    gtk_widget_add_events(window, GDK_KEY_PRESS_MASK | GDK_KEY_RELEASE_MASK | GDK_FOCUS_CHANGE_MASK);
    g_signal_connect(window, "key-press-event", G_CALLBACK(OnKeyPress), data);
    g_signal_connect(window, "key-release-event", G_CALLBACK(OnKeyRelease), data);
    g_signal_connect(window, "focus-in-event", G_CALLBACK(OnFocusIn), data);
    g_signal_connect(window, "focus-out-event", G_CALLBACK(OnFocusOut), data);
    g_signal_connect(window, "delete-event", G_CALLBACK(OnDelete), data);
}

void DisconnectInput(GtkWidget* window)
{
    if (s_im && s_imWindow == window) {
        gtk_im_context_set_client_window(s_im, nullptr);
        s_imWindow = nullptr;
    }
}

} // namespace platform::host::gtk
