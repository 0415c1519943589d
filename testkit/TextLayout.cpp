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

// The relative luminance of a colour's sRGB channels.
double Luminance(COLORREF c)
{
    const auto linear = [](int channel) {
        const double v = channel / 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(GetRValue(c)) + 0.7152 * linear(GetGValue(c)) + 0.0722 * linear(GetBValue(c));
}

// The paper under a text: the last one that holds the centre of its box.
const TextPaper* PaperUnder(const platform::DrawnText& t, const std::vector<TextPaper>& papers)
{
    const CPoint centre((t.box.left + t.box.right) / 2, (t.box.top + t.box.bottom) / 2);
    const TextPaper* found = nullptr;
    for (const TextPaper& paper : papers)
        if (paper.area.PtInRect(centre))
            found = &paper;
    return found;
}

} // namespace

double ContrastRatio(COLORREF a, COLORREF b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

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
        if (const TextPaper* paper = PaperUnder(t, rules.papers)) {
            const double contrast = ContrastRatio(t.color, paper->colour);
            if (contrast < rules.minContrast) {
                std::ostringstream ratio;
                ratio.precision(2);
                ratio << contrast;
                problems.push_back(Describe(t) + " hardly shows on its paper (contrast " + ratio.str() + ")");
            }
        }
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
