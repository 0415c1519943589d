// Completing the interrupted recordings at start-up.
#include "tarvic/record/RecordingRecovery.h"

#include "tarvic/app/StationMessages.h"
#include "tarvic/record/StudyRowWriter.h"
#include "tarvic/res/TarvicResourceIds.h"

#include "nyraclient/record/RecordRecovery.h"
#include "nyraclient/startup/NyraRunLog.h"

#include "ktutil/KTGF.h"
#include "ktutilex/KTAdo.h"
#include "nrdata/record/RecordFilePath.h"
#include "nrdata/table/RecordFileStem.h"
#include "nrdata/table/TBLPatient.h"
#include "nrdata/table/TBLStudy.h"

#include "platform/core/Collections.h"

#include <algorithm>
#include <optional>

namespace tarvic {

namespace {

using namespace nyraclient::record;

constexpr char kLogCompleted[] =
    "[ RECORD ] Interrupted recording completed - %s: %llu records, %llu of them added now";
constexpr char kLogKept[] = "[ RECORD ] Interrupted recording kept - %s: %s";
constexpr char kLogInUse[] = "[ RECORD ] Recording still being written elsewhere, left alone - %s";

// "yyyymmddhhmmss", as TBLStudy::SetStartTime makes it.
constexpr int kStudyIdLength = 14;

// What the name of a working file "<patient>_<study id>.TMP" tells.
struct WorkingName
{
    CString stem;        // the name without its extension
    CString patientPart; // the patient id as the file name holds it
    CString studyId;
};

std::optional<WorkingName> ParseWorkingName(const CString& fileName)
{
    const CString extension = nrdata::record::kWorkingExtension;
    const int length = fileName.GetLength() - extension.GetLength();
    if (length < kStudyIdLength + 2 || fileName.Right(extension.GetLength()) != extension)
        return std::nullopt;
    WorkingName name;
    name.stem = fileName.Left(length);
    name.studyId = name.stem.Right(kStudyIdLength);
    name.patientPart = name.stem.Left(length - kStudyIdLength - 1);
    if (name.stem[length - kStudyIdLength - 1] != '_' ||
        !std::all_of(name.studyId.GetString(), name.studyId.GetString() + kStudyIdLength,
                     [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return name;
}

COleDateTime StartOf(const CString& studyId)
{
    const auto number = [&](int from, int count) { return atoi(studyId.Mid(from, count)); };
    return COleDateTime(number(0, 4), number(4, 2), number(6, 2), number(8, 2), number(10, 2), number(12, 2));
}

// The study row whose recording file has this name; none when the recording ended before its
// first commit.
std::optional<TBLStudyRow> FindStudyRow(KTAdo& db, const WorkingName& name)
{
    TBLStudy study(&db);
    study.SetShowErrors(0);
    study.AddCondition(FormatString("S_STUDY_ID='%s'", KTAdo::EscapeString(name.studyId).GetString()));
    std::optional<TBLStudyRow> found;
    const int count = study.CursorOpenCondition();
    for (int i = 0; i < count && !found; ++i) {
        if (study.CursorGet() == 1 && MakeRecordFileStem(study.S_ID, study.S_STUDY_ID) == name.stem)
            found = static_cast<const TBLStudyRow&>(study);
        study.CursorMove();
    }
    study.CursorClose();
    return found;
}

// The patient a file name stands for. A name holds "_" where the id has a character that no
// file name may hold, so an id that is not found as it stands is looked for with "_" as any
// one character; failing that the name's text is taken as the id.
TBLPatientRow FindPatient(KTAdo& db, const CString& patientPart)
{
    TBLPatient patient(&db);
    patient.SetShowErrors(0);
    patient.P_ID = patientPart;
    if (patient.Get() == 1)
        return patient;
    if (patientPart.Find('_') >= 0) {
        TBLPatient candidates(&db);
        candidates.SetShowErrors(0);
        candidates.AddCondition(FormatString("P_ID LIKE '%s'", KTAdo::EscapeString(patientPart).GetString()));
        const int count = candidates.CursorOpenCondition();
        for (int i = 0; i < count; ++i) {
            if (candidates.CursorGet() == 1 && MakeSafeFileNamePart(candidates.P_ID) == patientPart) {
                const TBLPatientRow found = candidates;
                candidates.CursorClose();
                return found;
            }
            candidates.CursorMove();
        }
        candidates.CursorClose();
    }
    TBLPatientRow unknown;
    unknown.P_ID = patientPart;
    return unknown;
}

// The row of a recording that never had one: what a station would have written at its first
// commit, without the doctor and the nurse it no longer knows.
TBLStudyRow NewStudyRow(const TBLPatientRow& patient, const WorkingName& name)
{
    TBLStudy study;
    study.S_ID = patient.P_ID;
    study.S_STUDY_ID = name.studyId;
    study.SetStartTime(StartOf(name.studyId), 0);
    study.S_EDIT_DATE = study.S_START_TIME;
    return study;
}

// "1:02:03" for 3723 records of a second each.
CString DurationText(ULONGLONG records)
{
    const auto seconds = static_cast<unsigned long long>(records);
    return FormatString("%llu:%02llu:%02llu", seconds / 3600, seconds / 60 % 60, seconds % 60);
}

} // namespace

RecordingRecoveryReport CompleteInterruptedRecordings(KTAdo& database, StudyRowWriter& rows,
                                                      LPCTSTR dataFolder)
{
    RecordingRecoveryReport report;
    CStringArray files;
    if (KTGF::GetDirFiles(nrdata::record::RecordsFolderOf(dataFolder),
                          CString("*") + nrdata::record::kWorkingExtension, &files, FALSE) <= 0)
        return report;
    std::vector<CString> paths;
    for (INT_PTR i = 0; i < files.GetSize(); ++i)
        paths.push_back(files[i]);
    std::sort(paths.begin(), paths.end(),
              [](const CString& a, const CString& b) { return a.Compare(b) < 0; });

    for (const CString& path : paths) {
        const CString fileName = path.Mid(path.ReverseFind('/') + 1);
        const std::optional<WorkingName> name = ParseWorkingName(fileName);
        if (!name) {
            RunLog.Log(kLogKept, static_cast<LPCTSTR>(path), "not the name of a recording");
            report.kept.push_back(fileName);
            continue;
        }
        const std::optional<TBLStudyRow> existing = FindStudyRow(database, *name);
        const ULONGLONG recordsInRow = existing ? ULONGLONG(std::max<LONG>(existing->S_LENGTH, 0)) : 0;
        const RecoveredRecording recovered = FinishRecording(path, recordsInRow);
        if (recovered.status == RecoveryStatus::InUse) {
            RunLog.Log(kLogInUse, static_cast<LPCTSTR>(path));
            continue;
        }
        if (recovered.status != RecoveryStatus::Finished) {
            RunLog.Log(kLogKept, static_cast<LPCTSTR>(path), static_cast<LPCTSTR>(recovered.problem));
            report.kept.push_back(fileName);
            continue;
        }
        const TBLPatientRow patient = FindPatient(database, existing ? existing->S_ID : name->patientPart);
        TBLStudyRow row = existing ? *existing : NewStudyRow(patient, *name);
        row.S_LENGTH = static_cast<LONG>(recovered.records);
        row.S_LOSS =
            (existing ? std::max<LONG>(existing->S_LOSS, 0) : 0) + static_cast<LONG>(recovered.blanks);
        RunLog.Log(kLogCompleted, static_cast<LPCTSTR>(path),
                   static_cast<unsigned long long>(recovered.records),
                   static_cast<unsigned long long>(recovered.appended));
        const BOOL stored = rows.Complete(row, path, FALSE);
        report.completed.push_back({PatientText(patient), row.S_START_TIME, recovered.records, stored});
    }
    return report;
}

void TellCompletedRecordings(const RecordingRecoveryReport& report)
{
    if (report.IsEmpty())
        return;
    CString text;
    if (!report.completed.empty()) {
        text = LoadText(IDS_RECOVERED_INTRO);
        bool rowsLater = false;
        for (const RecoveredStudy& study : report.completed) {
            text += "\n- " +
                    FormatText(IDS_RECOVERED_STUDY, {study.patient, study.start.Format("%Y-%m-%d %H:%M:%S"),
                                                     DurationText(study.records)});
            rowsLater |= !study.rowStored;
        }
        if (rowsLater)
            text += "\n\n" + LoadText(IDS_RECOVERED_ROWS_LATER);
    }
    if (!report.kept.empty()) {
        if (!text.IsEmpty())
            text += "\n\n";
        text += LoadText(IDS_RECOVERY_KEPT);
        for (const CString& name : report.kept)
            text += "\n- " + name;
    }
    StationMessageBox(text, MB_OK | (report.kept.empty() ? MB_ICONINFORMATION : MB_ICONWARNING));
}

} // namespace tarvic
