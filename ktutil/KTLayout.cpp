// KTLayout: calculation and the layout file.
#include "ktutil/KTLayout.h"

#include "ktutil/KTGF.h"
#include "ktutil/KTIni.h"
#include "platform/msg/Wnd.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr char kOrgSection[] = "ORG";
constexpr int kDefaultScale = 100; // the denominator a layout file gives when it names none

int Extent(const KTScale& scale, int area)
{
    switch (scale.GetType()) {
    case KTScale::FIXED: return scale.GetValue();
    case KTScale::SCALED: return scale.GetScaledValue(area);
    default: return 0;
    }
}

CString ItemSection(int number)
{
    char name[32];
    std::snprintf(name, sizeof name, "ITEM%d", number);
    return name;
}

// ---- one position or scale in the file -----------------------------------------------------------

void ReadPosition(KTIni& ini, LPCTSTR section, const char* prefix, KTPosition& position)
{
    CString p(prefix);
    position.Set(ini.ReadInt(section, p + "_TYPE", 0), ini.ReadInt(section, p + "_VALUE", 0),
                 ini.ReadInt(section, p + "_SCALE", kDefaultScale), ini.ReadInt(section, p + "_RELATIVE", 0));
}

void ReadScale(KTIni& ini, LPCTSTR section, const char* prefix, KTScale& scale)
{
    CString p(prefix);
    scale.Set(ini.ReadInt(section, p + "_TYPE", 0), ini.ReadInt(section, p + "_VALUE", 0),
              ini.ReadInt(section, p + "_SCALE", kDefaultScale));
}

bool WriteScale(KTIni& ini, LPCTSTR section, const char* prefix, const KTScale& scale)
{
    CString p(prefix);
    return ini.WriteInt(section, p + "_TYPE", scale.GetType()) && ini.WriteInt(section, p + "_VALUE", scale.GetValue())
        && ini.WriteInt(section, p + "_SCALE", scale.GetScale());
}

bool WritePosition(KTIni& ini, LPCTSTR section, const char* prefix, const KTPosition& position)
{
    return WriteScale(ini, section, prefix, position)
        && ini.WriteInt(section, CString(prefix) + "_RELATIVE", position.GetRelative());
}

} // namespace

// ---- the items ----------------------------------------------------------------------------------

KTLayout& KTLayout::operator=(const KTLayout& other)
{
    if (this == &other)
        return *this;
    m_nBorder = other.m_nBorder;
    std::vector<std::unique_ptr<KTLayoutItem>> items;
    for (const auto& item : other.m_items)
        items.push_back(std::make_unique<KTLayoutItem>(*item));
    m_items = std::move(items);
    return *this;
}

int KTLayout::Add(const KTLayoutItem& item)
{
    m_items.push_back(std::make_unique<KTLayoutItem>(item));
    return GetCount() - 1;
}

int KTLayout::Find(int id) const
{
    for (int i = 0; i < GetCount(); ++i) {
        if (m_items[i]->GetID() == id)
            return i;
    }
    return -1;
}

KTLayoutItem* KTLayout::Get(int index) const
{
    return index >= 0 && index < GetCount() ? m_items[index].get() : nullptr;
}

CRect KTLayout::GetRect(int index) const
{
    const KTLayoutItem* item = Get(index);
    return item ? item->GetRect() : CRect();
}

void KTLayout::DeleteAt(int index)
{
    if (index >= 0 && index < GetCount())
        m_items.erase(m_items.begin() + index);
}

// ---- calculation --------------------------------------------------------------------------------

// An edge that follows relations is the base edge of the last item of the chain plus the
// extents of every related item on the way. A chain that names an id no item has, or that comes
// back to an item it passed (a cycle), gives 0.
int KTLayout::Edge(const KTLayoutItem& item, bool horizontal, int area) const
{
    auto position = [horizontal](const KTLayoutItem& i) -> const KTPosition& { return horizontal ? i.m_left : i.m_top; };
    auto extent = [horizontal](const KTLayoutItem& i) -> const KTScale& { return horizontal ? i.m_width : i.m_height; };

    std::vector<const KTLayoutItem*> chain { &item };
    int edge = 0;
    const KTLayoutItem* current = &item;
    while (position(*current).GetType() == KTPosition::RELATIVE) {
        const KTLayoutItem* related = GetEx(position(*current).GetRelative());
        if (!related || std::find(chain.begin(), chain.end(), related) != chain.end())
            return 0;
        chain.push_back(related);
        edge += Extent(extent(*related), area);
        current = related;
    }
    return edge + Extent(position(*current), area);
}

void KTLayout::Calculation(int cx, int cy, BOOL move)
{
    for (auto& item : m_items) {
        CRect rect;
        rect.left = Edge(*item, true, cx);
        rect.top = Edge(*item, false, cy);
        rect.right = rect.left + Extent(item->m_width, cx);
        rect.bottom = rect.top + Extent(item->m_height, cy);
        rect.DeflateRect(m_nBorder, m_nBorder);
        item->SetRect(rect);
        CWnd* window = item->GetWindow();
        if (move && window && window->GetSafeHwnd())
            window->MoveWindow(&rect, TRUE);
    }
}

void KTLayout::ShowDialog(int showCommand)
{
    for (auto& item : m_items) {
        CWnd* window = item->GetWindow();
        if (window && window->GetSafeHwnd())
            window->ShowWindow(showCommand);
    }
}

// ---- the layout file ----------------------------------------------------------------------------

int KTLayout::Open(LPCTSTR path)
{
    if (!KTGF::IsFile(path))
        return 0;
    KTIni ini(path);
    DeleteAll();
    m_nBorder = ini.ReadInt(kOrgSection, "BORDER", 0);
    const int count = ini.ReadInt(kOrgSection, "ITEMS", 0);
    for (int number = 1; number <= count; ++number) {
        CString section = ItemSection(number);
        KTLayoutItem item(ini.ReadInt(section, "ID", 0));
        ReadPosition(ini, section, "X", item.m_left);
        ReadPosition(ini, section, "Y", item.m_top);
        ReadScale(ini, section, "CX", item.m_width);
        ReadScale(ini, section, "CY", item.m_height);
        Add(item);
    }
    return 1;
}

int KTLayout::Save(LPCTSTR path) const
{
    if (!KTGF::IsValidPathName(path) || KTGF::CreateFileA(path, TRUE, TRUE) != KTGF_DONE)
        return 0;
    KTIni ini(path);
    bool written = ini.WriteInt(kOrgSection, "BORDER", m_nBorder) && ini.WriteInt(kOrgSection, "ITEMS", GetCount());
    for (int i = 0; written && i < GetCount(); ++i) {
        const KTLayoutItem& item = *m_items[i];
        CString section = ItemSection(i + 1);
        written = ini.WriteInt(section, "ID", item.GetID()) && WritePosition(ini, section, "X", item.m_left)
            && WritePosition(ini, section, "Y", item.m_top) && WriteScale(ini, section, "CX", item.m_width)
            && WriteScale(ini, section, "CY", item.m_height);
    }
    return written ? 1 : 0;
}
