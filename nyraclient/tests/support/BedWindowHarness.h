// A central station in miniature with one bed shown in its tile, driven without a link: the bed
// is one that another station listed (a client without a socket), and the monitor simulator
// builds the packets that a test hands straight to the client's handlers, the parameters from
// the CTG trace kept with the tests. A test clock holds time still, so the bed window's timer
// ticks and double clicks happen only when a test makes them.
#pragma once

#include "support/StationHarness.h"

#include "nyraclient/bedwindow/NyraControl.h"

#include "platform/core/Clock.h"
#include "platform/host/null/NullHost.h"
#include "testkit/Golden.h"

namespace bedtest {

using stationtest::Notice;
using stationtest::StationParent;

inline std::string CtgTracePath() { return testkit::SourcePath("data/ctg/ctu-uhb-1001-first33min.csv"); }

inline void Pump() { platform::host::NullHost::PumpPending(); }

// A colour as a captured picture holds it (opaque 0xAARRGGBB).
inline std::uint32_t ImagePixel(COLORREF colour)
{
    return 0xFF000000u | std::uint32_t(GetRValue(colour)) << 16 | std::uint32_t(GetGValue(colour)) << 8 | GetBValue(colour);
}

// The colours of a ward's settings file: the settings' own defaults are all black.
inline void WardColours(NyraConfig& config)
{
    config.GraphBackground = RGB(12, 16, 24);
    config.ParamBackground = RGB(0, 0, 0);
    config.GraphText = RGB(190, 196, 206);
    config.ParamText = RGB(190, 196, 206);
    config.GraphFHR1 = RGB(40, 230, 80);
    config.GraphFHR2 = RGB(0, 190, 255);
    config.GraphFECG = RGB(255, 128, 255);
    config.GraphFSpO2 = RGB(255, 255, 255);
    config.GraphHR = RGB(255, 96, 96);
    config.GraphSpO2 = RGB(80, 200, 255);
    config.GraphNIBP = RGB(240, 240, 240);
    config.GraphTEMP = RGB(255, 160, 64);
    config.GraphUC = RGB(255, 220, 0);
    config.GridOuter = RGB(96, 120, 104);
    config.GridCenter = RGB(60, 80, 68);
    config.GridInner = RGB(36, 50, 42);
    config.GridOuterStyle = config.GridCenterStyle = config.GridInnerStyle = PS_SOLID;
    config.Event = RGB(255, 255, 255);
    config.EventMaker = RGB(255, 0, 255);
    config.EventStimulator = RGB(0, 255, 255);
}

// A parameter packet without data or alarms, for a test to fill in.
inline PKParam_v110 QuietPacket()
{
    PKParam_v110 p;
    p.Clear(0xFF);
    for (auto setAlarm : { &PKParam_v110::SetFHR1Alarm, &PKParam_v110::SetFHR2Alarm, &PKParam_v110::SetUCAlarm,
                           &PKParam_v110::SetECGAlarm, &PKParam_v110::SetSpO2Alarm, &PKParam_v110::SetNIBPAlarm,
                           &PKParam_v110::SetTempAlarm, &PKParam_v110::SetFECGAlarm, &PKParam_v110::SetFSpO2Alarm,
                           &PKParam_v110::SetIUPAlarm })
        (p.*setAlarm)(0);
    p.SetMarker(0);
    p.SetStimulator(0);
    p.SetNIBPStatus(0);
    return p;
}

class BedStation
{
public:
    static constexpr int kKey = 1;
    // The monitor's own display mode "Mother / Fetal".
    static constexpr int kMotherFetal = 2;

    explicit BedStation(CSize tile = CSize(600, 400), DISPMODE mode = DISPMODE_4CH)
    {
        EXPECT_TRUE(parent.CreateEx(0, nullptr, "", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480, nullptr, nullptr));
        manager.SetParent(&parent);
        manager.SetDisplayMode(DISPMODE_16CH, FALSE); // a grid of tiles, none enlarged
        NyraConfig config = manager.GetConfig();
        WardColours(config);
        manager.SetConfig(config, FALSE);
        EXPECT_EQ(manager.ConnectedAsLan(10, 0, 0, 7, kKey), kKey);
        client = manager.GetClient(0);
        sim.SetKey(kKey);
        sim.LoadTrace(CtgTracePath());
        Monitor(kMotherFetal, 3);
        Layout(tile, mode);
    }
    ~BedStation()
    {
        manager.ClearAll();
        nyraclient::FlushDeferredDeletes();
    }
    BedStation(const BedStation&) = delete;
    BedStation& operator=(const BedStation&) = delete;

    NyraControl* Tile() const { return NyraControl::TileOf(client); }

    void Layout(CSize size, DISPMODE mode)
    {
        CRect room;
        parent.GetWindowRect(&room);
        if (room.Width() < size.cx || room.Height() < size.cy) {
            // The station's window grows first and paints; the tile then paints over it.
            parent.MoveWindow(0, 0, std::max<int>(room.Width(), size.cx), std::max<int>(room.Height(), size.cy));
            Pump();
        }
        Tile()->SetDisplayMode(mode);
        Tile()->MoveWindow(0, 0, size.cx, size.cy);
        Pump();
    }

    // A monitor-settings packet: the monitor's own display mode (1 to 4) and its number.
    void Monitor(int displayMode, int number)
    {
        sim.SetDisplayMode(displayMode);
        sim.SetMonitorNumber(number);
        Hand(&NyraClientInfo::Receive_Monitor, sim.MonitorPacket());
    }

    // `seconds` parameter packets of the CTG trace, one per second of the monitor's sequence.
    void Feed(int seconds)
    {
        for (int i = 0; i < seconds; ++i)
            Hand(&NyraClientInfo::Receive_Parameter, sim.ParamPacket());
    }

    // `count` wave packets of the simulator (25 make a second).
    void Waves(int count)
    {
        for (int i = 0; i < count; ++i)
            Hand(&NyraClientInfo::Receive_Wave, sim.WavePacket());
    }

    // Waits (real time) until the tile's parameter painter has drawn what it was asked to.
    bool WaitForParameterPainter(NyraControl* bed = nullptr)
    {
        NyraControl* window = bed != nullptr ? bed : Tile();
        return testkit::PumpUntil([&] { return !window->IsParameterDrawPending(); });
    }

    // Makes sure the wave painter has built its canvas (its first pass drops what came before):
    // hands over packets of a second simulator one at a time until exactly one was drawn, so
    // that the bed's own simulator loses none of its packets.
    bool PrimeWavePainter()
    {
        monitorsim::MonitorSim primer;
        primer.SetKey(kKey);
        for (int attempt = 0; attempt < 100; ++attempt) {
            Hand(&NyraClientInfo::Receive_Wave, primer.WavePacket());
            if (!testkit::PumpUntil([&] { return Tile()->GetQueuedWavePackets() == 0; }))
                return false;
            if (Tile()->GetDrawnWavePackets() >= 1)
                return true;
        }
        return false;
    }

    // Waits (real time) until the wave painter has drawn `count` packets and none waits.
    bool WaitForWavePainter(unsigned count)
    {
        return testkit::PumpUntil([&] { return Tile()->GetDrawnWavePackets() >= count && Tile()->GetQueuedWavePackets() == 0; });
    }

    // A parameter packet made by the test, with the monitor's next sequence number.
    void Param(PKParam_v110 packet)
    {
        monitorsim::Bytes bytes = sim.ParamPacket();
        PKParam_v110 next;
        next.SetPacket(bytes.data(), static_cast<int>(bytes.size()), 0);
        packet.SetTimeStamp(next.GetTimeStamp());
        packet.SetKey(BYTE(kKey));
        bytes.assign(packet.GetPacket(), packet.GetPacket() + packet.GetPacketSize());
        Hand(&NyraClientInfo::Receive_Parameter, bytes);
    }

    // Admits a patient, acknowledged by the monitor.
    void Admit(const char* id, const char* firstName, const char* lastName)
    {
        TBLPatient patient;
        patient.P_ID = id;
        patient.P_FIRST_NAME = firstName;
        patient.P_LAST_NAME = lastName;
        patient.P_BIRTHDAY = COleDateTime(1994, 5, 17, 0, 0, 0);
        client->Admit(patient);
        Hand(&NyraClientInfo::Receive_Control, sim.ControlPacket(PK_CONTROL_ACK, PK_TYPE_PATIENT));
    }

    // A point of the tile's client area on the screen, where the null host's input goes.
    CPoint Screen(CPoint point) const
    {
        Tile()->ClientToScreen(&point);
        return point;
    }

    // Presses the left button at `from`, moves to `to` and releases there (tile coordinates);
    // the clock then moves on, so that the next press is no double click.
    void PressMoveRelease(CPoint from, CPoint to)
    {
        const CPoint a = Screen(from), b = Screen(to);
        platform::host::NullHost::MoveMouse(a.x, a.y);
        platform::host::NullHost::MouseDown(a.x, a.y);
        platform::host::NullHost::MoveMouse(b.x, b.y);
        platform::host::NullHost::MouseUp(b.x, b.y);
        Pump();
        clock.Advance(1000);
    }

    // Time still: timers and double clicks only as the test makes them.
    platform::ScopedTestClock clock;
    StationParent parent;
    NyraClientManager manager;
    NyraClientInfo* client { nullptr };
    monitorsim::MonitorSim sim;

private:
    void Hand(void (NyraClientInfo::*handler)(BYTE*, int), monitorsim::Bytes bytes)
    {
        (client->*handler)(bytes.data(), static_cast<int>(bytes.size()));
        Pump();
    }
};

} // namespace bedtest
