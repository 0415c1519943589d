// The "Edit" window class and CEdit.
#include "platform/ui/controls/Edit.h"

#include "platform/gdi/SysColors.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/Clipboard.h"
#include "platform/ui/controls/ControlWindow.h"
#include "platform/ui/controls/ScrollBar.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace platform::ui {

namespace {

constexpr UINT kDefaultLimit = 30000;
constexpr int kMargin = 2;

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

int NextChar(const std::string& s, int i)
{
    int n = static_cast<int>(s.size());
    if (i >= n)
        return n;
    ++i;
    while (i < n && IsContinuation(static_cast<unsigned char>(s[i])))
        ++i;
    return i;
}

int PrevChar(const std::string& s, int i)
{
    if (i <= 0)
        return 0;
    --i;
    while (i > 0 && IsContinuation(static_cast<unsigned char>(s[i])))
        --i;
    return i;
}

int CharCount(const std::string& s, int from, int to)
{
    int count = 0;
    for (int i = from; i < to; ++i)
        if (!IsContinuation(static_cast<unsigned char>(s[i])))
            ++count;
    return count;
}

// Cuts `s` to at most `bytes` bytes without splitting a character.
void CutToBytes(std::string& s, std::size_t bytes)
{
    if (s.size() <= bytes)
        return;
    while (bytes > 0 && IsContinuation(static_cast<unsigned char>(s[bytes])))
        --bytes;
    s.resize(bytes);
}

struct Line
{
    int start;
    int end; // before the line break
};

class EditWindow : public ControlWindow
{
public:
    using ControlWindow::ControlWindow;

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_CREATE: {
            auto* cs = reinterpret_cast<CREATESTRUCT*>(lParam);
            m_text = cs && cs->lpszName ? cs->lpszName : "";
            if (!Multiline())
                StripBreaks(m_text);
            return 0;
        }
        case WM_SETTEXT: {
            std::string text = lParam ? reinterpret_cast<const char*>(lParam) : "";
            if (!Multiline())
                StripBreaks(text);
            CutToBytes(text, m_limit);
            m_text = text;
            m_anchor = m_caret = 0;
            m_scrollX = 0;
            m_firstLine = 0;
            m_canUndo = false;
            m_modified = false;
            SyncWindowText();
            Changed();
            return TRUE;
        }
        case WM_GETTEXT: {
            if (!lParam || wParam == 0)
                return 0;
            std::string text = m_text;
            CutToBytes(text, wParam - 1);
            std::memcpy(reinterpret_cast<char*>(lParam), text.c_str(), text.size() + 1);
            return static_cast<LRESULT>(text.size());
        }
        case WM_GETTEXTLENGTH: return static_cast<LRESULT>(m_text.size());
        case WM_GETDLGCODE: {
            UINT code = DLGC_HASSETSEL | DLGC_WANTCHARS | DLGC_WANTARROWS;
            // A multi-line edit that takes Enter wants that key (and its character); Tab and
            // Escape still go to the dialog, so that the user can leave the field.
            const auto* msg = reinterpret_cast<const MSG*>(lParam);
            const bool enter = msg && (msg->message == WM_KEYDOWN || msg->message == WM_CHAR) && wParam == VK_RETURN;
            if (Multiline() && (Style() & ES_WANTRETURN) && enter)
                code |= DLGC_WANTALLKEYS;
            return code;
        }
        case EM_GETSEL: {
            auto [from, to] = Selection();
            if (wParam)
                *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(from);
            if (lParam)
                *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(to);
            return MAKELONG(static_cast<WORD>(std::min(from, 0xFFFF)), static_cast<WORD>(std::min(to, 0xFFFF)));
        }
        case EM_SETSEL: SetSelection(static_cast<int>(wParam), static_cast<int>(lParam)); return 0;
        case EM_REPLACESEL: {
            ReplaceSelection(lParam ? reinterpret_cast<const char*>(lParam) : "", wParam != 0, false);
            return 0;
        }
        case EM_SCROLLCARET: ScrollCaretIntoView(); Redraw(); return TRUE;
        case EM_GETMODIFY: return m_modified;
        case EM_SETMODIFY: m_modified = wParam != 0; return 0;
        case EM_CANUNDO: return m_canUndo;
        case EM_UNDO:
        case WM_UNDO: return UndoLast();
        case EM_EMPTYUNDOBUFFER: m_canUndo = false; return 0;
        case EM_SETREADONLY: {
            DWORD style = Style();
            SetWindowLongPtr(m_hwnd, GWL_STYLE, static_cast<LONG_PTR>(wParam ? (style | ES_READONLY) : (style & ~ES_READONLY)));
            Redraw();
            return TRUE;
        }
        case EM_LIMITTEXT:
            m_limit = wParam ? static_cast<UINT>(wParam) : 0x7FFFFFFE;
            return 0;
        case EM_GETLIMITTEXT: return m_limit;
        case EM_SETPASSWORDCHAR: m_passwordChar = static_cast<char>(wParam); Redraw(); return 0;
        case EM_GETLINECOUNT: return static_cast<LRESULT>(Lines().size());
        case EM_LINEINDEX: {
            auto lines = Lines();
            int line = static_cast<int>(wParam) < 0 ? LineOf(m_caret) : static_cast<int>(wParam);
            return line < static_cast<int>(lines.size()) ? lines[line].start : -1;
        }
        case EM_LINELENGTH: {
            auto lines = Lines();
            int offset = static_cast<int>(wParam);
            if (offset < 0) {
                auto [from, to] = Selection();
                if (from != to) // the unselected parts of the selection's lines
                    return lines[LineOf(from)].end - lines[LineOf(from)].start - (to - from);
                offset = m_caret;
            }
            const Line& l = lines[LineOf(offset)];
            return l.end - l.start;
        }
        case EM_LINEFROMCHAR: return LineOf(static_cast<int>(wParam) < 0 ? m_caret : static_cast<int>(wParam));
        case EM_GETLINE: {
            auto lines = Lines();
            auto line = static_cast<std::size_t>(wParam);
            if (line >= lines.size() || !lParam)
                return 0;
            // The first WORD of the buffer holds its size, as callers of the classic message set it.
            auto* buffer = reinterpret_cast<char*>(lParam);
            WORD size = 0;
            std::memcpy(&size, buffer, sizeof(size));
            std::string text = m_text.substr(lines[line].start, lines[line].end - lines[line].start);
            CutToBytes(text, size);
            std::memcpy(buffer, text.data(), text.size());
            return static_cast<LRESULT>(text.size());
        }
        case EM_GETFIRSTVISIBLELINE: return Multiline() ? m_firstLine : 0;
        case EM_LINESCROLL:
            if (Multiline())
                ScrollToLine(m_firstLine + static_cast<int>(lParam));
            return TRUE;
        case EM_GETRECT: *reinterpret_cast<RECT*>(lParam) = TextRect(); return 0;
        case WM_CUT: CopySelection(true); return 0;
        case WM_COPY: CopySelection(false); return 0;
        case WM_PASTE: PasteClipboard(); return 0;
        case WM_CLEAR:
            if (!ReadOnly())
                ReplaceSelection("", true, true);
            return 0;
        case WM_CHAR: Character(static_cast<unsigned>(wParam)); return 0;
        case WM_KEYDOWN: Key(static_cast<int>(wParam)); return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (!HasFocus())
                SetFocus(m_hwnd);
            m_caret = HitTest(CPoint(lParam));
            if (!(wParam & MK_SHIFT))
                m_anchor = m_caret;
            if (message == WM_LBUTTONDBLCLK) {
                SelectWord();
                Redraw();
                return 0;
            }
            m_selecting = true;
            SetCapture(m_hwnd);
            ScrollCaretIntoView();
            Redraw();
            return 0;
        case WM_MOUSEMOVE:
            if (m_selecting) {
                int caret = HitTest(CPoint(lParam));
                if (caret != m_caret) {
                    m_caret = caret;
                    ScrollCaretIntoView();
                    Redraw();
                }
            }
            return 0;
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
            if (m_selecting) {
                m_selecting = false;
                if (message == WM_LBUTTONUP)
                    ReleaseCapture();
            }
            return 0;
        case WM_SETFOCUS:
            Redraw();
            Notify(EN_SETFOCUS);
            return 0;
        case WM_KILLFOCUS:
            Redraw();
            Notify(EN_KILLFOCUS);
            return 0;
        case WM_VSCROLL: VScroll(LOWORD(wParam)); return 0;
        case WM_NCLBUTTONDOWN: TrackWindowScrollBar(m_hwnd, static_cast<LRESULT>(wParam), CPoint(lParam)); return 0;
        case WM_MOUSEWHEEL:
            if (Multiline()) {
                ScrollToLine(m_firstLine - GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * 3);
                return 0;
            }
            return ControlWindow::Handle(message, wParam, lParam);
        default: return ControlWindow::Handle(message, wParam, lParam);
        }
    }

private:
    bool Multiline() const { return (Style() & ES_MULTILINE) != 0; }
    bool ReadOnly() const { return (Style() & ES_READONLY) != 0; }
    bool Password() const { return !Multiline() && ((Style() & ES_PASSWORD) || m_passwordChar); }
    std::pair<int, int> Selection() const { return { std::min(m_anchor, m_caret), std::max(m_anchor, m_caret) }; }

    static void StripBreaks(std::string& text)
    {
        auto cut = text.find_first_of("\r\n");
        if (cut != std::string::npos)
            text.resize(cut);
    }

    void SyncWindowText() { DefWindowProc(m_hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(m_text.c_str())); }

    template <class F>
    auto WithDC(F&& f) const
    {
        HDC hdc = GetDC(m_hwnd);
        CDC* dc = CDC::FromHandle(hdc);
        CDC fallback;
        if (!dc) {
            fallback.CreateCompatibleDC(nullptr);
            dc = &fallback;
        }
        int saved = dc->SaveDC();
        SelectFont(*dc);
        auto result = f(*dc);
        dc->RestoreDC(saved);
        ReleaseDC(m_hwnd, hdc);
        return result;
    }

    // ---- lines ------------------------------------------------------------------------------------

    std::vector<Line> Lines() const
    {
        std::vector<Line> lines;
        int start = 0, n = static_cast<int>(m_text.size());
        for (int i = 0; i < n; ++i) {
            if (m_text[i] == '\n') {
                int end = (i > start && m_text[i - 1] == '\r') ? i - 1 : i;
                lines.push_back({ start, end });
                start = i + 1;
            }
        }
        lines.push_back({ start, n });
        if (!Multiline() || (Style() & ES_AUTOHSCROLL))
            return lines;
        // Without ES_AUTOHSCROLL a multi-line edit wraps its lines at word ends.
        return WithDC([&](CDC& dc) {
            std::vector<Line> wrapped;
            int width = std::max(1, TextRect().Width() - 1);
            for (const Line& line : lines)
                Wrap(dc, line, width, wrapped);
            return wrapped;
        });
    }

    // Splits one hard line into the visual lines that fit `width`: after the last space that
    // fits, or inside a word too long for a line.
    void Wrap(CDC& dc, const Line& line, int width, std::vector<Line>& out) const
    {
        int start = line.start;
        while (true) {
            int x = 0, lastSpaceEnd = -1, i = start, fitEnd = start;
            for (; i < line.end; i = NextChar(m_text, i)) {
                int next = NextChar(m_text, i);
                x += dc.GetTextExtent(m_text.c_str() + i, next - i).cx;
                if (m_text[i] == ' ') {
                    lastSpaceEnd = next; // spaces may hang past the edge
                    fitEnd = next;
                    continue;
                }
                if (x > width)
                    break;
                fitEnd = next;
            }
            if (i >= line.end) {
                out.push_back({ start, line.end });
                return;
            }
            int end = lastSpaceEnd > start ? lastSpaceEnd : std::max(fitEnd, NextChar(m_text, start));
            out.push_back({ start, end });
            start = end;
        }
    }

    int LineOf(int offset) const
    {
        auto lines = Lines();
        for (std::size_t i = 0; i < lines.size(); ++i)
            if (offset <= lines[i].end || i + 1 == lines.size() || offset < lines[i + 1].start)
                return static_cast<int>(i);
        return static_cast<int>(lines.size()) - 1;
    }

    // ---- measuring --------------------------------------------------------------------------------

    CRect TextRect() const
    {
        CRect r = Client();
        r.DeflateRect(kMargin, Multiline() ? 1 : 0);
        return r;
    }

    std::string Display(const Line& line) const
    {
        if (!Password())
            return m_text.substr(line.start, line.end - line.start);
        return std::string(CharCount(m_text, line.start, line.end), m_passwordChar ? m_passwordChar : '*');
    }

    // Width of the line's text up to `offset`.
    int XOf(CDC& dc, const Line& line, int offset) const
    {
        offset = std::clamp(offset, line.start, line.end);
        CString prefix = Password() ? CString(std::string(CharCount(m_text, line.start, offset), m_passwordChar ? m_passwordChar : '*'))
                                    : CString(m_text.substr(line.start, offset - line.start));
        return prefix.IsEmpty() ? 0 : dc.GetTextExtent(prefix).cx;
    }

    int LineHeight(CDC& dc) const
    {
        TEXTMETRIC tm {};
        dc.GetTextMetrics(&tm);
        return std::max<int>(tm.tmHeight, 1);
    }

    // Left edge of a line's text in client coordinates (alignment and horizontal scroll).
    int LineLeft(CDC& dc, const Line& line) const
    {
        CRect area = TextRect();
        int width = XOf(dc, line, line.end);
        switch (Style() & (ES_CENTER | ES_RIGHT)) {
        case ES_CENTER: return area.left + (area.Width() - width) / 2 - m_scrollX;
        case ES_RIGHT: return area.right - width - 1 - m_scrollX;
        default: return area.left - m_scrollX;
        }
    }

    int LineTop(CDC& dc, int lineIndex) const
    {
        CRect area = TextRect();
        int height = LineHeight(dc);
        if (!Multiline())
            return area.top + (area.Height() - height) / 2;
        return area.top + (lineIndex - m_firstLine) * height;
    }

    int HitTest(CPoint point) const
    {
        return WithDC([&](CDC& dc) {
            auto lines = Lines();
            int index = 0;
            if (Multiline()) {
                int dy = point.y - TextRect().top, height = LineHeight(dc);
                int rows = dy >= 0 ? dy / height : -((-dy + height - 1) / height); // rounded down
                index = std::clamp(m_firstLine + rows, 0, static_cast<int>(lines.size()) - 1);
            }
            const Line& line = lines[index];
            int x = point.x - LineLeft(dc, line);
            int best = line.start, bestDistance = std::abs(x);
            for (int i = NextChar(m_text, line.start); i <= line.end; i = NextChar(m_text, i)) {
                int distance = std::abs(XOf(dc, line, i) - x);
                if (distance < bestDistance)
                    best = i, bestDistance = distance;
                if (i == line.end)
                    break;
            }
            return best;
        });
    }

    int VisibleLines() const
    {
        return WithDC([&](CDC& dc) { return std::max(1, TextRect().Height() / LineHeight(dc)); });
    }

    void ScrollCaretIntoView()
    {
        WithDC([&](CDC& dc) {
            auto lines = Lines();
            int lineIndex = LineOf(m_caret);
            if (Multiline()) {
                int visible = std::max(1, TextRect().Height() / LineHeight(dc));
                if (lineIndex < m_firstLine)
                    m_firstLine = lineIndex;
                else if (lineIndex >= m_firstLine + visible)
                    m_firstLine = lineIndex - visible + 1;
            }
            const Line& line = lines[lineIndex];
            CRect area = TextRect();
            int x = LineLeft(dc, line) + XOf(dc, line, m_caret);
            if (x < area.left)
                m_scrollX -= area.left - x + area.Width() / 4;
            else if (x >= area.right)
                m_scrollX += x - area.right + 1 + area.Width() / 4;
            m_scrollX = std::max(0, m_scrollX);
            return 0;
        });
        UpdateScrollBar();
    }

    // ---- vertical scrolling of a multi-line edit -----------------------------------------------------

    void UpdateScrollBar()
    {
        if (!Multiline() || !(Style() & WS_VSCROLL))
            return;
        SCROLLINFO info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
        info.nMin = 0;
        info.nMax = static_cast<int>(Lines().size()) - 1;
        info.nPage = static_cast<UINT>(VisibleLines());
        info.nPos = m_firstLine;
        SetScrollInfo(m_hwnd, SB_VERT, &info, TRUE);
    }

    void ScrollToLine(int line)
    {
        int last = std::max(0, static_cast<int>(Lines().size()) - VisibleLines());
        line = std::clamp(line, 0, last);
        if (line == m_firstLine)
            return;
        m_firstLine = line;
        UpdateScrollBar();
        Redraw();
        Notify(EN_VSCROLL);
    }

    void VScroll(UINT code)
    {
        SCROLLINFO info;
        info.fMask = SIF_TRACKPOS;
        GetScrollInfo(m_hwnd, SB_VERT, &info);
        int page = VisibleLines();
        switch (code) {
        case SB_LINEUP: ScrollToLine(m_firstLine - 1); break;
        case SB_LINEDOWN: ScrollToLine(m_firstLine + 1); break;
        case SB_PAGEUP: ScrollToLine(m_firstLine - page); break;
        case SB_PAGEDOWN: ScrollToLine(m_firstLine + page); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: ScrollToLine(info.nTrackPos); break;
        case SB_TOP: ScrollToLine(0); break;
        case SB_BOTTOM: ScrollToLine(static_cast<int>(Lines().size())); break;
        default: break;
        }
    }

    // A double click selects the word under the caret (a run of characters other than spaces).
    void SelectWord()
    {
        auto isSpace = [&](int i) { return m_text[i] == ' ' || m_text[i] == '\t' || m_text[i] == '\r' || m_text[i] == '\n'; };
        int n = static_cast<int>(m_text.size());
        int from = m_caret, to = m_caret;
        while (from > 0 && !isSpace(PrevChar(m_text, from)))
            from = PrevChar(m_text, from);
        while (to < n && !isSpace(to))
            to = NextChar(m_text, to);
        m_anchor = from;
        m_caret = to;
        ScrollCaretIntoView();
    }

    // ---- changing the text ------------------------------------------------------------------------------

    void SetSelection(int from, int to)
    {
        int n = static_cast<int>(m_text.size());
        if (from == -1) { // classic: -1 as start removes the selection
            m_anchor = m_caret;
        } else {
            if (to < 0 || to > n)
                to = n;
            from = std::clamp(from, 0, n);
            while (from > 0 && from < n && IsContinuation(static_cast<unsigned char>(m_text[from])))
                --from;
            while (to > 0 && to < n && IsContinuation(static_cast<unsigned char>(m_text[to])))
                --to;
            m_anchor = from;
            m_caret = to;
        }
        ScrollCaretIntoView();
        Redraw();
    }

    // Replaces the selection with `insert` after filtering it for the style; user input sends
    // EN_MAXTEXT when the limit cut it. Returns whether the text changed.
    bool ReplaceSelection(std::string insert, bool canUndo, bool userInput)
    {
        if (!Multiline())
            StripBreaks(insert);
        DWORD style = Style();
        if (style & ES_UPPERCASE)
            for (char& c : insert)
                if (c >= 'a' && c <= 'z')
                    c = static_cast<char>(c - 'a' + 'A');
        if (style & ES_LOWERCASE)
            for (char& c : insert)
                if (c >= 'A' && c <= 'Z')
                    c = static_cast<char>(c - 'A' + 'a');
        auto [from, to] = Selection();
        std::size_t room = m_limit > m_text.size() - (to - from) ? m_limit - (m_text.size() - (to - from)) : 0;
        bool cut = insert.size() > room;
        CutToBytes(insert, room);
        if (cut && userInput)
            Notify(EN_MAXTEXT);
        if (insert.empty() && from == to)
            return false;
        if (canUndo)
            RememberForUndo(userInput && insert.size() == 1 && from == to);
        m_text.replace(from, to - from, insert);
        m_anchor = m_caret = from + static_cast<int>(insert.size());
        m_modified = true;
        SyncWindowText();
        ScrollCaretIntoView();
        Changed();
        return true;
    }

    // Consecutive typed characters make one undo step, as users expect.
    void RememberForUndo(bool typing)
    {
        if (typing && m_typingRun && m_canUndo && m_caret == m_typingEnd)
            return;
        m_undoText = m_text;
        m_undoAnchor = m_anchor;
        m_undoCaret = m_caret;
        m_canUndo = true;
        m_typingRun = typing;
    }

    BOOL UndoLast()
    {
        if (!m_canUndo || ReadOnly())
            return FALSE;
        std::swap(m_text, m_undoText);
        std::swap(m_anchor, m_undoAnchor);
        std::swap(m_caret, m_undoCaret);
        m_typingRun = false;
        m_modified = true;
        SyncWindowText();
        ScrollCaretIntoView();
        Changed();
        return TRUE;
    }

    void Changed()
    {
        if (!m_typingRun)
            m_typingEnd = -1;
        Notify(EN_UPDATE);
        Redraw();
        UpdateScrollBar();
        Notify(EN_CHANGE);
    }

    void CopySelection(bool cut)
    {
        auto [from, to] = Selection();
        if (from == to || Password())
            return; // a password never leaves the control
        SetClipboardText(CString(m_text.substr(from, to - from)));
        if (cut && !ReadOnly()) {
            m_typingRun = false;
            ReplaceSelection("", true, true);
        }
    }

    void PasteClipboard()
    {
        if (ReadOnly() || !ClipboardHasText())
            return;
        std::string text = GetClipboardText().str();
        if (Style() & ES_NUMBER)
            std::erase_if(text, [](char c) { return c < '0' || c > '9'; });
        m_typingRun = false;
        ReplaceSelection(text, true, true);
    }

    // ---- keyboard ---------------------------------------------------------------------------------

    void Character(unsigned ch)
    {
        switch (ch) {
        case 0x01: SetSelection(0, -1); return; // Ctrl+A
        case 0x03: CopySelection(false); return; // Ctrl+C
        case 0x16: PasteClipboard(); return;    // Ctrl+V
        case 0x18: CopySelection(true); return; // Ctrl+X
        case 0x1A: UndoLast(); return;          // Ctrl+Z
        default: break;
        }
        if (ReadOnly())
            return;
        if (ch == '\b') {
            auto [from, to] = Selection();
            if (from == to) {
                if (from == 0)
                    return;
                m_anchor = PrevChar(m_text, from);
                if (Multiline() && m_anchor > 0 && m_text[m_anchor] == '\n' && m_text[m_anchor - 1] == '\r')
                    --m_anchor;
            }
            m_typingRun = false;
            ReplaceSelection("", true, true);
            return;
        }
        if (ch == '\r') {
            if (Multiline()) {
                m_typingRun = false;
                ReplaceSelection("\r\n", true, true);
            }
            return;
        }
        if (ch < 0x20 || ch == 0x7F)
            return;
        // Characters the keyboard lacks arrive as their UTF-8 bytes, one message each.
        auto byte = static_cast<unsigned char>(ch);
        if (byte >= 0x80) {
            if (!IsContinuation(byte)) {
                m_pending.assign(1, static_cast<char>(byte));
                m_pendingLength = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : 2;
                return;
            }
            if (m_pending.empty())
                return;
            m_pending.push_back(static_cast<char>(byte));
            if (static_cast<int>(m_pending.size()) < m_pendingLength)
                return;
            std::string character = std::move(m_pending);
            m_pending.clear();
            if (!(Style() & ES_NUMBER))
                TypeCharacter(character);
            return;
        }
        if ((Style() & ES_NUMBER) && (ch < '0' || ch > '9'))
            return; // a number-only edit refuses other characters
        TypeCharacter(std::string(1, static_cast<char>(ch)));
    }

    void TypeCharacter(const std::string& character)
    {
        bool typed = ReplaceSelection(character, true, true);
        if (typed) {
            m_typingRun = true;
            m_typingEnd = m_caret;
        }
    }

    void Key(int vk)
    {
        bool shift = GetKeyState(VK_SHIFT) < 0;
        bool control = GetKeyState(VK_CONTROL) < 0;
        auto lines = Lines();
        int caret = m_caret;
        switch (vk) {
        case VK_LEFT: caret = (!shift && m_anchor != m_caret) ? Selection().first : PrevChar(m_text, m_caret); break;
        case VK_RIGHT: caret = (!shift && m_anchor != m_caret) ? Selection().second : NextChar(m_text, m_caret); break;
        case VK_HOME: caret = control ? 0 : lines[LineOf(m_caret)].start; break;
        case VK_END: caret = control ? static_cast<int>(m_text.size()) : lines[LineOf(m_caret)].end; break;
        case VK_UP:
        case VK_DOWN: {
            if (!Multiline())
                return;
            int line = LineOf(m_caret) + (vk == VK_UP ? -1 : 1);
            if (line < 0 || line >= static_cast<int>(lines.size()))
                return;
            caret = WithDC([&](CDC& dc) {
                const Line& from = lines[LineOf(m_caret)];
                int x = LineLeft(dc, from) + XOf(dc, from, m_caret);
                return HitTest(CPoint(x, LineTop(dc, line) + 1));
            });
            break;
        }
        case VK_DELETE:
            if (ReadOnly())
                return;
            if (shift) {
                CopySelection(true);
                return;
            }
            if (m_anchor == m_caret) {
                int next = NextChar(m_text, m_caret);
                if (Multiline() && m_text.compare(m_caret, 2, "\r\n") == 0)
                    next = m_caret + 2;
                m_anchor = next;
            }
            m_typingRun = false;
            ReplaceSelection("", true, true);
            return;
        case VK_INSERT:
            if (control)
                CopySelection(false);
            else if (shift)
                PasteClipboard();
            return;
        default: return;
        }
        m_typingRun = false;
        m_caret = caret;
        if (!shift)
            m_anchor = caret;
        ScrollCaretIntoView();
        Redraw();
    }

    // ---- painting ----------------------------------------------------------------------------------------

    void Paint(CDC& dc) override
    {
        bool grey = ReadOnly() || !Enabled();
        HBRUSH background = AskColors(dc, grey ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT, grey ? COLOR_BTNFACE : COLOR_WINDOW);
        if (!Enabled())
            dc.SetTextColor(GetSysColor(COLOR_GRAYTEXT));
        CRect client = Client();
        dc.FillRect(&client, CBrush::FromHandle(background));
        SelectFont(dc);
        CRect area = TextRect();
        dc.IntersectClipRect(&area);
        dc.SetBkMode(TRANSPARENT);
        auto lines = Lines();
        auto [selFrom, selTo] = Selection();
        bool showSelection = HasFocus() || (Style() & ES_NOHIDESEL);
        int height = LineHeight(dc);
        int first = Multiline() ? m_firstLine : 0;
        int last = Multiline() ? std::min<int>(static_cast<int>(lines.size()), first + area.Height() / height + 1) : 1;
        for (int i = first; i < last; ++i) {
            const Line& line = lines[i];
            int left = LineLeft(dc, line), top = LineTop(dc, i);
            CString display(Display(line));
            dc.TextOut(left, top, display);
            int from = std::max(selFrom, line.start), to = std::min(selTo, line.end);
            if (showSelection && from < to) {
                CRect band(left + XOf(dc, line, from), top, left + XOf(dc, line, to), top + height);
                dc.FillSolidRect(&band, GetSysColor(COLOR_HIGHLIGHT));
                COLORREF old = dc.SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
                int saved = dc.SaveDC();
                dc.IntersectClipRect(&band);
                dc.TextOut(left, top, display);
                dc.RestoreDC(saved);
                dc.SetTextColor(old);
            }
            if (HasFocus() && LineOf(m_caret) == i) {
                int x = left + XOf(dc, line, m_caret);
                dc.FillSolidRect(x, top, 1, height, GetSysColor(COLOR_WINDOWTEXT));
            }
        }
    }

    std::string m_text;
    int m_anchor { 0 };
    int m_caret { 0 };
    UINT m_limit { kDefaultLimit };
    bool m_modified { false };
    char m_passwordChar { 0 };
    int m_scrollX { 0 };
    int m_firstLine { 0 };
    bool m_selecting { false };
    std::string m_pending;
    int m_pendingLength { 0 };
    // The state before the last change, for a one-step undo.
    std::string m_undoText;
    int m_undoAnchor { 0 };
    int m_undoCaret { 0 };
    bool m_canUndo { false };
    bool m_typingRun { false };
    int m_typingEnd { -1 };
};

} // namespace

void RegisterEditClass() { RegisterControlClass<EditWindow>("Edit"); }

} // namespace platform::ui

// ---- CEdit -------------------------------------------------------------------------------------------------

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    platform::ui::RegisterStandardControls();
    return CWnd::Create("Edit", "", dwStyle, rect, pParentWnd, nID);
}

void CEdit::GetSel(int& nStartChar, int& nEndChar) const
{
    DWORD from = 0, to = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    nStartChar = static_cast<int>(from);
    nEndChar = static_cast<int>(to);
}

DWORD CEdit::GetSel() const { return static_cast<DWORD>(SendMessage(EM_GETSEL)); }
void CEdit::SetSel(int nStartChar, int nEndChar, BOOL bNoScroll)
{
    SendMessage(EM_SETSEL, static_cast<WPARAM>(nStartChar), nEndChar);
    if (!bNoScroll)
        SendMessage(EM_SCROLLCARET);
}
void CEdit::SetSel(DWORD dwSelection, BOOL bNoScroll)
{
    SetSel(static_cast<short>(LOWORD(dwSelection)), static_cast<short>(HIWORD(dwSelection)), bNoScroll);
}
void CEdit::ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo)
{
    SendMessage(EM_REPLACESEL, static_cast<WPARAM>(bCanUndo), reinterpret_cast<LPARAM>(lpszNewText));
}
void CEdit::Clear() { SendMessage(WM_CLEAR); }
void CEdit::Copy() { SendMessage(WM_COPY); }
void CEdit::Cut() { SendMessage(WM_CUT); }
void CEdit::Paste() { SendMessage(WM_PASTE); }
BOOL CEdit::Undo() { return static_cast<BOOL>(SendMessage(EM_UNDO)); }
BOOL CEdit::CanUndo() const { return static_cast<BOOL>(SendMessage(EM_CANUNDO)); }
void CEdit::EmptyUndoBuffer() { SendMessage(EM_EMPTYUNDOBUFFER); }
BOOL CEdit::SetReadOnly(BOOL bReadOnly) { return static_cast<BOOL>(SendMessage(EM_SETREADONLY, static_cast<WPARAM>(bReadOnly))); }
void CEdit::SetLimitText(UINT nMax) { SendMessage(EM_LIMITTEXT, nMax); }
UINT CEdit::GetLimitText() const { return static_cast<UINT>(SendMessage(EM_GETLIMITTEXT)); }
BOOL CEdit::GetModify() const { return static_cast<BOOL>(SendMessage(EM_GETMODIFY)); }
void CEdit::SetModify(BOOL bModified) { SendMessage(EM_SETMODIFY, static_cast<WPARAM>(bModified)); }
int CEdit::GetLineCount() const { return static_cast<int>(SendMessage(EM_GETLINECOUNT)); }
int CEdit::LineIndex(int nLine) const { return static_cast<int>(SendMessage(EM_LINEINDEX, static_cast<WPARAM>(nLine))); }
int CEdit::LineLength(int nLine) const { return static_cast<int>(SendMessage(EM_LINELENGTH, static_cast<WPARAM>(nLine))); }
int CEdit::LineFromChar(int nIndex) const { return static_cast<int>(SendMessage(EM_LINEFROMCHAR, static_cast<WPARAM>(nIndex))); }
int CEdit::GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const
{
    if (!lpszBuffer || nMaxLength < static_cast<int>(sizeof(WORD)))
        return 0;
    WORD size = static_cast<WORD>(std::min(nMaxLength, 0xFFFF));
    std::memcpy(lpszBuffer, &size, sizeof(size));
    return static_cast<int>(SendMessage(EM_GETLINE, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszBuffer)));
}
int CEdit::GetFirstVisibleLine() const { return static_cast<int>(SendMessage(EM_GETFIRSTVISIBLELINE)); }
void CEdit::LineScroll(int nLines, int nChars) { SendMessage(EM_LINESCROLL, static_cast<WPARAM>(nChars), nLines); }
void CEdit::SetPasswordChar(TCHAR ch) { SendMessage(EM_SETPASSWORDCHAR, static_cast<unsigned char>(ch)); }
void CEdit::GetRect(LPRECT lpRect) const { SendMessage(EM_GETRECT, 0, reinterpret_cast<LPARAM>(lpRect)); }
