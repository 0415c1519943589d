// The trend store of a bed: adding packets in sequence order, gaps, restarts, trimming and the
// recording limits.
#include "nyraclient/trend/CTrendStore.h"

#include <cstring>
#include <new>
#include <vector>

namespace {

COleDateTime Now()
{
    return COleDateTime::GetCurrentTime();
}

const COleDateTimeSpan kOneHour(0, 1, 0, 0);

// The sequence number of an entry (bytes 1 to 4, little-endian).
UINT StampOf(const CTrendStore::Entry& entry)
{
    const int at = PKParam_v110::kOffTimeStamp;
    return UINT(entry[at]) | UINT(entry[at + 1]) << 8 | UINT(entry[at + 2]) << 16 | UINT(entry[at + 3]) << 24;
}

} // namespace

// A blank entry for a missing second: no value anywhere, no events, no fetal-movement
// detection.
PKParam_v110 CTrendStore::MakeBlankEntry(BYTE key)
{
    PKParam_v110 blank;
    blank.SetKey(key);
    blank.Clear(0xFF);
    blank.SetMarker(0);
    blank.SetStimulator(0);
    for (int i = 0; i < PKParam_v110::kSamples; ++i) {
        blank.SetFMD1(i, 0);
        blank.SetFMD2(i, 0);
    }
    return blank;
}

bool CTrendStore::IsBlankEntry(const BYTE* entry)
{
    PKParam_v110 blank = MakeBlankEntry(entry[PKParam_v110::kSize - 1]);
    Entry copy;
    std::memcpy(copy.data(), entry, copy.size());
    blank.SetTimeStamp(StampOf(copy));
    return std::memcmp(blank.GetPacket(), entry, PKParam_v110::kSize) == 0;
}

// ==== adding =====================================================================================

int CTrendStore::AddTrendData(const BYTE* packet)
{
    WARD_CHECK_UI_THREAD();
    if (packet == nullptr)
        return 1;
    bool cleared = false;
    if (m_bClearRequest) {
        RemoveAllTrendData();
        m_bClearRequest = 0;
        cleared = true;
    }
    PKParam_v110 entry;
    entry.SetPacket(packet, PKParam_v110::kSize, 0);
    const UINT stamp = entry.GetTimeStamp();

    if (GetCountsOfTrendData() == 0) {
        StartStore(stamp, cleared ? m_clearStartTime : Now());
        m_nLastStamp = stamp;
    } else if (stamp == m_nLastStamp) {
        return 1;
    } else if (stamp < m_nLastStamp || stamp - m_nLastStamp - 1 > kMaxGapFill) {
        // The monitor counts from the start again, or its count leapt more than an hour ahead
        // (a clock that jumped): this store ends here, and so does a running recording; the
        // next packet starts both anew. Filling such a leap would bury the recording under
        // blank records and block the user-interface thread while it is written.
        RemoveAllTrendData();
        if (m_owner.IsTrendRecording()) {
            m_owner.StopTrendRecording();
            m_owner.MarkRecordInterrupted();
        }
        m_owner.OnTrendJumpedBack();
        return 0;
    } else {
        const UINT firstMissing = m_nLastStamp + 1;
        const UINT gap = stamp - firstMissing;
        m_nLastStamp = stamp;
        if (gap > 0) {
            const PKParam_v110 blank = MakeBlankEntry(entry.GetKey());
            const int recording = m_owner.IsTrendRecording();
            const UINT count = GetCountsOfTrendData();
            // While recording, no more blanks than the 72-hour limit leaves room for.
            const UINT room = recording ? (count < kMaxRecording ? kMaxRecording - count : 0) : gap;
            if (gap <= room) {
                if (recording)
                    m_nSignalLoss += gap;
                AppendBlanks(blank, firstMissing, gap);
            } else {
                // The recording fills up to its limit; then the limit rule ends it and this
                // packet starts the next store.
                m_nSignalLoss += room;
                AppendBlanks(blank, firstMissing, room);
                m_owner.StopTrendRecording();
                RemoveAllTrendData();
                m_owner.MarkRecordInterrupted();
                StartStore(stamp, Now());
            }
        }
    }
    Append(entry.GetPacket());
    Trim();
    return 1;
}

void CTrendStore::StartStore(UINT stamp, const COleDateTime& startTime)
{
    {
        std::lock_guard lock(m_lock);
        m_startTime = startTime;
        m_nStartStamp = stamp;
    }
    m_nSignalLoss = 0;
    m_owner.OnTrendStarted();
}

void CTrendStore::AppendBlanks(PKParam_v110 blank, UINT firstStamp, UINT count)
{
    for (UINT i = 0; i < count; ++i) {
        blank.SetTimeStamp(firstStamp + i);
        Append(blank.GetPacket());
    }
}

void CTrendStore::Append(const BYTE* entry)
{
    // Only this thread changes the chunks, so the need for a new one is known without the
    // lock, and the chunk is allocated outside it.
    std::unique_ptr<Chunk> fresh;
    if (m_nHead + m_nCount.load() == m_chunks.size() * kChunkEntries) {
        fresh.reset(new (std::nothrow) Chunk);
        if (!fresh)
            return;
    }
    {
        std::lock_guard lock(m_lock);
        if (fresh)
            m_chunks.push_back(std::move(fresh));
        const UINT at = m_nHead + m_nCount.load();
        std::memcpy((*m_chunks[at / kChunkEntries])[at % kChunkEntries].data(), entry, PKParam_v110::kSize);
        m_nCount.store(m_nCount.load() + 1);
    }
    m_owner.OnTrendEntry(entry, PKParam_v110::kSize);
}

// ==== trimming and the recording limits ==========================================================

void CTrendStore::Trim()
{
    if (m_owner.IsTrendReviewMode() || m_bLockTrend.load())
        return;
    if (!m_owner.IsTrendRecording()) {
        const UINT count = GetCountsOfTrendData();
        if (count >= kKeepNotRecording) {
            DropOldest(count - kKeepNotRecording);
            std::lock_guard lock(m_lock);
            m_startTime = Now() - kOneHour;
            m_nStartStamp = StampOf(At(0));
        }
        return;
    }
    ApplyRecordingLimits();
}

void CTrendStore::ApplyRecordingLimits()
{
    if (GetCountsOfTrendData() >= kMaxRecording) {
        m_owner.StopTrendRecording();
        RemoveAllTrendData();
        m_owner.MarkRecordInterrupted();
    }
    const int limit = m_owner.GetRecordLimitMinutes();
    if (limit > 0 && m_owner.IsTrendRecording() && GetCountsOfTrendData() >= UINT(limit) * kEntriesPerMinute)
        m_owner.StopTrendRecording();
}

void CTrendStore::DropOldest(UINT count)
{
    Chunks spent;
    {
        std::lock_guard lock(m_lock);
        m_nHead += count;
        m_nCount.store(m_nCount.load() - count);
        while (m_nHead >= kChunkEntries) {
            spent.push_back(std::move(m_chunks.front()));
            m_chunks.pop_front();
            m_nHead -= kChunkEntries;
        }
    }
    // `spent` is freed here, outside the lock.
}

void CTrendStore::RemoveAllTrendData()
{
    WARD_CHECK_UI_THREAD();
    Chunks spent;
    {
        std::lock_guard lock(m_lock);
        spent.swap(m_chunks);
        m_nHead = 0;
        m_nCount.store(0);
    }
    // Freed here, outside the lock: readers only ever held copies.
}

// ==== reading ====================================================================================

const CTrendStore::Entry& CTrendStore::At(UINT index) const
{
    WARD_CHECK(m_lock.IsHeldByThisThread());
    const UINT at = m_nHead + index;
    return (*m_chunks[at / kChunkEntries])[at % kChunkEntries];
}

BOOL CTrendStore::CopyTrendDataAtIndex(UINT index, BYTE* out) const
{
    if (out == nullptr)
        return FALSE;
    std::lock_guard lock(m_lock);
    if (index >= m_nCount.load())
        return FALSE;
    std::memcpy(out, At(index).data(), PKParam_v110::kSize);
    return TRUE;
}

BOOL CTrendStore::CopyTrendDataAtIndex(UINT index, PKParam_v110& out) const
{
    Entry entry;
    if (!CopyTrendDataAtIndex(index, entry.data()))
        return FALSE;
    out.SetPacket(entry.data(), PKParam_v110::kSize, 0);
    return TRUE;
}

COleDateTime CTrendStore::GetStartTimeOfTrend() const
{
    std::lock_guard lock(m_lock);
    return m_startTime;
}

UINT CTrendStore::GetStartStampOfTrend() const
{
    std::lock_guard lock(m_lock);
    return m_nStartStamp;
}

UINT CTrendStore::GetLastStampOfTrend() const
{
    return m_nLastStamp;
}
