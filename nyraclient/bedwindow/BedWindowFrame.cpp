// NyraControl: the window's frame and the furniture of the wave area (channel labels, the sweep
// speed and the calibration pulses), all drawn once into the background bitmap.
#include "nyraclient/bedwindow/NyraControl.h"

#include "nyraclient/bedwindow/BedArtwork.h"
#include "nyraclient/client/NyraClientInfo.h"
#include "nyraclient/res/NyraClientStrings.h"

#include "ktutil/KTGF.h"
#include "nrdata/constmap/NRConstMap.h"

namespace {

// Wave channel kinds as the "Top Graph" and "Bottom Graph" settings name them.
constexpr int kChannelECG = 1;
constexpr int kChannelSpO2 = 2;
constexpr int kChannelFECG = 3;
constexpr int kChannelFSpO2 = 4;
// The furniture keeps this far from the wave area's left and right edges.
constexpr int kFurnitureInset = 5;

} // namespace

bool NyraControl::IsHighlighted() const
{
    return !m_bEnlarge && m_pClient != nullptr && m_pClient->GetEnlargedControl() != nullptr;
}

void NyraControl::DrawWindowFrame(CDC* dc, const CRect& client)
{
    const BedArtwork::FrameSet& set = BedArtwork::Shared().Frame(IsHighlighted());
    auto size = [](const CBitmap& bitmap) {
        BITMAP info {};
        if (bitmap.GetSafeHandle() != nullptr)
            bitmap.GetBitmap(&info);
        return CSize(info.bmWidth, info.bmHeight);
    };
    const int captionHeight = size(set.caption).cy > 0 ? size(set.caption).cy : kCaptionHeight;
    const int width = client.Width();
    const int height = client.Height();
    BedArtwork::DrawStrip(dc, set.caption, 0, 0, width, false);
    BedArtwork::DrawStrip(dc, set.left, 0, captionHeight, height - captionHeight, true);
    BedArtwork::DrawStrip(dc, set.right, width - size(set.right).cx, captionHeight, height - captionHeight, true);
    BedArtwork::DrawStrip(dc, set.bottom, 0, height - size(set.bottom).cy, width, false);
}

void NyraControl::DrawGraph(CDC* dc)
{
    dc->SetBkMode(TRANSPARENT);
    const CRect graph = GetGraphRectAll();
    if (!graph.IsRectEmpty() && m_pClient != nullptr)
        dc->FillSolidRect(&graph, COLORREF(m_pClient->GetConfig().GraphBackground));
}

void NyraControl::DrawWaveFurniture(CDC* dc)
{
    const CRect graph = GetGraphRectAll();
    if (graph.IsRectEmpty() || m_pClient == nullptr)
        return;
    const NyraConfig config = m_pClient->GetConfig();
    const int textColor = config.GraphText;
    dc->SetTextColor(COLORREF(textColor));
    dc->SetBkMode(TRANSPARENT);

    // 1. Channel labels: a channel's label stands at the top of its strip.
    struct Label
    {
        int channel;
        CString text;
    };
    const CString ecg = KTGF::GetString(nyraclient::IDS_PARAM_ECG);
    const CString fecg = KTGF::GetString(nyraclient::IDS_PARAM_FECG);
    const Label labels[] = {
        { kChannelECG, ecg + "(" + NRConstMap::GetECGLeadText(m_pClient->GetMonitorPacket().GetECGLead()) + ")-" +
                           NRConstMap::GetECGGainText(config.ECGGain) },
        { kChannelSpO2, KTGF::GetString(nyraclient::IDS_PARAM_MSPO2) },
        { kChannelFECG, fecg + "-" + NRConstMap::GetECGGainText(config.FECGGain) },
        { kChannelFSpO2, KTGF::GetString(nyraclient::IDS_PARAM_FSPO2) },
    };
    for (const Label& label : labels) {
        if (config.TopGraph != label.channel && config.BottomGraph != label.channel)
            continue;
        CRect area = graph;
        if (config.TopGraph != label.channel)
            area.top += graph.Height() / 2;
        area.left += kFurnitureInset;
        dc->DrawText(label.text, &area, DT_SINGLELINE | DT_LEFT | DT_TOP | DT_NOPREFIX);
    }

    // 2. The sweep speed at the top right.
    CString speed;
    speed.Format("%s : %s", static_cast<LPCTSTR>(KTGF::GetString(nyraclient::IDS_SWEEP_SPEED)),
                 static_cast<LPCTSTR>(NRConstMap::GetECGSpeedText(config.SweepSpeed)));
    CRect speedArea = graph;
    speedArea.right -= kFurnitureInset;
    dc->DrawText(speed, &speedArea, DT_SINGLELINE | DT_RIGHT | DT_TOP | DT_NOPREFIX);

    // 3. Calibration pulses: one millivolt high and 0.2 s wide, at the left of the ECG strips.
    CPen pen;
    CreatePen(pen, COLORREF(textColor), 1);
    CPen* oldPen = dc->SelectObject(&pen);
    const int g = graph.Height();
    for (auto [channel, gain] : { std::pair { kChannelECG, m_dECGGain }, std::pair { kChannelFECG, m_dFECGGain } }) {
        if (config.TopGraph != channel && config.BottomGraph != channel)
            continue;
        const int y0 = graph.top + (config.TopGraph == channel ? g / 2 : g) - g / 14;
        const int x0 = graph.left + kFurnitureInset;
        const int top = static_cast<int>(y0 - gain * m_dPixelsPerMM);
        const int x1 = static_cast<int>(x0 + 15 + m_dSweepSpeed / 5 * m_dPixelsPerMM);
        const POINT pulse[] = { { x0 + 10, y0 }, { x0 + 15, y0 }, { x0 + 15, top }, { x1, top }, { x1, y0 }, { x1 + 5, y0 } };
        dc->Polyline(pulse, 6);
    }
    dc->SelectObject(oldPen);
}
