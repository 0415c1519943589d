// The system's look parameters that a program asks for by name (SystemParametersInfo): the
// sizes and fonts of the non-client parts of windows. Like the system colours they come from
// one fixed table, the classic light look, so that layouts and pixel tests are the same on
// every machine.
#pragma once

#include "platform/gdi/GdiTypes.h"

constexpr UINT SPI_GETNONCLIENTMETRICS = 0x0029;

struct NONCLIENTMETRICS
{
    UINT cbSize { sizeof(NONCLIENTMETRICS) };
    int iBorderWidth { 0 };
    int iScrollWidth { 0 };
    int iScrollHeight { 0 };
    int iCaptionWidth { 0 };
    int iCaptionHeight { 0 };
    LOGFONT lfCaptionFont;
    int iSmCaptionWidth { 0 };
    int iSmCaptionHeight { 0 };
    LOGFONT lfSmCaptionFont;
    int iMenuWidth { 0 };
    int iMenuHeight { 0 };
    LOGFONT lfMenuFont;
    LOGFONT lfStatusFont;
    LOGFONT lfMessageFont;
};

// Fills `pvParam` for the action; FALSE for an action the table does not hold and for a
// structure whose cbSize is not its own size (the classic guard against a caller built for
// another layout).
BOOL SystemParametersInfo(UINT uiAction, UINT uiParam, void* pvParam, UINT fWinIni);
