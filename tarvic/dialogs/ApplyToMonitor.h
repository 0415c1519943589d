// Sending a bed's edited settings packet to its monitor and waiting for the acknowledgement.
//
// The procedure asks the page's question, sends the packet through the client (which marks the
// acknowledgement as awaited), shows the wait box over the page and waits up to 5000 ms on the
// station's clock, dispatching one message at a time so that the bed's socket can deliver the
// monitor's answer. A demo bed acknowledges at once; a link that is down fails at once; a NAK
// does not end the wait. On success the packet becomes the client's stored packet and a copy
// is queued for viewing stations; on failure the user is told and the stored packet stays.
//
// Because the wait dispatches messages, the bed may disconnect and be removed meanwhile: the
// wait then ends as a failure the moment `gone` says so, and the client is not touched again.
// Only one wait runs at a time: an Apply pressed while one runs is ignored.
#pragma once

#include "tarvic/dialogs/CClientPage.h"

#include "nrdata/packet/PKAlarm_v110.h"
#include "nrdata/packet/PKMonitor_v110.h"

class NyraClientInfo;

namespace tarvic::bed {

enum class ApplyResult
{
    Applied,  // acknowledged and stored
    Failed,   // not acknowledged (link down, time-out, bed gone): the user was told
    Declined, // the user answered No to the question
    Busy,     // another wait was running: nothing asked, nothing sent
};

// The longest wait for the monitor's acknowledgement.
constexpr DWORD kApplyWaitMs = 5000;

ApplyResult ApplyToMonitor(CWnd& page, NyraClientInfo& client, const ClientGone& gone, const PKAlarm_v110& packet);
ApplyResult ApplyToMonitor(CWnd& page, NyraClientInfo& client, const ClientGone& gone, const PKMonitor_v110& packet);

// True while a page waits for an acknowledgement.
bool IsApplyWaiting();

// The station acknowledges a packet of `kind` itself, as if the bed's monitor had: a demo bed,
// and an admission on a bed whose link is up.
void AcknowledgeLocally(NyraClientInfo& client, BYTE kind);

} // namespace tarvic::bed
