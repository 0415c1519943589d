// Resource ids of the trend dialogs and texts: the trend visibility dialog, the printed trend's
// cover page and headers, and the capture of a bed's trend image. Their texts and the
// visibility dialog's template are in TrendDialogResources.cpp; the trend print dialog is the
// shared one of appcommon/.
#pragma once

#include "appcommon/StationStrings.h"
#include "nrdata/res/NRDataStrings.h"

#include "platform/core/Types.h"

namespace tarvic::trend {

// ---- dialogs -------------------------------------------------------------------------------------
constexpr UINT IDD_TREND_VISIBLE = 211;

// ---- strings ---------------------------------------------------------------------------------------
// From the data library's table.
using nrdata::IDS_GA;
using nrdata::IDS_LENGTH;
using nrdata::IDS_RECORD_START;
// From the table both stations share.
using appcommon::IDS_MARKER;
using appcommon::IDS_STIMULATOR;
using appcommon::IDS_TREND_VISIBLE_SETTING;
using appcommon::IDS_JPG_NOT_CREATED;
using appcommon::IDS_FILE_SAVED;
using appcommon::IDS_LOSS_OF_SIGNAL;
using appcommon::IDS_PRINTED_INTERVAL;
using appcommon::IDS_WEEKS;
// The station's own.
constexpr UINT IDS_PARAMETER = 12139;
constexpr UINT IDS_CANNOT_RUN_EMR = 12181;
constexpr UINT IDS_SHOW_WAVEFORM = 12198;
// The printed cover page's title line ("%s %s %s": product, version, print time) and bottom line.
constexpr UINT IDS_COVER_PRODUCT = 12410;
constexpr UINT IDS_COVER_VERSION = 12411;
constexpr UINT IDS_COVER_FOOTER = 12412;
using appcommon::IDS_RECORD_INFORMATION;

} // namespace tarvic::trend
