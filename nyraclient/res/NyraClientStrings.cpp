// The client library's English string table. Texts stand exactly as the system shows them.
#include "nyraclient/res/NyraClientStrings.h"

namespace nyraclient {
namespace {

constexpr platform::StringEntry kStrings[] = {
    // ---- parameter names ----------------------------------------------------------------
    // ---- client manager, alarm and bed-window texts ----------------------------------------
    { IDS_NO_MORE_CLIENT, "No more client available!!" },
    { IDS_NETWORK_ALARM, "Network Connection is broken!!!" },
    { IDS_FAIL_CREATE_COMPONENT, "Fail to create Tarvic II component." },
    // These two hold "\n" as two characters each, exactly as the station has always shown them.
    { IDS_CLIENT_WILL_DISCONNECT, R"(Client will be disconnected. \n\nDo you want to disconnect client?)" },
    { IDS_CLIENT_CANT_DISCONNECT, R"(Client can't be disconnected. \n\nPlease disconnect the device first and proceed.)" },
    { IDS_DEMO_NAME, "DEMO" },
    { IDS_REPORT_SPEED, "Speed" },
    { IDS_SAVE_WAVEFORM, "Do you want to save current waveform?" },
    // ---- broker client --------------------------------------------------------------------
    { IDS_CONNECTED_AS_LAN_ERROR, "ConnectedAsLan Error.." },
    { IDS_CONNECTED_AS_SERIAL_ERROR, "ConnectedAsSerial Error.." },
    // ---- alarm sound ----------------------------------------------------------------------
    { IDS_CANT_PLAY_ALARM_SOUND, "Can't play alarm sound" },
};

} // namespace

std::span<const platform::StringEntry> StringTable() { return kStrings; }
} // namespace nyraclient
