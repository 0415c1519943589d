// CRecordReader: one committed recording file (".FMF") read whole into memory, and the review
// station's questions about it: its two header packets, its wave snapshot, its parameter
// records, the ECG lead texts and the snapshot time, and whether a parameter has valid values
// in a range of records. The program has one, inside the review context; loading a study
// replaces its contents and clearing the study empties it.
//
// Guarantees (the file comes from outside and may be cut short or damaged):
//  - sizes come from the file's length and from what each read really returned: a file cut
//    short or a short read gives the header blocks, wave packets and records that are whole,
//    and never bytes that were not read;
//  - nothing larger than the file is allocated, and no more records than a recording can hold
//    (72 hours) are read;
//  - waves and records are read only from a file of version 1.0.0;
//  - a load replaces everything of the previous file, headers included, so no part of another
//    study's file is ever shown with this one.
#pragma once

#include "nrdata/packet/PKMonitor_v110.h"
#include "nrdata/packet/PKPatient_v110.h"
#include "nrdata/record/RecordFileFormat.h"

#include "platform/core/CString.h"
#include "platform/core/LargeBuffer.h"
#include "platform/core/OleDateTime.h"

#include <memory>

namespace tarlux {

class CRecordReader
{
public:
    CRecordReader() = default;
    CRecordReader(const CRecordReader&) = delete;
    CRecordReader& operator=(const CRecordReader&) = delete;
    virtual ~CRecordReader() = default;

    // Reads the file: 1 when it opens (whatever it holds), 0 when it cannot be opened (the
    // reader is then empty).
    int Load(LPCTSTR path);
    // Empties the reader: no headers, waves or records. The shown range stays.
    void Reset();
    int IsLoaded() const { return m_bLoaded; }

    const PKMonitor_v110& GetMonitorPacket() const { return m_monitor; }
    const PKPatient_v110& GetPatientPacket() const { return m_patient; }

    int GetRecordCount() const { return m_nRecords; }
    // The record's 108 bytes, or null when the index is not below the count.
    const BYTE* GetRecord(int index) const;
    int GetWaveCount() const { return m_nWaves; }
    // The wave packet's 56 bytes, or null when the index is not below the count.
    const BYTE* GetWave(int index) const;

    // The texts of the ECG leads of the snapshot's two ECG waves (empty for an unknown lead).
    CString GetECGLead1Text() const;
    CString GetECGLead2Text() const;
    // The snapshot's time as the header holds it (an invalid date-time without a snapshot).
    COleDateTime GetSnapshotTime() const;

    // The record range of the trend page on screen; the page sets it at every draw, printing and
    // export start from it.
    void SetShownFirst(int index) { m_nShownFirst = index; }
    void SetShownLast(int index) { m_nShownLast = index; }
    int GetShownFirst() const { return m_nShownFirst; }
    int GetShownLast() const { return m_nShownLast; }

    // The settings' trend-visibility flag of parameters 1 to 14; 0 for any other number.
    int IsParamVisible(int kind) const;
    // 1 when the parameter is visible and one of the records first .. first + count - 1 that
    // exist holds a valid sample of it.
    int HasValidData(int kind, int first, int count) const;

private:
    nrdata::record::HeaderBlock m_block1 {};
    nrdata::record::HeaderBlock m_block2 {};
    PKMonitor_v110 m_monitor;
    PKPatient_v110 m_patient;
    std::unique_ptr<BYTE[]> m_waves;
    int m_nWaves { 0 };
    platform::LargeBuffer m_records;
    int m_nRecords { 0 };
    int m_bLoaded { 0 };
    int m_nShownFirst { 0 };
    int m_nShownLast { 0 };
};

} // namespace tarlux
