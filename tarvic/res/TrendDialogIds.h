// Resource ids of the trend dialogs and texts: the trend visibility dialog, the printed trend's
// cover page and headers, and the capture of a bed's trend image. Their texts and the
// visibility dialog's template are in TrendDialogResources.cpp; the trend print dialog is the
// shared one of appcommon/.
#pragma once

#include "platform/core/Types.h"

namespace tarvic::trend {

// ---- dialogs -------------------------------------------------------------------------------------
constexpr UINT IDD_TREND_VISIBLE = 211;

// ---- strings ---------------------------------------------------------------------------------------
// From the data library's table.
constexpr UINT IDS_GA = 10173;
constexpr UINT IDS_LENGTH = 10175;
// From the monitor client library's table.
constexpr UINT IDS_RECORD_START = 11009;
// The station's own.
constexpr UINT IDS_MARKER = 12101;
constexpr UINT IDS_STIMULATOR = 12102;
constexpr UINT IDS_TREND_VISIBLE_CAPTION = 12138;
constexpr UINT IDS_PARAMETER = 12139;
constexpr UINT IDS_CANNOT_RUN_EMR = 12181;
constexpr UINT IDS_JPG_NOT_CREATED = 12182;
constexpr UINT IDS_FILE_SAVED = 12183;
constexpr UINT IDS_LOSS_OF_SIGNAL = 12188;
constexpr UINT IDS_PRINTED_INTERVAL = 12190;
constexpr UINT IDS_WEEKS = 12191;
constexpr UINT IDS_SHOW_WAVEFORM = 12198;
constexpr UINT IDS_RECORD_INFORMATION = 13008;

} // namespace tarvic::trend
