#include "testkit/TextLayout.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace testkit {

namespace {

std::string Describe(const platform::DrawnText& t)
{
    std::ostringstream out;
    out << '"' << t.text << "\" (" << t.box.left << ',' << t.box.top << ")-(" << t.box.right << ',' << t.box.bottom << ')';
    return out.str();
}

bool Intersect(const CRect& a, const CRect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Inside(const CRect& inner, const CRect& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right && inner.bottom <= outer.bottom;
}

bool Blank(const platform::DrawnText& t) { return t.text.find_first_not_of(' ') == std::string::npos; }

} // namespace

std::vector<platform::DrawnText> DistinctTexts(const std::vector<platform::DrawnText>& texts)
{
    std::vector<platform::DrawnText> distinct;
    for (const auto& t : texts)
        if (std::none_of(distinct.begin(), distinct.end(), [&](const auto& d) { return d.text == t.text && d.box == t.box; }))
            distinct.push_back(t);
    return distinct;
}

std::vector<std::string> TextProblems(const std::vector<platform::DrawnText>& texts, const TextRules& rules)
{
    std::vector<std::string> problems;
    for (size_t i = 0; i < texts.size(); ++i) {
        const platform::DrawnText& t = texts[i];
        if (Blank(t))
            continue;
        if (!Inside(t.box, rules.bounds))
            problems.push_back(Describe(t) + " leaves the picture");
        if (!t.cell.IsRectEmpty() && !Inside(t.box, t.cell))
            problems.push_back(Describe(t) + (t.clippedToCell ? " is cut by its cell" : " leaves its cell"));
        const int capitals = static_cast<int>(std::lround(t.capitalHeight * 96.0 / rules.dotsPerInch));
        if (capitals < rules.minCapitalHeight)
            problems.push_back(Describe(t) + " has capitals " + std::to_string(capitals) + " pixels high");
        for (const CRect& cover : rules.covers)
            if (!cover.IsRectEmpty() && Intersect(t.box, cover))
                problems.push_back(Describe(t) + " is covered");
        for (const CRect& frame : rules.frames) {
            if (frame.IsRectEmpty() || !Intersect(t.box, frame))
                continue;
            // The outline's lines stand on the frame's left/top edge and on its right/bottom edge.
            const CRect inner(frame.left + 1, frame.top + 1, frame.right, frame.bottom);
            if (!Inside(t.box, inner))
                problems.push_back(Describe(t) + " crosses a grid's frame");
            else if (!t.opaque)
                problems.push_back(Describe(t) + " is crossed by grid lines");
        }
        for (size_t j = i + 1; j < texts.size(); ++j)
            if (!Blank(texts[j]) && Intersect(t.box, texts[j].box))
                problems.push_back(Describe(t) + " overlaps " + Describe(texts[j]));
    }
    return problems;
}

} // namespace testkit
