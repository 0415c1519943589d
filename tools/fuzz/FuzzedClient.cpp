// The client of the stream targets.
#include "FuzzedClient.h"

#include "nyraclient/trend/CTrendStore.h"

#include "nrdata/packet/PKMonitor_v110.h"

namespace fuzz {

FuzzedClient::FuzzedClient()
{
    UseHeadlessHost();
    m_client = std::make_unique<NyraClientInfo>(nullptr, 0, 1);
    m_client->SetKey(kKey);
    PKMonitor_v110 monitor;
    monitor.SetKey(kKey);
    monitor.SetMonitorNumber(1);
    monitor.SetDisplayMode(3);
    m_client->Receive_Monitor(monitor.GetPacket(), monitor.GetPacketSize());
    Require(m_client->IsMonitorAccepted() == 1, "the monitor is accepted");
}

FuzzedClient::~FuzzedClient() = default;

void FuzzedClient::CheckAfterStream(int longestWait)
{
    Require(m_client->GetTailCount() >= 0 && m_client->GetTailCount() < longestWait,
            "the tail is shorter than what it waits for");
    Require(m_client->GetCountsOfTrendData() <= CTrendStore::kKeepNotRecording,
            "the trend store keeps at most an hour while not recording");
}

} // namespace fuzz
