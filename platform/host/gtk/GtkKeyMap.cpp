// Key symbols of the window system to classic virtual-key codes: one table for the named keys,
// ranges for letters, digits, keypad digits and function keys.
#include "platform/host/gtk/GtkHost.h"
#include "platform/msg/Messages.h"

#include <gdk/gdkkeysyms.h>

namespace {

struct NamedKey
{
    unsigned symbol;
    int vk;
};

constexpr NamedKey kNamedKeys[] = {
    { GDK_KEY_BackSpace, VK_BACK },       { GDK_KEY_Tab, VK_TAB },
    { GDK_KEY_ISO_Left_Tab, VK_TAB },     { GDK_KEY_Clear, VK_CLEAR },
    { GDK_KEY_Return, VK_RETURN },        { GDK_KEY_KP_Enter, VK_RETURN },
    { GDK_KEY_Pause, VK_PAUSE },          { GDK_KEY_Caps_Lock, VK_CAPITAL },
    { GDK_KEY_Escape, VK_ESCAPE },        { GDK_KEY_space, VK_SPACE },
    { GDK_KEY_Page_Up, VK_PRIOR },        { GDK_KEY_Page_Down, VK_NEXT },
    { GDK_KEY_End, VK_END },              { GDK_KEY_Home, VK_HOME },
    { GDK_KEY_Left, VK_LEFT },            { GDK_KEY_Up, VK_UP },
    { GDK_KEY_Right, VK_RIGHT },          { GDK_KEY_Down, VK_DOWN },
    { GDK_KEY_Print, VK_SNAPSHOT },       { GDK_KEY_Insert, VK_INSERT },
    { GDK_KEY_Delete, VK_DELETE },        { GDK_KEY_Help, VK_HELP },
    { GDK_KEY_Menu, VK_APPS },            { GDK_KEY_Num_Lock, VK_NUMLOCK },
    { GDK_KEY_Scroll_Lock, VK_SCROLL },   { GDK_KEY_Shift_L, VK_SHIFT },
    { GDK_KEY_Shift_R, VK_SHIFT },        { GDK_KEY_Control_L, VK_CONTROL },
    { GDK_KEY_Control_R, VK_CONTROL },    { GDK_KEY_Alt_L, VK_MENU },
    { GDK_KEY_Alt_R, VK_MENU },           { GDK_KEY_Meta_L, VK_MENU },
    { GDK_KEY_Meta_R, VK_MENU },          { GDK_KEY_ISO_Level3_Shift, VK_MENU },
    // The keypad with Num Lock off: the navigation keys it carries.
    { GDK_KEY_KP_Home, VK_HOME },         { GDK_KEY_KP_End, VK_END },
    { GDK_KEY_KP_Left, VK_LEFT },         { GDK_KEY_KP_Up, VK_UP },
    { GDK_KEY_KP_Right, VK_RIGHT },       { GDK_KEY_KP_Down, VK_DOWN },
    { GDK_KEY_KP_Page_Up, VK_PRIOR },     { GDK_KEY_KP_Page_Down, VK_NEXT },
    { GDK_KEY_KP_Insert, VK_INSERT },     { GDK_KEY_KP_Delete, VK_DELETE },
    { GDK_KEY_KP_Begin, VK_CLEAR },
    // The keypad's operators.
    { GDK_KEY_KP_Multiply, VK_MULTIPLY }, { GDK_KEY_KP_Add, VK_ADD },
    { GDK_KEY_KP_Separator, VK_SEPARATOR }, { GDK_KEY_KP_Subtract, VK_SUBTRACT },
    { GDK_KEY_KP_Decimal, VK_DECIMAL },   { GDK_KEY_KP_Divide, VK_DIVIDE },
    // Punctuation of the main block, by the classic US key that carries it.
    { GDK_KEY_semicolon, VK_OEM_1 },      { GDK_KEY_colon, VK_OEM_1 },
    { GDK_KEY_equal, VK_OEM_PLUS },       { GDK_KEY_plus, VK_OEM_PLUS },
    { GDK_KEY_comma, VK_OEM_COMMA },      { GDK_KEY_less, VK_OEM_COMMA },
    { GDK_KEY_minus, VK_OEM_MINUS },      { GDK_KEY_underscore, VK_OEM_MINUS },
    { GDK_KEY_period, VK_OEM_PERIOD },    { GDK_KEY_greater, VK_OEM_PERIOD },
    { GDK_KEY_slash, VK_OEM_2 },          { GDK_KEY_question, VK_OEM_2 },
    // Shifted digits of the US layout.
    { GDK_KEY_parenright, '0' },          { GDK_KEY_exclam, '1' },
    { GDK_KEY_at, '2' },                  { GDK_KEY_numbersign, '3' },
    { GDK_KEY_dollar, '4' },              { GDK_KEY_percent, '5' },
    { GDK_KEY_asciicircum, '6' },         { GDK_KEY_ampersand, '7' },
    { GDK_KEY_asterisk, '8' },            { GDK_KEY_parenleft, '9' },
};

} // namespace

int platform::host::VirtualKeyForKeySymbol(unsigned symbol)
{
    if (symbol >= GDK_KEY_a && symbol <= GDK_KEY_z)
        return static_cast<int>('A' + (symbol - GDK_KEY_a));
    if (symbol >= GDK_KEY_A && symbol <= GDK_KEY_Z)
        return static_cast<int>(symbol);
    if (symbol >= GDK_KEY_0 && symbol <= GDK_KEY_9)
        return static_cast<int>(symbol);
    if (symbol >= GDK_KEY_KP_0 && symbol <= GDK_KEY_KP_9)
        return VK_NUMPAD0 + static_cast<int>(symbol - GDK_KEY_KP_0);
    if (symbol >= GDK_KEY_F1 && symbol <= GDK_KEY_F12)
        return VK_F1 + static_cast<int>(symbol - GDK_KEY_F1);
    for (const auto& k : kNamedKeys)
        if (k.symbol == symbol)
            return k.vk;
    return 0;
}
