// The review station's trend drawing: the loaded recording of the review context drawn as one
// page of trend paper in the review style, for the trend page on screen, printed pages and the
// exported picture. The paper's two rectangles come from the one trend rectangle rule
// (nrdata/trend/TrendRect.h); what is drawn is the shared renderer's (TrendGraphRenderer.h).
#pragma once

#include "nrdata/trend/TrendTypes.h"

#include "platform/core/Geometry.h"
#include "platform/core/OleDateTime.h"

class CDC;

namespace tarlux {

// Speed of the review trend: records a page of `columns` grid columns shows (0 for a speed
// other than 1, 2 or 3).
int ReviewPageRecords(UINT columns, int speed);

// Draws the page that starts at record *start and moves *start on by a page, so that a caller
// that pages (printing) calls it again with the same variable. Records from `end` on are not
// drawn (-1: the whole page). `target` is the colour scheme (DRAW_SCREEN, DRAW_PRINT,
// DRAW_IMAGE), `startTime` the recording's start (the study row's S_START_TIME). 1 when it
// drew; 0, with nothing drawn and *start unchanged, without a device context, without a review
// context, or when the rectangles hold no grid column of a pixel.
int DrawTrendGraph(CDC* dc, CRect upper, CRect lower, UINT columns, int* start, int end, int speed, int target,
                   COleDateTime startTime);

} // namespace tarlux
