// The central station's benchmarks: a database of their own with 10,000 patients (and, when
// asked, doctors that the patients name), on the station's connection, and a plain walk over
// every patient row that reads each row and keeps nothing.
#pragma once

#include "bench/BenchSetup.h"

#include "tarvic/app/StationGlobals.h"

#include "nrdata/table/TBLPatient.h"
#include "nrdata/table/TBLUser.h"

#include <filesystem>

namespace stationbench {

constexpr int kPatients = 10000;

struct Ward
{
    bench::ScratchFolder root { "station-bench" };

    explicit Ward(int doctors = 0)
    {
        std::filesystem::copy_file(bench::ProgramFolder() / "TarvicII.mdb", root / "TarvicII.mdb");
        g_Database.ConnectDB((root / "TarvicII.mdb").c_str(), tarvic::kDatabasePassword);
        g_Database.BeginTrans();
        TBLUser doctor(&g_Database);
        for (int i = 0; i < doctors; ++i) {
            doctor.Clear();
            doctor.M_ID.Format("D-%02d", i);
            doctor.M_NAME.Format("DOCTOR %02d", i);
            doctor.M_LEVEL = 2;
            doctor.M_REG_DATE = COleDateTime(2025, 1, 1, 8, 0, 0);
            doctor.M_EDIT_DATE = doctor.M_REG_DATE;
            doctor.Add();
        }
        TBLPatient patient(&g_Database);
        for (int i = 0; i < kPatients; ++i) {
            patient.Clear();
            patient.P_ID.Format("P%06d", (i * 7919) % kPatients);
            patient.P_FIRST_NAME.Format("F%04d", (i * 31) % 977);
            patient.P_LAST_NAME.Format("L%04d", (i * 17) % 1009);
            patient.P_REG_DATE = COleDateTime(2026, 1 + i % 12, 1 + i % 28, 9, 0, 0);
            patient.P_BIRTHDAY = COleDateTime(1980 + i % 20, 1 + i % 12, 1 + i % 28, 0, 0, 0);
            patient.P_LMP = COleDateTime(1000, 1, 1, 0, 0, 0);
            patient.P_EDC = COleDateTime(1000, 1, 1, 0, 0, 0);
            patient.P_EDIT_DATE = patient.P_REG_DATE;
            patient.P_GR = i % 5;
            patient.P_PA = -1;
            patient.P_HEIGHT = 150 + i % 40;
            patient.P_WEIGHT = 50 + i % 50;
            if (doctors > 0)
                patient.P_DOCTOR_ID.Format("D-%02d", i % doctors);
            patient.Add();
        }
        g_Database.CommitTrans();
    }
    ~Ward() { g_Database.Disconnect(); }
};

// Every patient row of the plain query, read and kept nowhere: how many were read.
inline int PlainWalk()
{
    TBLPatient cursor(&g_Database);
    const int count = cursor.CursorOpenEx(nullptr);
    int read = 0;
    for (int i = 0; i < count; ++i) {
        read += cursor.CursorGet() == 1 ? 1 : 0;
        cursor.CursorMove();
    }
    cursor.CursorClose();
    return read;
}

} // namespace stationbench
