// The client library's own string table: the English texts it shows. A language module
// replaces any of them under the same id. The table is registered as the library's resource
// module when the library loads (NyraClientModule.cpp).
#pragma once

#include "nrdata/res/NRDataStrings.h"

#include "platform/core/ResourceModule.h"
#include "platform/core/Types.h"

#include <span>

namespace nyraclient {

// ---- parameter names (the same ids and texts as the data library's value maps) ------------
using nrdata::IDS_PARAM_ECG;
using nrdata::IDS_PARAM_FECG;
using nrdata::IDS_PARAM_MSPO2;
using nrdata::IDS_PARAM_FSPO2;
using nrdata::IDS_PARAM_NIBP;
using nrdata::IDS_PARAM_TEMP;
using nrdata::IDS_PARAM_FHR1;
using nrdata::IDS_PARAM_FHR2;
using nrdata::IDS_PARAM_UC;
using nrdata::IDS_PARAM_IUP;

// ---- client manager, alarm and bed-window texts --------------------------------------------
constexpr UINT IDS_NO_MORE_CLIENT = 11000;
constexpr UINT IDS_NETWORK_ALARM = 11001;
constexpr UINT IDS_FAIL_CREATE_COMPONENT = 11002;
constexpr UINT IDS_CLIENT_WILL_DISCONNECT = 11003;
constexpr UINT IDS_CLIENT_CANT_DISCONNECT = 11004;
constexpr UINT IDS_DEMO_NAME = 11005;
constexpr UINT IDS_REPORT_SPEED = 11006;
using nrdata::IDS_ID;
using nrdata::IDS_NAME;
using nrdata::IDS_RECORD_START;
using nrdata::IDS_CURRENT_DATE;
using nrdata::IDS_SWEEP_SPEED;
constexpr UINT IDS_SAVE_WAVEFORM = 11012;
// ---- broker client ----
constexpr UINT IDS_CONNECTED_AS_LAN_ERROR = 11020;
constexpr UINT IDS_CONNECTED_AS_SERIAL_ERROR = 11021;
// ---- alarm sound ----
constexpr UINT IDS_CANT_PLAY_ALARM_SOUND = 11100;

// Every entry in ascending id order.
std::span<const platform::StringEntry> StringTable();

} // namespace nyraclient
