// CTrendStore: a bed's trend, one 108-byte parameter record per second of the monitor's
// packet sequence, oldest first. Gaps of up to an hour are filled with blank entries (counted
// as signal loss while recording); a backward jump, or a forward jump of more than an hour,
// starts the store anew; the store keeps the last hour when not recording and up to 72 hours
// while recording.
//
// The store knows nothing of the client around it: what it needs from the bed (is it
// recording, stop the recording, the file writer, the bed windows' review mode, the settings'
// record limit, the alarms) it asks through CTrendStoreOwner.
//
// Threads: AddTrendData and RemoveAllTrendData run on the user-interface thread. Readers on
// other threads (painters, the renderer) take copies of entries under the trend-store lock, so
// no reader ever holds memory that trimming or emptying frees. The lock is held only while the
// entries change or are copied, never while they are freed, and never together with the
// owner's recording-state lock (the owner's calls are made without it).
#pragma once

#include "nrdata/packet/PKParam_v110.h"

#include "platform/core/Check.h"
#include "platform/core/CheckedMutex.h"
#include "platform/core/OleDateTime.h"
#include "platform/core/Types.h"

#include <array>
#include <atomic>
#include <deque>
#include <memory>
#include <mutex>

// What the trend store asks of the bed it belongs to. Every call comes from AddTrendData.
class CTrendStoreOwner
{
public:
    virtual ~CTrendStoreOwner() = default;
    virtual int IsTrendRecording() const = 0;
    // Stops the running recording (the owner marks nothing itself).
    virtual void StopTrendRecording() = 0;
    // Sets the recording-interrupted flag under the recording-state lock.
    virtual void MarkRecordInterrupted() = 0;
    // The first entry of a new store: the bed forgets its last NIBP reading and, when a
    // recording was interrupted and none runs, asks the station to start a new one.
    virtual void OnTrendStarted() = 0;
    // A backward jump of the sequence (the monitor restarted): the bed's alarms are cleared.
    virtual void OnTrendJumpedBack() = 0;
    // Every entry added, in order, for the recording.
    virtual void OnTrendEntry(const BYTE* entry, int len) = 0;
    // 1 while a bed window shows the trend in review mode: no entry may go then.
    virtual int IsTrendReviewMode() const = 0;
    // The settings' "Record Limit" in minutes; 0 for none.
    virtual int GetRecordLimitMinutes() const = 0;
};

class CTrendStore
{
public:
    using Entry = std::array<BYTE, PKParam_v110::kSize>;

    static constexpr UINT kKeepNotRecording = 3600; // one hour
    static constexpr UINT kMaxRecording = 259200;   // 72 hours
    static constexpr UINT kEntriesPerMinute = 60;
    // The most blank entries one packet may add: a gap of up to an hour is filled; a forward
    // jump beyond it is taken as a restart of the monitor's count, like a backward jump.
    static constexpr UINT kMaxGapFill = 3600;

    // The entry that fills a missing second (its time stamp is left at 0), and whether a 108-byte
    // entry is one (signal loss).
    static PKParam_v110 MakeBlankEntry(BYTE key);
    static bool IsBlankEntry(const BYTE* entry);

    explicit CTrendStore(CTrendStoreOwner& owner) : m_owner(owner) {}
    ~CTrendStore() { RemoveAllTrendData(); }
    CTrendStore(const CTrendStore&) = delete;
    CTrendStore& operator=(const CTrendStore&) = delete;

    // Adds one received 108-byte parameter packet: 0 after a backward jump or a forward jump of
    // more than kMaxGapFill missing seconds (the packet is not added; the next one starts a new
    // store), 1 otherwise, also for a repeated sequence number (dropped).
    int AddTrendData(const BYTE* packet);
    // Empties the store; the entries are freed after the lock is released.
    void RemoveAllTrendData();

    UINT GetCountsOfTrendData() const { return m_nCount.load(); }
    // Copies entry `index` (0 = oldest) under the lock: FALSE, with `out` untouched, when the
    // index is not below the count.
    BOOL CopyTrendDataAtIndex(UINT index, BYTE* out) const;
    BOOL CopyTrendDataAtIndex(UINT index, PKParam_v110& out) const;
    COleDateTime GetStartTimeOfTrend() const;
    UINT GetStartStampOfTrend() const;
    UINT GetLastStampOfTrend() const;
    UINT GetSignalLossOfRecored() const { return m_nSignalLoss.load(); }

    // While set, the store is neither trimmed nor held to the recording limits (printing and
    // capture).
    void SetLockTrendDelete(int bLock) { m_bLockTrend.store(bLock); }
    int IsLockTrendDelete() const { return m_bLockTrend.load(); }
    // The next AddTrendData empties the store first, so that a recording starts afresh; the new
    // store starts at `startTime` (the recording's start), so that every page that names the
    // trend's start names the recording's.
    void RequestClear(const COleDateTime& startTime)
    {
        WARD_CHECK_UI_THREAD();
        m_clearStartTime = startTime;
        m_bClearRequest = 1;
    }

private:
    // Entries live in chunks, so that trimming the oldest hour and a 72-hour store both cost
    // no copying: the store is the chunks from m_nHead on.
    static constexpr UINT kChunkEntries = 3600;
    using Chunk = std::array<Entry, kChunkEntries>;
    using Chunks = std::deque<std::unique_ptr<Chunk>>;

    void StartStore(UINT stamp, const COleDateTime& startTime);
    void AppendBlanks(PKParam_v110 blank, UINT firstStamp, UINT count);
    void Append(const BYTE* entry);
    void Trim();
    void DropOldest(UINT count);
    void ApplyRecordingLimits();
    // The entry at `index`; the caller holds the lock.
    const Entry& At(UINT index) const;

    CTrendStoreOwner& m_owner;
    // Trend-store lock: guards the chunks, the head and the count (written under it; the
    // count may be read without it), the start time and the start stamp. Taken alone.
    mutable platform::CheckedMutex m_lock;
    Chunks m_chunks;
    UINT m_nHead{0}; // index of the oldest entry in the first chunk
    std::atomic<UINT> m_nCount{0};
    COleDateTime m_startTime;
    UINT m_nStartStamp{0};
    // Only the user-interface thread touches these.
    UINT m_nLastStamp{0};
    std::atomic<UINT> m_nSignalLoss{0};
    std::atomic<int> m_bLockTrend{0};
    int m_bClearRequest{0};
    COleDateTime m_clearStartTime;
};
