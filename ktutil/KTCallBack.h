// KTCallBack: the progress target of the long file operations (and of the zip and FTP
// classes). An operation fills a KTNotifyProgress, wraps it in a __KTNotify with its notify
// code and calls CallBack before each step; an answer of 1 asks it to cancel.
//
// The target is either a window, which receives the record's address synchronously as the
// first message parameter and the user value as the second (message mode), or a function
// (function mode). The record belongs to the operation and is rewritten before each call: a
// target reads it during the call and never keeps its address.
#pragma once

#include "platform/core/CString.h"
#include "platform/core/Types.h"

// Notify codes.
constexpr LONG KTNOTIFY_DELETE = 3;
constexpr LONG KTNOTIFY_MOVE = 4;
constexpr LONG KTNOTIFY_COPY = 5;

// The answer that asks an operation to stop.
constexpr LONG KTCALLBACK_CANCEL = 1;

struct KTNotifyProgress
{
    LONG nFileCount { 0 };       // files the operation will handle
    LONGLONG nTotalSize { 0 };   // bytes of all files (0 for deletions)
    LONGLONG nTotalDone { 0 };   // bytes handled so far
    LONG nTotalPercent { 0 };    // overall percent
    CString strFileName;         // full path of the current source file
    LONG nFileNumber { 0 };      // 1-based number of the current file
    DWORD nFileSize { 0 };       // size of the current file
    DWORD nFileDone { 0 };       // bytes of the current file handled so far
    LONG nFilePercent { 0 };     // percent of the current file
};

struct __KTNotify
{
    LONG nCode { 0 };                      // KTNOTIFY_DELETE, KTNOTIFY_MOVE or KTNOTIFY_COPY
    KTNotifyProgress* pProgress { nullptr };
};

using KTNotifyProc = LONG (*)(__KTNotify* notify, LONG userValue);

class KTCallBack
{
public:
    // No target; message mode.
    KTCallBack() = default;
    KTCallBack(KTNotifyProc function, LONG userValue) { UseFunctionCB(function, userValue); }
    KTCallBack(HWND window, UINT message, LONG userValue) { UseMessageCB(window, message, userValue); }
    KTCallBack(const KTCallBack&) = default;
    KTCallBack& operator=(const KTCallBack&) = default;
    virtual ~KTCallBack() = default;

    void UseFunctionCB(KTNotifyProc function, LONG userValue);
    void UseMessageCB(HWND window, UINT message, LONG userValue);

    // Sends the record to the target and returns its answer; 0 without a target.
    LONG CallBack(__KTNotify* notify);

    enum Mode : LONG { FunctionMode = 0, MessageMode = 1 };

private:
    KTNotifyProc m_function { nullptr };
    HWND m_window { nullptr };
    UINT m_message { 0 };
    LONG m_userValue { 0 };
    LONG m_mode { MessageMode };
};
