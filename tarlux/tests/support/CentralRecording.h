// A recording written the way the central station writes one, with its own file code
// (nyraclient's CRecordFile): the working ".TMP" held open and locked while it grows, the
// committed ".FMF" brought up to date. Only tests that link NyraClient include this.
#pragma once

#include "support/ReviewStation.h"

#include "nyraclient/record/CRecordFile.h"

#include "nrdata/packet/PKMonitor_v110.h"
#include "nrdata/packet/PKPatient_v110.h"
#include "nrdata/record/RecordFilePath.h"
#include "nrdata/record/RecordFileFormat.h"

#include "ktutil/KTGF.h"

#include <gtest/gtest.h>

#include <memory>

namespace reviewtest {

struct CentralHeader
{
    COleDateTime start { 2024, 3, 5, 8, 0, 0 };
    BYTE displayMode { 2 }; // the monitor's own: 1 Antepartum, 2 Mother / Fetal, ...
    const char* patientId { "P_1" };
    const char* lastName { "Kim" };
    const char* firstName { "Minji" };
};

// Writes a study's recording into "<dataPath>/Records": the header, a wave snapshot when given
// (250 packets, their time and leads), the records, and the ".FMF" brought up to date. The
// ".TMP" stays open (and locked) in the returned file until it is destroyed; the caller may
// Close() it to end the recording as the station does.
inline std::unique_ptr<nyraclient::record::CRecordFile>
WriteCentralRecording(const CString& dataPath, const char* studyId, const CentralHeader& header,
                      const std::vector<PKParam_v110>& records, const std::vector<BYTE>* waves = nullptr)
{
    PKMonitor_v110 monitor;
    monitor.SetDisplayMode(header.displayMode);
    monitor.SetECGLead(2);
    PKPatient_v110 patient;
    patient.SetPatientId(header.patientId);
    patient.SetLastName(header.lastName);
    patient.SetFirstName(header.firstName);
    const CString folder = nrdata::record::RecordsFolderOf(dataPath);
    KTGF::CreateDir(folder);
    auto file = std::make_unique<nyraclient::record::CRecordFile>();
    const CString path = nrdata::record::RecordFilePathOf(dataPath, header.patientId, studyId,
                                                          nrdata::record::kWorkingExtension);
    EXPECT_TRUE(file->Create(path, nrdata::record::MakeHeaderBlock1(header.start, monitor.GetPacket()),
                             nrdata::record::MakeHeaderBlock2(patient.GetPacket())));
    if (waves) {
        EXPECT_TRUE(file->WriteSnapshot(waves->data(), header.start, 2, 3));
    }
    for (const PKParam_v110& record : records)
        EXPECT_TRUE(file->AppendRecord(record.GetPacket()));
    EXPECT_TRUE(file->UpdateFMF());
    return file;
}

} // namespace reviewtest
