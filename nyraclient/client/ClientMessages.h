// The window messages between a monitor link, its client and the station's window, the record
// that WM_CLIENT_NOTIFY carries, its codes and the per-bed commands, and the acknowledgement
// kinds a settings dialog can wait for.
#pragma once

#include "platform/msg/Messages.h"

#include <cstdint>

// ---- link to client (sent to the client's hidden window) ------------------------------------
constexpr UINT WM_RECEIVE_SOCKET_DATA = 0x5F6;
constexpr UINT WM_RECEIVE_SERIAL_DATA = 0x5F7;
constexpr UINT WM_RECORD_UPDATE = 0x5F8;
// Posted by a demo bed's generator thread when its first packet waits in the demo queue.
constexpr UINT WM_DEMO_DATA = 0x5F9;

// ---- client to the station's window ---------------------------------------------------------
// wParam: the NyraClientInfo of the bed; lParam: a _CLIENT_NOTIFY on the sender's stack, valid
// only while the message is handled.
constexpr UINT WM_CLIENT_NOTIFY = WM_USER + 1234;
static_assert(WM_CLIENT_NOTIFY == 0x8D2);

struct _CLIENT_NOTIFY
{
    std::int32_t nCode;
    std::uint32_t dwValue;
};

constexpr int CLIENT_NOTIFY_COMMAND = 4;
constexpr int CLIENT_NOTIFY_RECORD_START = 5;
constexpr int CLIENT_NOTIFY_RECORD_END = 6;
constexpr int CLIENT_NOTIFY_RECORD_UPDATE = 7;
constexpr int CLIENT_NOTIFY_TREND_SETTING = 8;
constexpr int CLIENT_NOTIFY_DISCONNECTED = 9;

// The per-bed commands: the value of CLIENT_NOTIFY_COMMAND. The station acts on 0 to 11 and
// ignores any other value; a fixed underlying type keeps any such value well defined.
enum NYRACMD : int
{
    NYRACMD_ADMIT_OFF = 0,
    NYRACMD_ADMIT_ON = 1,
    NYRACMD_RECORD_START = 2,
    NYRACMD_RECORD_STOP = 3,
    NYRACMD_SOUND_ON = 4,
    NYRACMD_SOUND_OFF = 5,
    NYRACMD_TREND_PRINT = 6,
    NYRACMD_CAPTURE = 7,
    NYRACMD_ADMIT = 8,
    NYRACMD_EXPAND = 9,
    NYRACMD_SETTING = 10,
    NYRACMD_CLOSE = 11,
    // The monitor-number button of a bed window; the station has no action for it.
    NYRACMD_BED_NUMBER = 12,
};

// ---- control ids of the client's windows ----------------------------------------------------
constexpr UINT IDC_CLIENT_MESSAGE_WND = 1;
constexpr UINT IDC_ENLARGED_BED = 3000;
constexpr UINT IDC_BED_TILE_FIRST = 2000;
constexpr int BED_TILE_COUNT = 16;
