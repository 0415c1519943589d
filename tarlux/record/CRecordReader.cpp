// Reading a recording file into memory.
#include "tarlux/record/CRecordReader.h"

#include "tarlux/app/ReviewGlobals.h"

#include "nrdata/config/NyraConfig.h"
#include "nrdata/constmap/NRConstMap.h"
#include "nrdata/packet/PKParam_v110.h"

#include "platform/core/File.h"

#include <algorithm>
#include <array>
#include <utility>

namespace tarlux {
namespace {

using namespace nrdata::record;

constexpr BYTE kReadableVersion[] = { 1, 0, 0 };
constexpr std::size_t kOffVersionNumbers = kOffVersion + 1; // after the 'V'

// Reads up to `count` bytes; the number really read (0 on a read error).
ULONGLONG ReadUpTo(CFile& file, BYTE* buffer, ULONGLONG count)
{
    ULONGLONG done = 0;
    try {
        while (done < count) {
            const UINT chunk = static_cast<UINT>(std::min<ULONGLONG>(count - done, 1u << 30));
            const UINT got = file.Read(buffer + done, chunk);
            done += got;
            if (got < chunk)
                break; // the end of the file
        }
    } catch (CFileException* e) {
        e->Delete();
    }
    return done;
}

// Reads one header block whole; false when the file ends or fails first.
bool ReadBlock(CFile& file, HeaderBlock& block)
{
    return ReadUpTo(file, block.data(), block.size()) == block.size();
}

bool IsReadableVersion(const HeaderBlock& block1)
{
    return std::equal(std::begin(kReadableVersion), std::end(kReadableVersion), block1.begin() + kOffVersionNumbers);
}

// Fills `buffer` (room for `count` items of `size` bytes) from the file: the number of whole
// items read. Only those are ever counted, so no byte that was not read is handed out.
int ReadItems(CFile& file, BYTE* buffer, ULONGLONG count, std::size_t size)
{
    if (buffer == nullptr)
        return 0;
    return static_cast<int>(ReadUpTo(file, buffer, count * size) / size);
}

} // namespace

int CRecordReader::Load(LPCTSTR path)
{
    // The records' memory stays for the next file: a fresh mapping of up to 28 MB costs more to
    // fault in than the read itself takes. Only the records this file gave are ever handed out.
    platform::LargeBuffer kept = std::move(m_records);
    Reset();
    m_records = std::move(kept);
    CFile file;
    if (path == nullptr || !file.Open(path, CFile::modeRead | CFile::typeBinary))
        return 0;
    const ULONGLONG length = file.GetLength();

    // The file is read front to back in one pass; each part is read only when the length
    // holds it whole, and kept only when the read returned it whole.
    bool headerRead = false;
    if (length >= kHeaderBlockSize && ReadBlock(file, m_block1)) {
        headerRead = true;
        m_monitor.SetPacket(m_block1.data() + kOffMonitorPacket, kMonitorPacketSize, 0);
    } else {
        m_block1.fill(0);
    }
    if (headerRead && length >= 2 * kHeaderBlockSize && ReadBlock(file, m_block2))
        m_patient.SetPacket(m_block2.data() + kOffPatientPacket, kPatientPacketSize, 0);
    else
        m_block2.fill(0);

    const bool bodyReadable = headerRead && length >= kHeadSize && IsReadableVersion(m_block1);
    if (bodyReadable && file.GetPosition() == kWaveOffset) {
        m_waves = std::make_unique_for_overwrite<BYTE[]>(kWaveAreaSize);
        m_nWaves = ReadItems(file, m_waves.get(), kWavePacketCount, kWavePacketSize);
        const ULONGLONG records = std::min(RecordCountOf(length), kMaxRecords);
        if (m_nWaves == static_cast<int>(kWavePacketCount) && records > 0) {
            const std::size_t bytes = static_cast<std::size_t>(records) * kRecordSize;
            if (m_records.Size() < bytes) {
                m_records.Reset();
                m_records = platform::LargeBuffer(bytes);
            }
            if (m_records.Size() >= bytes)
                m_nRecords = ReadItems(file, m_records.Data(), records, kRecordSize);
        }
    }
    file.Abort();
    m_bLoaded = 1;
    return 1;
}

void CRecordReader::Reset()
{
    m_block1.fill(0);
    m_block2.fill(0);
    m_monitor = PKMonitor_v110();
    m_patient = PKPatient_v110();
    m_waves.reset();
    m_nWaves = 0;
    m_records.Reset();
    m_nRecords = 0;
    m_bLoaded = 0;
}

const BYTE* CRecordReader::GetRecord(int index) const
{
    if (index < 0 || index >= m_nRecords)
        return nullptr;
    return m_records.Data() + static_cast<std::size_t>(index) * kRecordSize;
}

const BYTE* CRecordReader::GetWave(int index) const
{
    if (index < 0 || index >= m_nWaves)
        return nullptr;
    return m_waves.get() + static_cast<std::size_t>(index) * kWavePacketSize;
}

CString CRecordReader::GetECGLead1Text() const { return NRConstMap::GetECGLeadText(m_block1[kOffECGLead1]); }

CString CRecordReader::GetECGLead2Text() const { return NRConstMap::GetECGLeadText(m_block1[kOffECGLead2]); }

COleDateTime CRecordReader::GetSnapshotTime() const
{
    const int year = m_block1[kOffWaveTime] | m_block1[kOffWaveTime + 1] << 8;
    return COleDateTime(year, m_block1[kOffWaveTime + 2], m_block1[kOffWaveTime + 3], m_block1[kOffWaveTime + 4],
                        m_block1[kOffWaveTime + 5], m_block1[kOffWaveTime + 6]);
}

int CRecordReader::IsParamVisible(int kind) const
{
    if (kind < ParamKind::ECG || kind > ParamKind::FM2)
        return 0;
    return ReviewConfig().IsVisible(kind) ? 1 : 0;
}

int CRecordReader::HasValidData(int kind, int first, int count) const
{
    if (!IsParamVisible(kind) || count <= 0)
        return 0;
    const int begin = std::max(first, 0);
    const int end = static_cast<int>(std::min<long long>(static_cast<long long>(first) + count, m_nRecords));
    PKParam_v110 record;
    for (int index = begin; index < end; ++index) {
        record.SetPacket(GetRecord(index), static_cast<int>(kRecordSize), 0);
        for (int sample = 0; sample < PKParam_v110::kSamples; ++sample)
            if (record.IsValidData(kind, sample))
                return 1;
    }
    return 0;
}

} // namespace tarlux
