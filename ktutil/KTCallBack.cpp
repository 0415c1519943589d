// KTCallBack: hands a progress record to a window or a function.
#include "ktutil/KTCallBack.h"

#include "ktutil/KTUtilPlatform.h"

void KTCallBack::UseFunctionCB(KTNotifyProc function, LONG userValue)
{
    m_function = function;
    m_userValue = userValue;
    m_mode = FunctionMode;
}

void KTCallBack::UseMessageCB(HWND window, UINT message, LONG userValue)
{
    m_window = window;
    m_message = message;
    m_userValue = userValue;
    m_mode = MessageMode;
}

LONG KTCallBack::CallBack(__KTNotify* notify)
{
    if (m_mode == MessageMode) {
        if (!m_window)
            return 0;
        return static_cast<LONG>(ktutil::SendToWindow(m_window, m_message, reinterpret_cast<WPARAM>(notify),
                                                      static_cast<LPARAM>(m_userValue)));
    }
    if (!m_function)
        return 0;
    return m_function(notify, m_userValue);
}
