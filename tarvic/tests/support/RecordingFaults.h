// What the recording tests of the station share: the run log in a file of the test's, a disk that
// fills up, and recording files as a station leaves them when it is killed.
#pragma once

#include "nrdata/record/RecordFileFormat.h"
#include "nyraclient/startup/NyraRunLog.h"
#include "tools/monitor-sim/MonitorSim.h"

#include "platform/core/FileFault.h"
#include "testkit/TempFolder.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace stationtest {

// The run log written into a file of the test's for the object's life.
class RunLogHere
{
public:
    explicit RunLogHere(std::string path) : m_path(std::move(path)), m_before(RunLog.GetLogFile())
    {
        RunLog.SetLogFile(m_path.c_str());
        RunLog.Log("*"); // the entry that creates the file is not written
    }
    ~RunLogHere() { RunLog.SetLogFile(m_before); }
    RunLogHere(const RunLogHere&) = delete;
    RunLogHere& operator=(const RunLogHere&) = delete;
    std::string Text() const { return testkit::ReadText(m_path); }

private:
    std::string m_path;
    CString m_before;
};

// A disk that is full from the `nth` write to a file whose path holds `pathPart` on, for the
// object's life.
class DiskFull
{
public:
    DiskFull(unsigned nth, const char* pathPart)
    {
        platform::SetFileWriteFault(
            platform::FileWriteFault{platform::FileWriteFault::Action::Fail, ENOSPC, nth, pathPart});
    }
    ~DiskFull() { platform::SetFileWriteFault(std::nullopt); }
    DiskFull(const DiskFull&) = delete;
    DiskFull& operator=(const DiskFull&) = delete;
};

// How often `part` stands in `text`.
inline int Count(const std::string& text, const std::string& part)
{
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// A recording as its file holds it: the head (started at `start`, no wave snapshot) and one
// record per second from the simulated monitor.
struct RecordingBytes
{
    std::vector<BYTE> head;
    std::vector<monitorsim::Bytes> records;

    RecordingBytes(const COleDateTime& start, int seconds)
    {
        monitorsim::MonitorSim monitor;
        monitor.LoadTrace(monitorsim::SampleTracePath());
        const monitorsim::Bytes monitorPacket = monitor.MonitorPacket(),
                                patientPacket = monitor.PatientPacket();
        const auto block1 = nrdata::record::MakeHeaderBlock1(start, monitorPacket.data());
        const auto block2 = nrdata::record::MakeHeaderBlock2(patientPacket.data());
        head.assign(nrdata::record::kHeadSize, 0);
        std::copy(block1.begin(), block1.end(), head.begin());
        std::copy(block2.begin(), block2.end(), head.begin() + nrdata::record::kHeaderBlockSize);
        for (int i = 0; i < seconds; ++i)
            records.push_back(monitor.ParamPacket());
    }

    // The head and the first `count` records.
    std::vector<BYTE> File(size_t count) const
    {
        std::vector<BYTE> bytes = head;
        for (size_t i = 0; i < count && i < records.size(); ++i)
            bytes.insert(bytes.end(), records[i].begin(), records[i].end());
        return bytes;
    }
};

inline void WriteBytes(const std::string& path, const std::vector<BYTE>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

inline std::vector<BYTE> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<BYTE>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace stationtest
