// The client library's run log: one text file per start of the central station in the "Log"
// folder beside the program, each line prefixed with the local time. The library records
// there when monitors connect, disconnect, reconnect and time out.
//
// The object is constructed before the library's start-up runs and destroyed after its
// shut-down; the start-up opens it on the file of this start (NyraClientStartup.h).
#pragma once

#include "ktutil/KTLogFile.h"
#include "platform/core/Types.h"

// Written with RunLog.Log(...) from every part of the library; safe from any thread.
extern KTLogFile RunLog;

namespace nyraclient::runlog {

// ---- the lines of the run log, spacing included (the "%d" fields are decimal) ---------------
inline constexpr char kFirstLine[] = "*";
inline constexpr char kStartBanner[] = "****   Nyra II Central Start   ****";
inline constexpr char kEndBanner[] = "****   Nyra II Central End     ****";
inline constexpr char kConnected[] = "[ CONNECTED ]";
inline constexpr char kDisconnected[] = "[ DISCONNECTED ]";
inline constexpr char kPeerAddress[] = "IP   : %d:%d:%d:%d";
inline constexpr char kComPort[] = "COM  : %d";
inline constexpr char kSerialPort[] = "Serial Port  : %d";
inline constexpr char kKey[] = "KEY  : %d";
inline constexpr char kReconnectedLan[] = "[ RECONNECTED - Not TimeOut] - %d:%d:%d:%d";
inline constexpr char kReconnectedLanAfterTimeOut[] = "[ RECONNECTED - TimeOut] - %d:%d:%d:%d";
inline constexpr char kReconnectedSerial[] = "[ RECONNECTED - Not TimeOut] - Com%d";
inline constexpr char kReconnectedSerialAfterTimeOut[] = "[ RECONNECTED - TimeOut] - Com%d";
inline constexpr char kNotCompleteLan[] = "[ Disconnected - Not Complete ] - %d:%d:%d:%d";
inline constexpr char kNotCompleteSerial[] = "[ Disconnected - Not Complete ] - COM%d";
inline constexpr char kTimeOutSerialStart[] = "[ TimeOut():m_pSerial:Start ] - COM%d";
inline constexpr char kTimeOutSerialEnd[] = "[ TimeOut():m_pSerial:End ] - COM%d";

// ---- entries of several lines ----------------------------------------------------------------
// "[ CONNECTED ]", "IP   : a:b:c:d", "KEY  : k" for a network bed.
void LogConnected(KTLogFile& log, const BYTE peer[4], int key);
// "[ CONNECTED ]", "COM  : p", "KEY  : k" for a serial bed.
void LogConnectedSerial(KTLogFile& log, int comPort, int key);
// "[ DISCONNECTED ]", then "IP   : a:b:c:d" when any byte of the peer address is nonzero, else
// "Serial Port  : p", then "KEY  : k".
void LogDisconnected(KTLogFile& log, const BYTE peer[4], int comPort, int key);

} // namespace nyraclient::runlog
