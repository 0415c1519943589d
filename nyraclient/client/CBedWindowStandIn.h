// CBedWindowStandIn: a plain child window that stands where a bed window goes, with the calls
// the client makes on a bed window. It draws nothing and keeps no drawing threads; a buffer
// handed to it is released at once. It counts the calls, so that the client's feeding of its
// bed windows can be checked.
#pragma once

#include "platform/msg/Wnd.h"

class CSmartBuffer;
class NyraClientInfo;

class CBedWindowStandIn : public CWnd
{
public:
    CBedWindowStandIn(NyraClientInfo* client, int bDemo) : m_pClient(client), m_bDemo(bDemo) {}

    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    void RedrawControl() { ++m_nRedraw; }
    void UpdateCaption(int, int) { ++m_nCaption; }
    void UpdateParameter() { ++m_nParameter; }
    void ResetIconStatus() { ++m_nIconReset; }
    // Takes over one reference of the buffer.
    void PushWave(CSmartBuffer* buffer);
    void PushParam(CSmartBuffer* buffer);
    void SetEnlargeMode(int bEnlarge) { m_bEnlarge = bEnlarge; }
    void SetDisplayMode(int mode) { m_nDisplayMode = mode; }

    NyraClientInfo* GetClient() const { return m_pClient; }

    int m_nRedraw { 0 };
    int m_nCaption { 0 };
    int m_nParameter { 0 };
    int m_nIconReset { 0 };
    int m_nWaves { 0 };
    int m_nParams { 0 };
    int m_bEnlarge { 0 };
    int m_nDisplayMode { 0 };

private:
    NyraClientInfo* m_pClient;
    int m_bDemo;
};

// The bed window class the client creates; the real bed window takes this place.
using BedWindow = CBedWindowStandIn;
