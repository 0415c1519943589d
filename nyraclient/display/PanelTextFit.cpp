// Fitting the numeric boxes' texts (see the header). Measured in the panel's bold face with a
// DC of its own, on whatever thread lays the window out.
#include "nyraclient/display/PanelTextFit.h"

#include "platform/gdi/CDC.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <string>
#include <tuple>

namespace nyraclient::display {

namespace {

constexpr std::size_t kMeasuredLimit = 4096;

bool Intersect(const CRect& a, const CRect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Inside(const CRect& inner, const CRect& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// The extent of the widest of `texts` at a font height (the largest width, the line height).
CSize WidestExtent(const std::vector<CString>& texts, int fontHeight, const char* face)
{
    CSize widest(0, 0);
    for (const CString& text : texts) {
        const CSize size = PanelTextExtent(text, fontHeight, face);
        widest.cx = std::max(widest.cx, size.cx);
        widest.cy = std::max(widest.cy, size.cy);
    }
    return widest;
}

// The tallest font, not above `start`, in which every text fits `room`; 0 when none does.
int FitHeight(const std::vector<CString>& texts, CSize room, int start, const char* face)
{
    const auto fits = [&](int height) {
        const CSize size = WidestExtent(texts, height, face);
        return size.cx <= room.cx && size.cy <= room.cy;
    };
    if (start < 1 || room.cx <= 0 || room.cy <= 0)
        return 0;
    if (fits(start))
        return start;
    int low = 0, high = start; // low fits (or is 0), high does not
    while (high - low > 1) {
        const int middle = (low + high) / 2;
        (fits(middle) ? low : high) = middle;
    }
    return low;
}

class Fitter
{
public:
    Fitter(const std::array<PanelBox, kParamItems>& boxes, const CRect& panel, const char* face)
        : m_boxes(boxes), m_panel(panel), m_face(face)
    {
        for (int i = 0; i < kParamItems; ++i)
            m_texts[i].rect = boxes[i].cell & panel; // some table boxes reach past the panel
        Rebalance();
        Separate();
        for (int i = 0; i < kParamItems; ++i)
            if (HasText(i))
                m_texts[i].fontHeight = FitHeight(boxes[i].texts, m_texts[i].rect.Size(), boxes[i].fontHeight, face);
    }

    std::array<PanelText, kParamItems> Legible()
    {
        // Labels and units first: they are the small ones; a value gives room to them.
        for (int pass = 0; pass < 2; ++pass)
            for (int i = 0; i < kParamItems; ++i)
                if (HasText(i) && (i % 3 == 1) == (pass == 1) && m_texts[i].fontHeight < kLegibleFontHeight)
                    Grow(i);
        // A group still not legible is laid out anew inside its own box.
        for (int group = 0; group < kParamItems / 3; ++group)
            if (!GroupLegible(group))
                Arrange(group);
        return m_texts;
    }

private:
    bool HasText(int i) const { return !m_boxes[i].cell.IsRectEmpty() && !m_boxes[i].texts.empty(); }

    // The sizes a box may take to show its texts at the legible height, best first: grown
    // downward, around its middle, upward; each from the side its text is aligned to.
    std::vector<CRect> Candidates(int i, CSize need) const
    {
        const CRect cell = m_texts[i].rect;
        const int width = std::max<int>(cell.Width(), need.cx);
        const int height = std::max<int>(cell.Height(), need.cy);
        const int left = m_boxes[i].align == DT_RIGHT ? cell.right - width : cell.left;
        const int middle = cell.top + cell.Height() / 2 - height / 2;
        std::vector<CRect> candidates;
        for (int top : { static_cast<int>(cell.top), middle, static_cast<int>(cell.bottom) - height })
            candidates.emplace_back(left, top, left + width, top + height);
        return candidates;
    }

    // Boxes of the table that overlap (a label over its value's corner, a pixel of rounding
    // between two rows) are made apart first: a value gives way to a label or a unit, else the
    // lower or the right one gives way, on the side that leaves it the most.
    void Separate()
    {
        for (int i = 0; i < kParamItems; ++i)
            for (int j = i + 1; j < kParamItems; ++j) {
                if (!HasText(i) || !HasText(j) || !Intersect(m_texts[i].rect, m_texts[j].rect))
                    continue;
                const bool iValue = i % 3 == 1, jValue = j % 3 == 1;
                int yielder = j, keeper = i;
                if (iValue != jValue)
                    yielder = iValue ? i : j;
                else if (m_texts[i].rect.top > m_texts[j].rect.top ||
                         (m_texts[i].rect.top == m_texts[j].rect.top && m_texts[i].rect.left > m_texts[j].rect.left))
                    yielder = i;
                keeper = yielder == i ? j : i;
                m_texts[yielder].rect = Rest(m_texts[yielder].rect, m_texts[keeper].rect, 1);
            }
    }

    // `box` with `taken` cut off its top, bottom, left or right side.
    static std::array<CRect, 4> Cuts(const CRect& box, const CRect& taken)
    {
        std::array<CRect, 4> cuts { box, box, box, box };
        cuts[0].top = std::max(box.top, taken.bottom);
        cuts[1].bottom = std::min(box.bottom, taken.top);
        cuts[2].left = std::max(box.left, taken.right);
        cuts[3].right = std::min(box.right, taken.left);
        return cuts;
    }

    // What is left of `box` once `taken` is cut off one side of it, the side that leaves the
    // most; empty when no side leaves a piece at least `minHeight` high.
    static CRect Rest(const CRect& box, const CRect& taken, int minHeight)
    {
        CRect best;
        for (const CRect& rest : Cuts(box, taken)) {
            if (rest.Height() < minHeight || rest.Width() <= 0 || Intersect(rest, taken))
                continue;
            if (best.IsRectEmpty() || rest.Width() * rest.Height() > best.Width() * best.Height())
                best = rest;
        }
        return best;
    }

    // The box a group's table boxes make together; empty for a hidden group.
    CRect GroupBox(int group) const
    {
        CRect box;
        for (int i = group * 3; i < group * 3 + 3; ++i)
            if (HasText(i))
                box = box.IsRectEmpty() ? m_texts[i].rect : (box | m_texts[i].rect);
        return box;
    }

    // The least height a group needs to show its texts legibly in a box `width` wide: label
    // and unit on a line above the value, or all three on one line; 0 when neither fits.
    int LegibleHeight(int group, int width) const
    {
        const int label = group * 3, value = label + 1, unit = label + 2;
        if (!HasText(label) || !HasText(value))
            return 0;
        const CSize l = WidestExtent(m_boxes[label].texts, kLegibleFontHeight, m_face);
        const CSize v = WidestExtent(m_boxes[value].texts, kLegibleFontHeight, m_face);
        const CSize u = HasText(unit) ? WidestExtent(m_boxes[unit].texts, kLegibleFontHeight, m_face) : CSize(0, 0);
        const int gap = l.cy / 3;
        const int line = std::max(l.cy, u.cy);
        int need = 0;
        if (l.cx + (u.cx > 0 ? gap + u.cx : 0) <= width && v.cx <= width)
            need = line + v.cy;
        if (l.cx + gap + v.cx + (u.cx > 0 ? gap + u.cx : 0) <= width)
            need = need == 0 ? std::max(line, v.cy) : std::min<int>(need, std::max(line, v.cy));
        return need;
    }

    // The panel's rows (where no group's box reaches across a line over the whole panel) are
    // shared out again when a row is too low for one of its groups to be legible and the panel
    // has the room: each row gets what its groups need, the rest in the table's proportions.
    void Rebalance()
    {
        std::vector<CRect> boxes;
        std::vector<int> groups;
        for (int g = 0; g < kParamItems / 3; ++g)
            if (const CRect box = GroupBox(g); !box.IsRectEmpty()) {
                boxes.push_back(box);
                groups.push_back(g);
            }
        std::vector<int> cuts { static_cast<int>(m_panel.top), static_cast<int>(m_panel.bottom) };
        for (const CRect& b : boxes)
            for (int y : { static_cast<int>(b.top), static_cast<int>(b.bottom) })
                if (std::none_of(boxes.begin(), boxes.end(), [y](const CRect& o) { return o.top < y && y < o.bottom; }))
                    cuts.push_back(y);
        std::sort(cuts.begin(), cuts.end());
        cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
        const int rows = static_cast<int>(cuts.size()) - 1;
        if (rows < 1)
            return;
        std::vector<int> need(size_t(rows), 0);
        bool short_ = false;
        for (size_t k = 0; k < boxes.size(); ++k) {
            const auto row = std::upper_bound(cuts.begin(), cuts.end(), static_cast<int>(boxes[k].top)) - cuts.begin() - 1;
            const int rowHeight = cuts[size_t(row) + 1] - cuts[size_t(row)];
            // Only a group that fills its row counts; one that needs more than its row is short.
            const int legible = LegibleHeight(groups[k], boxes[k].Width());
            const int wanted = legible > 0 ? legible + rowHeight - boxes[k].Height() : rowHeight;
            need[size_t(row)] = std::max(need[size_t(row)], wanted);
            short_ = short_ || wanted > rowHeight;
        }
        int needed = 0;
        for (int k = 0; k < rows; ++k)
            needed += std::max(need[size_t(k)], 1);
        const int height = m_panel.Height();
        if (!short_ || needed > height)
            return;
        // New row edges: each row its need, the slack in the rows' old proportions.
        std::vector<int> edges { cuts[0] };
        const int slack = height - needed;
        int given = 0;
        for (int k = 0; k < rows; ++k) {
            const int old = cuts[size_t(k) + 1] - cuts[size_t(k)];
            int share = k + 1 == rows ? slack - given : slack * old / height;
            given += share;
            edges.push_back(edges.back() + std::max(need[size_t(k)], 1) + share);
        }
        const auto map = [&](int y) {
            const auto row = std::min<std::ptrdiff_t>(std::upper_bound(cuts.begin(), cuts.end(), y) - cuts.begin() - 1, rows - 1);
            const int from = cuts[size_t(row)], to = cuts[size_t(row) + 1];
            return edges[size_t(row)] + (to > from ? (y - from) * (edges[size_t(row) + 1] - edges[size_t(row)]) / (to - from) : 0);
        };
        for (int i = 0; i < kParamItems; ++i)
            if (HasText(i)) {
                CRect& r = m_texts[i].rect;
                const int bottom = r.bottom == cuts.back() ? edges.back() : map(r.bottom);
                r.top = map(r.top);
                r.bottom = bottom;
            }
    }

    bool GroupLegible(int group) const
    {
        for (int i = group * 3; i < group * 3 + 3; ++i)
            if (HasText(i) && m_texts[i].fontHeight < kLegibleFontHeight)
                return false;
        return true;
    }

    // Lays a group out inside the box its table boxes make together, when its own boxes leave
    // a text illegible: the label (with the unit at its right) on a line of the legible height
    // above the value, or label, value and unit side by side on one line; whichever gives the
    // value the larger font. Nothing changes when neither keeps every text legible.
    void Arrange(int group)
    {
        const int label = group * 3, value = label + 1, unit = label + 2;
        if (!HasText(label) || !HasText(value))
            return;
        // The group's box, less what other groups' boxes reach into it.
        CRect box = GroupBox(group);
        for (int i = 0; i < kParamItems && !box.IsRectEmpty(); ++i)
            if (i / 3 != group && HasText(i) && Intersect(box, m_texts[i].rect))
                box = Rest(box, m_texts[i].rect, 1);
        if (box.IsRectEmpty())
            return;
        const CSize labelSize = WidestExtent(m_boxes[label].texts, kLegibleFontHeight, m_face);
        const CSize unitSize = HasText(unit) ? WidestExtent(m_boxes[unit].texts, kLegibleFontHeight, m_face) : CSize(0, 0);
        const int gap = labelSize.cy / 3;
        const int line = std::max(labelSize.cy, unitSize.cy);
        struct Plan
        {
            CRect label, value, unit;
            int valueHeight { 0 };
        };
        Plan best;
        // Stacked: label and unit on the first line, the value below.
        if (labelSize.cx + (unitSize.cx > 0 ? gap + unitSize.cx : 0) <= box.Width()) {
            Plan p;
            p.label = CRect(box.left, box.top, box.left + labelSize.cx, box.top + line);
            p.unit = CRect(box.right - unitSize.cx, box.top, box.right, box.top + line);
            p.value = CRect(box.left, box.top + line, box.right, box.bottom);
            p.valueHeight = FitHeight(m_boxes[value].texts, p.value.Size(), m_boxes[value].fontHeight, m_face);
            if (p.valueHeight > best.valueHeight)
                best = p;
        }
        // In a row: label, value, unit.
        if (box.Height() >= line) {
            Plan p;
            const int middle = box.top + (box.Height() - line) / 2;
            p.label = CRect(box.left, middle, box.left + labelSize.cx, middle + line);
            p.unit = CRect(box.right - unitSize.cx, middle, box.right, middle + line);
            p.value = CRect(p.label.right + gap, box.top, unitSize.cx > 0 ? p.unit.left - gap : box.right, box.bottom);
            p.valueHeight = p.value.Width() > 0
                                ? FitHeight(m_boxes[value].texts, p.value.Size(), m_boxes[value].fontHeight, m_face)
                                : 0;
            if (p.valueHeight > best.valueHeight)
                best = p;
        }
        if (best.valueHeight < kLegibleFontHeight)
            return;
        for (int i = 0; i < kParamItems; ++i) {
            if (i / 3 == group || !HasText(i))
                continue;
            for (const CRect* r : { &best.label, &best.value, &best.unit })
                if (!r->IsRectEmpty() && Intersect(*r, m_texts[i].rect))
                    return;
        }
        m_texts[label] = { best.label, FitHeight(m_boxes[label].texts, best.label.Size(), kLegibleFontHeight, m_face) };
        m_texts[value] = { best.value, best.valueHeight };
        if (HasText(unit))
            m_texts[unit] = { best.unit, FitHeight(m_boxes[unit].texts, best.unit.Size(), kLegibleFontHeight, m_face) };
    }

    // The room left to box `j` (its group's value) once `taken` is cut off one side of it: the
    // side that leaves its own text the largest font; empty when none leaves it legible.
    CRect Yield(int j, const CRect& taken) const
    {
        CRect best;
        int bestHeight = 0;
        for (const CRect& rest : Cuts(m_texts[j].rect, taken)) {
            if (rest.Height() < kLegibleFontHeight || rest.Width() <= 0 || Intersect(rest, taken))
                continue;
            const int height = FitHeight(m_boxes[j].texts, rest.Size(), m_boxes[j].fontHeight, m_face);
            if (height > bestHeight) {
                best = rest;
                bestHeight = height;
            }
        }
        return bestHeight >= kLegibleFontHeight ? best : CRect();
    }

    void Grow(int i)
    {
        const CSize need = WidestExtent(m_boxes[i].texts, kLegibleFontHeight, m_face);
        const int value = i - i % 3 + 1;
        for (const CRect& candidate : Candidates(i, need)) {
            if (!Inside(candidate, m_panel))
                continue;
            CRect valueRest;
            bool blocked = false;
            for (int j = 0; j < kParamItems && !blocked; ++j) {
                if (j == i || m_boxes[j].cell.IsRectEmpty() || !Intersect(candidate, m_texts[j].rect))
                    continue;
                // Only the group's own value gives way, and only while it stays legible.
                valueRest = j == value && HasText(j) ? Yield(j, candidate) : CRect();
                blocked = valueRest.IsRectEmpty();
            }
            if (blocked)
                continue;
            m_texts[i].rect = candidate;
            m_texts[i].fontHeight = FitHeight(m_boxes[i].texts, candidate.Size(), kLegibleFontHeight, m_face);
            if (!valueRest.IsRectEmpty()) {
                m_texts[value].rect = valueRest;
                m_texts[value].fontHeight =
                    FitHeight(m_boxes[value].texts, valueRest.Size(), m_boxes[value].fontHeight, m_face);
            }
            return;
        }
    }

    const std::array<PanelBox, kParamItems>& m_boxes;
    CRect m_panel;
    const char* m_face;
    std::array<PanelText, kParamItems> m_texts {};
};

} // namespace

CSize PanelTextExtent(const CString& text, int fontHeight, const char* face)
{
    // A window is laid out again at every resize and settings change, measuring the same few
    // texts at the same heights: each is measured once.
    static std::mutex lock;
    static std::map<std::tuple<std::string, int, std::string>, CSize> measured;
    const auto key = std::make_tuple(text.str(), fontHeight, std::string(face != nullptr ? face : ""));
    {
        std::lock_guard guard(lock);
        if (const auto found = measured.find(key); found != measured.end())
            return found->second;
    }
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CFont font;
    font.CreateFont(fontHeight, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, face);
    CFont* old = dc.SelectObject(&font);
    const CSize size = dc.GetTextExtent(text);
    dc.SelectObject(old);
    std::lock_guard guard(lock);
    // Bounded: a station resized again and again starts afresh now and then.
    if (measured.size() >= kMeasuredLimit)
        measured.clear();
    measured.emplace(key, size);
    return size;
}

std::array<PanelText, kParamItems> FitPanelTexts(const std::array<PanelBox, kParamItems>& boxes, const CRect& panel,
                                                 const char* face)
{
    return Fitter(boxes, panel, face).Legible();
}

} // namespace nyraclient::display
