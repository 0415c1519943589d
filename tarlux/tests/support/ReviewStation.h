// The review station for its tests: a program folder and a data folder of their own (the ini
// file naming the data folder, the empty database template beside the "program"), the start-up
// paths pointed at them, and the program started headless in this process, with its frame, view
// and review context at hand. Also rows for the database and trend records built sample by
// sample.
#pragma once

#include "tarlux/app/CMainFrame.h"
#include "tarlux/app/CTarluxIIApp.h"
#include "tarlux/view/CTarluxIIView.h"

#include "nrdata/packet/PKParam_v110.h"
#include "nrdata/packet/PKWave_v110.h"
#include "platform/core/OleDateTime.h"
#include "platform/msg/MessageBoxService.h"
#include "testkit/TempFolder.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class KTAdo;

namespace reviewtest {

// The colour settings of the "Paper Color" preset (section [CENTRAL_COLOR]), and those of the
// "Default Color" preset.
extern const char kPaperColours[];
extern const char kDefaultColours[];

// A program folder ("program/") and a data folder ("data/") in a temporary folder, with an ini
// file that names the data folder and holds the given settings, the template database beside
// the program unless told not to, and the review station's start-up paths pointed at them. The
// settings are read from the ini file at once. The running-copy claim of the station is made in
// a folder of the test's own ("runtime/"), so no other test or real station is disturbed.
class ReviewFolders
{
public:
    struct Options
    {
        bool templateDatabase { true };
        bool dataFolder { true };
        std::string centralDefault;               // extra lines of [CENTRAL_DEFAULT]
        std::string reviewDefault;                // lines of [REVIEW_DEFAULT]
        std::string centralColour { kPaperColours }; // lines of [CENTRAL_COLOR]
    };
    ReviewFolders() : ReviewFolders(Options {}) {}
    explicit ReviewFolders(const Options& options);

    CString ProgramFolder() const { return m_root.Path("program"); }
    CString DataFolder() const { return m_root.Path("data"); }
    CString DatabasePath() const { return m_root.Path("data/TarvicII.mdb"); }
    const testkit::TempFolder& Root() const { return m_root; }

private:
    testkit::TempFolder m_root;
};

// The review station started in this process: InitInstance of a fresh application object. The
// message boxes it shows are recorded (and answered with their default) from the start.
class ReviewStation
{
public:
    ReviewStation();
    ~ReviewStation();

    BOOL Started() const { return m_started; }
    tarlux::CTarluxIIApp& App() { return *m_app; }
    tarlux::CMainFrame* Frame() const;
    tarlux::CTarluxIIView* View() const;
    // Dispatches what waits on the queue (posted messages, paints).
    static void Pump();
    // The message boxes shown since the last call.
    static std::vector<platform::msg::MessageBoxRequest> Boxes();

private:
    std::unique_ptr<tarlux::CTarluxIIApp> m_app;
    BOOL m_started { FALSE };
};

// ---- database rows -----------------------------------------------------------------------------

void AddPatient(KTAdo& db, const char* id, const char* firstName, const char* lastName);
void AddStudy(KTAdo& db, const char* patientId, const COleDateTime& start, long length);
// The study id the central station gives a recording that started at `start`.
CString StudyIdOf(const COleDateTime& start);

// ---- recording files -------------------------------------------------------------------------

// What a recording file holds, laid out by the central station's format: the start, the
// monitor's display mode, the patient id, the wave snapshot (its time stays zero, "no
// snapshot", unless set) with its two ECG lead bytes, and the parameter records.
struct RecordingContents
{
    COleDateTime start { 2024, 3, 5, 8, 0, 0 };
    BYTE displayMode { 2 };
    CString patientId { "P_1" };
    bool hasWaveTime { false };
    COleDateTime waveTime;
    BYTE ecgLead1 { 0 };
    BYTE ecgLead2 { 0 };
    std::vector<PKWave_v110> waves;
    std::vector<PKParam_v110> records;
};
// Writes the file at `path` (its folder is made).
void WriteRecording(const CString& path, const RecordingContents& contents);
// A wave snapshot of `count` packets: sine-like ECG and FECG complexes and pleth curves.
std::vector<PKWave_v110> ScriptedWaves(int count = 250);

// ---- trend records -----------------------------------------------------------------------------

// A record with every sample empty (no data) and the sequence number `stamp`.
PKParam_v110 BlankRecord(unsigned int stamp);
// `count` records, record r made from blank by `fill`.
std::vector<PKParam_v110> MakeRecords(unsigned int count, const std::function<void(PKParam_v110&, unsigned int)>& fill);
// The records' bytes one after the other, as they lie in a recording file.
std::vector<BYTE> RecordBytes(const std::vector<PKParam_v110>& records);

// Every kind of curve and mark over `count` records (an hour's worth makes a full page): both
// fetal heart rates with an acceleration and a deceleration, a gap in FHR1 and a step of 11
// bpm, the maternal rate, SpO2 and temperature, FECG and FSpO2, contractions, IUP, fetal
// movements, NIBP readings, markers, stimulators and a zeroing.
std::vector<PKParam_v110> ScriptedTrend(unsigned int count);

} // namespace reviewtest
