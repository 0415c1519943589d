// The "SysDateTimePick32" window class (with its "SysMonthCal32" drop-down) and CDateTimeCtrl.
#include "platform/ui/controls/DateTimeCtrl.h"

#include "platform/gdi/SysColors.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/ControlWindow.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace platform::ui {

namespace {

constexpr const char* kDayNames[] = { "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday" };
constexpr const char* kMonthNames[] = { "January", "February", "March",     "April",   "May",      "June",
                                        "July",    "August",   "September", "October", "November", "December" };
constexpr int kCheckSize = 13;

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }
int DaysIn(int y, int m)
{
    static const int days[] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    return m == 2 && IsLeap(y) ? 29 : days[(m - 1) % 12];
}
// 0 = Sunday (Zeller's congruence in the Gregorian calendar).
int DayOfWeek(int y, int m, int d)
{
    if (m < 3)
        m += 12, --y;
    int k = y % 100, j = y / 100;
    int h = (d + 13 * (m + 1) / 5 + k + k / 4 + j / 4 + 5 * j) % 7; // 0 = Saturday
    return (h + 6) % 7;
}

struct Stamp
{
    int year { 2000 }, month { 1 }, day { 1 }, hour { 0 }, minute { 0 }, second { 0 };

    bool Valid() const
    {
        return year >= 1601 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 && day <= DaysIn(year, month) && hour >= 0 &&
               hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60;
    }
    SYSTEMTIME ToSystem() const
    {
        SYSTEMTIME st;
        st.wYear = static_cast<WORD>(year), st.wMonth = static_cast<WORD>(month), st.wDay = static_cast<WORD>(day);
        st.wHour = static_cast<WORD>(hour), st.wMinute = static_cast<WORD>(minute), st.wSecond = static_cast<WORD>(second);
        st.wDayOfWeek = static_cast<WORD>(DayOfWeek(year, month, day));
        return st;
    }
    static Stamp FromSystem(const SYSTEMTIME& st) { return { st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond }; }
    static Stamp Now()
    {
        COleDateTime now = COleDateTime::GetCurrentTime();
        return { now.GetYear(), now.GetMonth(), now.GetDay(), now.GetHour(), now.GetMinute(), now.GetSecond() };
    }
};

enum class Field { Literal, Year, Month, Day, DayName, Hour12, Hour24, Minute, Second, AmPm };

struct Segment
{
    Field field { Field::Literal };
    int width { 0 }; // letters in the format ("MMM" is 3)
    std::string literal;
};

std::vector<Segment> ParseFormat(const std::string& format)
{
    std::vector<Segment> out;
    auto literal = [&](const std::string& text) {
        if (!out.empty() && out.back().field == Field::Literal)
            out.back().literal += text;
        else
            out.push_back({ Field::Literal, 0, text });
    };
    for (std::size_t i = 0; i < format.size();) {
        char c = format[i];
        if (c == '\'') {
            std::size_t end = format.find('\'', i + 1);
            literal(format.substr(i + 1, (end == std::string::npos ? format.size() : end) - i - 1));
            i = end == std::string::npos ? format.size() : end + 1;
            continue;
        }
        std::size_t run = 1;
        while (i + run < format.size() && format[i + run] == c)
            ++run;
        Field field = Field::Literal;
        switch (c) {
        case 'y': field = Field::Year; break;
        case 'M': field = Field::Month; break;
        case 'd': field = run >= 3 ? Field::DayName : Field::Day; break;
        case 'h': field = Field::Hour12; break;
        case 'H': field = Field::Hour24; break;
        case 'm': field = Field::Minute; break;
        case 's': field = Field::Second; break;
        case 't': field = Field::AmPm; break;
        default: break;
        }
        if (field == Field::Literal)
            literal(format.substr(i, run));
        else
            out.push_back({ field, static_cast<int>(run), {} });
        i += run;
    }
    return out;
}

std::string Number(int value, int digits)
{
    char text[16];
    std::snprintf(text, sizeof(text), "%0*d", digits, value);
    return text;
}

std::string SegmentText(const Segment& s, const Stamp& t)
{
    switch (s.field) {
    case Field::Literal: return s.literal;
    case Field::Year: return s.width <= 2 ? Number(t.year % 100, 2) : Number(t.year, 4);
    case Field::Month:
        if (s.width >= 4)
            return kMonthNames[t.month - 1];
        if (s.width == 3)
            return std::string(kMonthNames[t.month - 1]).substr(0, 3);
        return Number(t.month, s.width);
    case Field::Day: return Number(t.day, s.width);
    case Field::DayName: {
        std::string name = kDayNames[DayOfWeek(t.year, t.month, t.day)];
        return s.width >= 4 ? name : name.substr(0, 3);
    }
    case Field::Hour12: return Number(t.hour % 12 == 0 ? 12 : t.hour % 12, s.width);
    case Field::Hour24: return Number(t.hour, s.width);
    case Field::Minute: return Number(t.minute, s.width);
    case Field::Second: return Number(t.second, s.width);
    case Field::AmPm: return s.width >= 2 ? (t.hour < 12 ? "AM" : "PM") : (t.hour < 12 ? "A" : "P");
    }
    return {};
}

bool Editable(Field f) { return f != Field::Literal && f != Field::DayName; }

class PickerWindow;

// ---- the month calendar drop-down --------------------------------------------------------------------

class CalendarWindow : public ControlWindow
{
public:
    using ControlWindow::ControlWindow;
    static constexpr int kCellWidth = 24;
    static constexpr int kCellHeight = 16;
    static constexpr int kHeader = 20;

    void Open(HWND picker, const Stamp& selected)
    {
        m_notifyParent = picker;
        m_selected = selected;
        m_year = selected.year;
        m_month = selected.month;
        Redraw();
    }
    static SIZE Size() { return { 7 * kCellWidth + 4, kHeader + 7 * kCellHeight + 4 }; }
    int Year() const { return m_year; }
    int Month() const { return m_month; }

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CRect PrevRect() const { return CRect(2, 2, 18, kHeader - 2); }
    CRect NextRect() const
    {
        CRect c = Client();
        return CRect(c.right - 18, 2, c.right - 2, kHeader - 2);
    }
    CRect DayRect(int day) const
    {
        int first = DayOfWeek(m_year, m_month, 1);
        int index = first + day - 1;
        int x = 2 + (index % 7) * kCellWidth, y = kHeader + kCellHeight + (index / 7) * kCellHeight;
        return CRect(x, y, x + kCellWidth, y + kCellHeight);
    }
    void Turn(int months)
    {
        int index = m_year * 12 + (m_month - 1) + months;
        m_year = index / 12;
        m_month = index % 12 + 1;
        Redraw();
    }
    void Paint(CDC& dc) override;

    Stamp m_selected;
    int m_year { 2000 };
    int m_month { 1 };
};

// ---- the picker ---------------------------------------------------------------------------------------------

class PickerWindow : public ControlWindow
{
public:
    using ControlWindow::ControlWindow;

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_CREATE:
            m_value = Stamp::Now();
            m_value.second = 0;
            SetFormat(nullptr);
            return 0;
        case WM_DESTROY:
            if (IsWindow(m_calendar))
                DestroyWindow(m_calendar);
            return 0;
        case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case DTM_GETSYSTEMTIME:
            if (!lParam)
                return GDT_ERROR;
            if (m_none)
                return GDT_NONE;
            *reinterpret_cast<SYSTEMTIME*>(lParam) = m_value.ToSystem();
            return GDT_VALID;
        case DTM_SETSYSTEMTIME:
            if (wParam == static_cast<WPARAM>(GDT_NONE)) {
                if (!(Style() & DTS_SHOWNONE))
                    return FALSE;
                m_none = true;
                Redraw();
                return TRUE;
            }
            if (!lParam)
                return FALSE;
            {
                Stamp next = Stamp::FromSystem(*reinterpret_cast<const SYSTEMTIME*>(lParam));
                if (!next.Valid())
                    return FALSE;
                m_value = Clamped(next);
                m_none = false;
                Redraw();
            }
            return TRUE;
        case DTM_SETFORMAT: SetFormat(reinterpret_cast<const char*>(lParam)); return TRUE;
        case DTM_GETMONTHCAL: return reinterpret_cast<LRESULT>(Dropped() ? m_calendar : nullptr);
        case DTM_SETRANGE: {
            auto* range = reinterpret_cast<const SYSTEMTIME*>(lParam);
            m_hasMin = (wParam & GDTR_MIN) && range;
            m_hasMax = (wParam & GDTR_MAX) && range;
            if (m_hasMin)
                m_min = Stamp::FromSystem(range[0]);
            if (m_hasMax)
                m_max = Stamp::FromSystem(range[1]);
            m_value = Clamped(m_value);
            Redraw();
            return TRUE;
        }
        case DTM_GETRANGE: {
            auto* range = reinterpret_cast<SYSTEMTIME*>(lParam);
            if (m_hasMin)
                range[0] = m_min.ToSystem();
            if (m_hasMax)
                range[1] = m_max.ToSystem();
            return (m_hasMin ? GDTR_MIN : 0) | (m_hasMax ? GDTR_MAX : 0);
        }
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: MouseDown(CPoint(lParam)); return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: return Key(message, static_cast<int>(wParam)) ? 0 : ControlWindow::Handle(message, wParam, lParam);
        case WM_CHAR: Digit(static_cast<char>(wParam)); return 0;
        case WM_SETFOCUS:
            Redraw();
            return 0;
        case WM_KILLFOCUS:
            m_typed.clear();
            if (reinterpret_cast<HWND>(wParam) != m_calendar)
                CloseUp();
            Redraw();
            return 0;
        default: return ControlWindow::Handle(message, wParam, lParam);
        }
    }

    // ---- the calendar's reports ----------------------------------------------------------------------
    void CalendarChose(int year, int month, int day)
    {
        Stamp next = m_value;
        next.year = year, next.month = month, next.day = day;
        CloseUp();
        m_none = false; // choosing a day also ticks the check box
        Change(next, true);
    }
    void CloseUp()
    {
        if (!Dropped())
            return;
        ShowWindow(m_calendar, SW_HIDE);
        if (GetCapture() == m_calendar)
            ReleaseCapture();
        NotifyCode(DTN_CLOSEUP);
        Redraw();
    }

private:
    bool ShowNone() const { return (Style() & DTS_SHOWNONE) != 0; }
    bool Dropped() const { return m_calendar && IsWindowVisible(m_calendar); }

    void SetFormat(const char* format)
    {
        std::string text;
        if (format && *format)
            text = format;
        else if ((Style() & DTS_TIMEFORMAT) == DTS_TIMEFORMAT)
            text = "h:mm:ss tt";
        else if (Style() & DTS_LONGDATEFORMAT)
            text = "dddd, MMMM dd, yyyy";
        else
            text = "M/d/yyyy";
        m_segments = ParseFormat(text);
        m_field = -1;
        for (std::size_t i = 0; i < m_segments.size(); ++i)
            if (Editable(m_segments[i].field)) {
                m_field = static_cast<int>(i);
                break;
            }
        Redraw();
    }

    Stamp Clamped(Stamp t) const
    {
        auto key = [](const Stamp& s) {
            return std::tuple(s.year, s.month, s.day, s.hour, s.minute, s.second);
        };
        if (m_hasMin && key(t) < key(m_min))
            t = m_min;
        if (m_hasMax && key(m_max) < key(t))
            t = m_max;
        return t;
    }

    void NotifyCode(UINT code)
    {
        NMHDR hdr;
        hdr.hwndFrom = m_hwnd;
        hdr.idFrom = static_cast<UINT_PTR>(Id());
        hdr.code = code;
        if (HWND parent = Parent())
            SendMessage(parent, WM_NOTIFY, static_cast<WPARAM>(Id()), reinterpret_cast<LPARAM>(&hdr));
    }

    void NotifyChange()
    {
        NMDATETIMECHANGE change;
        change.nmhdr.hwndFrom = m_hwnd;
        change.nmhdr.idFrom = static_cast<UINT_PTR>(Id());
        change.nmhdr.code = DTN_DATETIMECHANGE;
        change.dwFlags = m_none ? static_cast<DWORD>(GDT_NONE) : static_cast<DWORD>(GDT_VALID);
        if (!m_none)
            change.st = m_value.ToSystem();
        if (HWND parent = Parent())
            SendMessage(parent, WM_NOTIFY, static_cast<WPARAM>(Id()), reinterpret_cast<LPARAM>(&change));
    }

    // A change by the user: kept in range, shown and notified.
    void Change(Stamp next, bool force = false)
    {
        next.day = std::min(next.day, DaysIn(next.year, next.month));
        next = Clamped(next);
        bool same = next.year == m_value.year && next.month == m_value.month && next.day == m_value.day && next.hour == m_value.hour &&
                    next.minute == m_value.minute && next.second == m_value.second;
        m_value = next;
        Redraw();
        if (!same || force)
            NotifyChange();
    }

    void ToggleNone()
    {
        if (!ShowNone())
            return;
        m_none = !m_none;
        Redraw();
        NotifyChange();
    }

    // Steps the selected field by `delta`, wrapping within the field.
    void StepField(int delta)
    {
        if (m_none || m_field < 0)
            return;
        Stamp t = m_value;
        auto wrap = [](int v, int low, int high) { return low + ((v - low) % (high - low + 1) + (high - low + 1)) % (high - low + 1); };
        switch (m_segments[m_field].field) {
        case Field::Year: t.year = std::clamp(t.year + delta, 1601, 9999); break;
        case Field::Month: t.month = wrap(t.month + delta, 1, 12); break;
        case Field::Day: t.day = wrap(t.day + delta, 1, DaysIn(t.year, t.month)); break;
        case Field::Hour12:
        case Field::Hour24: t.hour = wrap(t.hour + delta, 0, 23); break;
        case Field::Minute: t.minute = wrap(t.minute + delta, 0, 59); break;
        case Field::Second: t.second = wrap(t.second + delta, 0, 59); break;
        case Field::AmPm: t.hour = (t.hour + 12) % 24; break;
        default: return;
        }
        Change(t);
    }

    void MoveField(int direction)
    {
        m_typed.clear();
        int n = static_cast<int>(m_segments.size());
        for (int i = m_field + direction; i >= 0 && i < n; i += direction)
            if (Editable(m_segments[i].field)) {
                m_field = i;
                Redraw();
                return;
            }
    }

    // Digits typed into the selected field build its number, as many as the field holds.
    void Digit(char ch)
    {
        if (ch == ' ') {
            ToggleNone();
            return;
        }
        if (ch < '0' || ch > '9' || m_none || m_field < 0)
            return;
        Field field = m_segments[m_field].field;
        int digits = field == Field::Year ? 4 : 2;
        m_typed.push_back(ch);
        int value = std::stoi(m_typed);
        Stamp t = m_value;
        switch (field) {
        case Field::Year:
            if (static_cast<int>(m_typed.size()) == digits)
                t.year = std::clamp(value, 1601, 9999);
            break;
        case Field::Month:
            if (value >= 1 && value <= 12)
                t.month = value;
            break;
        case Field::Day:
            if (value >= 1 && value <= DaysIn(t.year, t.month))
                t.day = value;
            break;
        case Field::Hour12:
            if (value >= 1 && value <= 12)
                t.hour = (t.hour >= 12 ? 12 : 0) + value % 12;
            break;
        case Field::Hour24:
            if (value <= 23)
                t.hour = value;
            break;
        case Field::Minute:
            if (value <= 59)
                t.minute = value;
            break;
        case Field::Second:
            if (value <= 59)
                t.second = value;
            break;
        default: m_typed.clear(); return;
        }
        Change(t);
        if (static_cast<int>(m_typed.size()) >= digits) {
            m_typed.clear();
            MoveField(1);
        }
    }

    bool Key(UINT message, int vk)
    {
        if (vk == VK_F4 || (message == WM_SYSKEYDOWN && vk == VK_DOWN)) {
            if (Dropped())
                CloseUp();
            else
                DropDown();
            return true;
        }
        if (message == WM_SYSKEYDOWN)
            return false;
        if (Dropped()) {
            if (vk == VK_ESCAPE)
                CloseUp();
            else if (vk == VK_RETURN)
                CalendarChose(m_value.year, m_value.month, m_value.day);
            return vk == VK_ESCAPE || vk == VK_RETURN;
        }
        switch (vk) {
        case VK_LEFT: MoveField(-1); return true;
        case VK_RIGHT: MoveField(1); return true;
        case VK_UP: StepField(1); return true;
        case VK_DOWN: StepField(-1); return true;
        default: return false;
        }
    }

    // ---- geometry and painting --------------------------------------------------------------------------

    CRect CheckRect() const
    {
        CRect c = Client();
        int top = c.top + (c.Height() - kCheckSize) / 2;
        return CRect(c.left + 4, top, c.left + 4 + kCheckSize, top + kCheckSize);
    }
    CRect ButtonRect() const
    {
        CRect c = Client();
        int width = GetSystemMetrics(SM_CXVSCROLL);
        return CRect(c.right - 2 - width, c.top + 2, c.right - 2, c.bottom - 2);
    }
    int TextLeft() const { return Client().left + (ShowNone() ? 4 + kCheckSize + 4 : 4); }

    // The rectangles of the segments as drawn.
    std::vector<CRect> SegmentRects(CDC& dc) const
    {
        std::vector<CRect> rects;
        CRect c = Client();
        int x = TextLeft();
        for (const auto& s : m_segments) {
            std::string text = SegmentText(s, m_value);
            int width = text.empty() ? 0 : dc.GetTextExtent(CString(text)).cx;
            rects.emplace_back(x, c.top + 3, x + width, c.bottom - 3);
            x += width;
        }
        return rects;
    }

    void MouseDown(CPoint p)
    {
        if (!HasFocus())
            SetFocus(m_hwnd);
        if (ShowNone() && CheckRect().PtInRect(p)) {
            ToggleNone();
            return;
        }
        if (ButtonRect().PtInRect(p)) {
            if (Style() & DTS_UPDOWN) // the up half steps the field up, the lower half down
                StepField(p.y < ButtonRect().CenterPoint().y ? 1 : -1);
            else if (Dropped())
                CloseUp();
            else
                DropDown();
            return;
        }
        HDC hdc = GetDC(m_hwnd);
        if (CDC* dc = CDC::FromHandle(hdc)) {
            int saved = dc->SaveDC();
            SelectFont(*dc);
            auto rects = SegmentRects(*dc);
            dc->RestoreDC(saved);
            for (std::size_t i = 0; i < rects.size(); ++i)
                if (Editable(m_segments[i].field) && p.x >= rects[i].left && p.x < rects[i].right) {
                    m_field = static_cast<int>(i);
                    m_typed.clear();
                    Redraw();
                    break;
                }
        }
        ReleaseDC(m_hwnd, hdc);
    }

    void DropDown();

    void Paint(CDC& dc) override
    {
        CRect client = Client();
        HBRUSH background = AskColors(dc, WM_CTLCOLOREDIT, COLOR_WINDOW);
        dc.FillRect(&client, CBrush::FromHandle(background));
        CRect edge = client;
        dc.DrawEdge(&edge, EDGE_SUNKEN, BF_RECT);
        if (ShowNone()) {
            CRect box = CheckRect();
            dc.DrawFrameControl(&box, DFC_BUTTON, DFCS_BUTTONCHECK | (m_none ? 0 : DFCS_CHECKED) | (Enabled() ? 0 : DFCS_INACTIVE));
        }
        CRect button = ButtonRect();
        if (Style() & DTS_UPDOWN) {
            CRect up = button, down = button;
            up.bottom = down.top = button.CenterPoint().y;
            dc.DrawFrameControl(&up, DFC_SCROLL, DFCS_SCROLLUP);
            dc.DrawFrameControl(&down, DFC_SCROLL, DFCS_SCROLLDOWN);
        } else {
            dc.DrawFrameControl(&button, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | (Dropped() ? DFCS_PUSHED | DFCS_FLAT : 0));
        }
        SelectFont(dc);
        dc.SetBkMode(TRANSPARENT);
        // Without a date the fields stand greyed.
        COLORREF ink = (m_none || !Enabled()) ? GetSysColor(COLOR_GRAYTEXT) : dc.GetTextColor();
        auto rects = SegmentRects(dc);
        for (std::size_t i = 0; i < m_segments.size(); ++i) {
            bool selected = HasFocus() && !m_none && static_cast<int>(i) == m_field && !Dropped();
            if (selected)
                dc.FillSolidRect(&rects[i], GetSysColor(COLOR_HIGHLIGHT));
            dc.SetTextColor(selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : ink);
            CRect box = rects[i];
            dc.DrawText(CString(SegmentText(m_segments[i], m_value)), &box, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        }
    }

    Stamp m_value;
    bool m_none { false };
    std::vector<Segment> m_segments;
    int m_field { -1 };
    std::string m_typed;
    bool m_hasMin { false }, m_hasMax { false };
    Stamp m_min, m_max;
    HWND m_calendar { nullptr };
};

void PickerWindow::DropDown()
{
    if (Dropped() || !Enabled())
        return;
    NotifyCode(DTN_DROPDOWN);
    if (!m_calendar)
        m_calendar = CreateWindowEx(WS_EX_TOOLWINDOW, "SysMonthCal32", "", WS_POPUP | WS_BORDER, 0, 0, 10, 10, m_hwnd, nullptr, nullptr, nullptr);
    auto* calendar = ControlAs<CalendarWindow>(m_calendar);
    if (!calendar)
        return;
    calendar->Open(m_hwnd, m_value);
    SendMessage(m_calendar, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), 0);
    CRect me;
    GetWindowRect(m_hwnd, &me);
    SIZE size = CalendarWindow::Size();
    int x = (Style() & DTS_RIGHTALIGN) ? me.right - size.cx - 2 : me.left;
    SetWindowPos(m_calendar, HWND_TOPMOST, x, me.bottom, size.cx + 2, size.cy + 2, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SetCapture(m_calendar);
    Redraw();
}

LRESULT CalendarWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN: {
        CPoint p(lParam);
        auto* picker = ControlAs<PickerWindow>(m_notifyParent);
        if (!Client().PtInRect(p)) {
            if (picker)
                picker->CloseUp();
            return 0;
        }
        if (PrevRect().PtInRect(p)) {
            Turn(-1);
            return 0;
        }
        if (NextRect().PtInRect(p)) {
            Turn(1);
            return 0;
        }
        for (int day = 1; day <= DaysIn(m_year, m_month); ++day)
            if (DayRect(day).PtInRect(p)) {
                if (picker)
                    picker->CalendarChose(m_year, m_month, day);
                return 0;
            }
        return 0;
    }
    default: return ControlWindow::Handle(message, wParam, lParam);
    }
}

void CalendarWindow::Paint(CDC& dc)
{
    CRect c = Client();
    dc.FillSolidRect(&c, GetSysColor(COLOR_WINDOW));
    SelectFont(dc);
    dc.SetBkMode(TRANSPARENT);
    CRect header(c.left, c.top, c.right, kHeader);
    dc.FillSolidRect(&header, GetSysColor(COLOR_BTNFACE));
    CRect prev = PrevRect(), next = NextRect();
    dc.DrawFrameControl(&prev, DFC_SCROLL, DFCS_SCROLLLEFT);
    dc.DrawFrameControl(&next, DFC_SCROLL, DFCS_SCROLLRIGHT);
    CString title;
    title.Format("%s %d", kMonthNames[m_month - 1], m_year);
    dc.SetTextColor(GetSysColor(COLOR_BTNTEXT));
    dc.DrawText(title, &header, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    for (int d = 0; d < 7; ++d) {
        CRect cell(2 + d * kCellWidth, kHeader, 2 + (d + 1) * kCellWidth, kHeader + kCellHeight);
        dc.DrawText(CString(std::string(kDayNames[d]).substr(0, 2)), &cell, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    dc.FillSolidRect(2, kHeader + kCellHeight - 1, 7 * kCellWidth, 1, GetSysColor(COLOR_BTNSHADOW));
    for (int day = 1; day <= DaysIn(m_year, m_month); ++day) {
        CRect cell = DayRect(day);
        bool selected = m_year == m_selected.year && m_month == m_selected.month && day == m_selected.day;
        if (selected)
            dc.FillSolidRect(&cell, GetSysColor(COLOR_HIGHLIGHT));
        dc.SetTextColor(GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        dc.DrawText(CString(std::to_string(day)), &cell, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

} // namespace

void RegisterDateTimeClass()
{
    RegisterControlClass<PickerWindow>("SysDateTimePick32");
    RegisterControlClass<CalendarWindow>("SysMonthCal32", CS_SAVEBITS);
}

} // namespace platform::ui

// ---- CDateTimeCtrl --------------------------------------------------------------------------------------------

BOOL CDateTimeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    platform::ui::RegisterStandardControls();
    return CWnd::Create("SysDateTimePick32", "", dwStyle, rect, pParentWnd, nID);
}

DWORD CDateTimeCtrl::GetTime(LPSYSTEMTIME pTimeDest) const
{
    return static_cast<DWORD>(SendMessage(DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(pTimeDest)));
}

BOOL CDateTimeCtrl::GetTime(COleDateTime& timeDest) const
{
    SYSTEMTIME st;
    LRESULT result = SendMessage(DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st));
    if (result == GDT_VALID) {
        timeDest = COleDateTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond);
        return TRUE;
    }
    if (result == GDT_NONE) {
        timeDest = COleDateTime();
        timeDest.SetStatus(COleDateTime::null);
        return TRUE;
    }
    return FALSE;
}

DWORD CDateTimeCtrl::GetTime(CTime& timeDest) const
{
    SYSTEMTIME st;
    auto result = static_cast<DWORD>(SendMessage(DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)));
    if (result == static_cast<DWORD>(GDT_VALID))
        timeDest = CTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond);
    return result;
}

BOOL CDateTimeCtrl::SetTime(LPSYSTEMTIME pTimeNew)
{
    return static_cast<BOOL>(SendMessage(DTM_SETSYSTEMTIME, pTimeNew ? static_cast<WPARAM>(GDT_VALID) : static_cast<WPARAM>(GDT_NONE),
                                         reinterpret_cast<LPARAM>(pTimeNew)));
}

BOOL CDateTimeCtrl::SetTime(const COleDateTime& timeNew)
{
    if (timeNew.GetStatus() != COleDateTime::valid)
        return SetTime(static_cast<LPSYSTEMTIME>(nullptr));
    SYSTEMTIME st;
    st.wYear = static_cast<WORD>(timeNew.GetYear()), st.wMonth = static_cast<WORD>(timeNew.GetMonth());
    st.wDay = static_cast<WORD>(timeNew.GetDay()), st.wHour = static_cast<WORD>(timeNew.GetHour());
    st.wMinute = static_cast<WORD>(timeNew.GetMinute()), st.wSecond = static_cast<WORD>(timeNew.GetSecond());
    return SetTime(&st);
}

BOOL CDateTimeCtrl::SetTime(const CTime* pTimeNew)
{
    if (!pTimeNew)
        return SetTime(static_cast<LPSYSTEMTIME>(nullptr));
    SYSTEMTIME st;
    st.wYear = static_cast<WORD>(pTimeNew->GetYear()), st.wMonth = static_cast<WORD>(pTimeNew->GetMonth());
    st.wDay = static_cast<WORD>(pTimeNew->GetDay()), st.wHour = static_cast<WORD>(pTimeNew->GetHour());
    st.wMinute = static_cast<WORD>(pTimeNew->GetMinute()), st.wSecond = static_cast<WORD>(pTimeNew->GetSecond());
    return SetTime(&st);
}

BOOL CDateTimeCtrl::SetFormat(LPCTSTR pstrFormat) { return static_cast<BOOL>(SendMessage(DTM_SETFORMAT, 0, reinterpret_cast<LPARAM>(pstrFormat))); }

BOOL CDateTimeCtrl::SetRange(const COleDateTime* pMinRange, const COleDateTime* pMaxRange)
{
    SYSTEMTIME range[2];
    DWORD flags = 0;
    auto fill = [](const COleDateTime& t, SYSTEMTIME& st) {
        st.wYear = static_cast<WORD>(t.GetYear()), st.wMonth = static_cast<WORD>(t.GetMonth()), st.wDay = static_cast<WORD>(t.GetDay());
        st.wHour = static_cast<WORD>(t.GetHour()), st.wMinute = static_cast<WORD>(t.GetMinute()), st.wSecond = static_cast<WORD>(t.GetSecond());
    };
    if (pMinRange && pMinRange->GetStatus() == COleDateTime::valid)
        fill(*pMinRange, range[0]), flags |= GDTR_MIN;
    if (pMaxRange && pMaxRange->GetStatus() == COleDateTime::valid)
        fill(*pMaxRange, range[1]), flags |= GDTR_MAX;
    return static_cast<BOOL>(SendMessage(DTM_SETRANGE, flags, reinterpret_cast<LPARAM>(range)));
}

CWnd* CDateTimeCtrl::GetMonthCalCtrl() const
{
    HWND calendar = reinterpret_cast<HWND>(SendMessage(DTM_GETMONTHCAL));
    return calendar ? CWnd::FromHandle(calendar) : nullptr;
}
