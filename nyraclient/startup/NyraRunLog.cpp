// The entries of several lines that the client manager writes into the run log.
#include "nyraclient/startup/NyraRunLog.h"

namespace nyraclient::runlog {

void LogConnected(KTLogFile& log, const BYTE peer[4], int key)
{
    log.Log(kConnected);
    log.Log(kPeerAddress, peer[0], peer[1], peer[2], peer[3]);
    log.Log(kKey, key);
}

void LogConnectedSerial(KTLogFile& log, int comPort, int key)
{
    log.Log(kConnected);
    log.Log(kComPort, comPort);
    log.Log(kKey, key);
}

void LogDisconnected(KTLogFile& log, const BYTE peer[4], int comPort, int key)
{
    log.Log(kDisconnected);
    if (peer[0] != 0 || peer[1] != 0 || peer[2] != 0 || peer[3] != 0)
        log.Log(kPeerAddress, peer[0], peer[1], peer[2], peer[3]);
    else
        log.Log(kSerialPort, comPort);
    log.Log(kKey, key);
}

} // namespace nyraclient::runlog
