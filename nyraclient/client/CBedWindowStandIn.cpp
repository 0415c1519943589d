// A bed window's stand-in: a plain child window behind the bed-window calls.
#include "nyraclient/client/CBedWindowStandIn.h"

#include "nrdata/buffer/CSmartBuffer.h"

BOOL CBedWindowStandIn::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    (void)m_bDemo;
    return CreateEx(0, nullptr, "", style, rect, parent, id);
}

void CBedWindowStandIn::PushWave(CSmartBuffer* buffer)
{
    ++m_nWaves;
    if (buffer != nullptr)
        buffer->RemoveRef(1);
}

void CBedWindowStandIn::PushParam(CSmartBuffer* buffer)
{
    ++m_nParams;
    if (buffer != nullptr)
        buffer->RemoveRef(1);
}
