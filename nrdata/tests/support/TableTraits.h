// What the typed table tests need to know of each table class: its key, one text and one date
// column to change, and a full row written once as SQL literals (for rows put in past the
// class) and once as member values (for rows the class writes), with the text each column
// reads back as.
#pragma once

#include "nrdata/table/TBLPatient.h"
#include "nrdata/table/TBLStudy.h"
#include "nrdata/table/TBLUser.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

inline void PrintTo(const COleDateTime& date, std::ostream* out)
{
    *out << (date.GetStatus() == COleDateTime::null ? "<null date>" : date.Format("%Y-%m-%d %H:%M:%S").GetString());
}

namespace nrdata_test {

struct ColumnValue
{
    const char* column;
    const char* literal;  // as it stands in an INSERT
    const char* readBack; // as StationDatabase::Text reads it
};

struct PatientTraits
{
    using Table = TBLPatient;
    static constexpr const char* kTable = "TBLPatient";
    static constexpr const char* kKeyColumn = "P_ID";
    static constexpr const char* kTextColumn = "P_LAST_NAME";
    static constexpr const char* kDateColumn = "P_BIRTHDAY";
    static constexpr int kTextWidth = 30;
    static void SetKey(Table& t, const char* key) { t.P_ID = key; }
    static CString& Text(Table& t) { return t.P_LAST_NAME; }
    static COleDateTime& Date(Table& t) { return t.P_BIRTHDAY; }

    static std::vector<ColumnValue> Row()
    {
        return {
            { "P_ID", "'20060307-001'", "20060307-001" },
            { "P_FIRST_NAME", "'Eva'", "Eva" },
            { "P_LAST_NAME", "'Novak'", "Novak" },
            { "P_REG_DATE", "#2006-03-07 09:15:00#", "2006-03-07 09:15:00" },
            { "P_BIRTHDAY", "#1980-05-17#", "1980-05-17 00:00:00" },
            { "P_HEIGHT", "165.5", "165.5" },
            { "P_WEIGHT", "71.25", "71.25" },
            { "P_COMMENT", "'second pregnancy'", "second pregnancy" },
            { "P_DOCTOR_ID", "'doc1'", "doc1" },
            { "P_LMP", "#2005-06-01#", "2005-06-01 00:00:00" },
            { "P_EDC", "#1000-01-01#", "1000-01-01 00:00:00" },
            { "P_GR", "2", "2" },
            { "P_PA", "-1", "-1" },
            { "P_EDIT_DATE", "#2006-03-08 10:00:30#", "2006-03-08 10:00:30" },
        };
    }
    static void Fill(Table& t)
    {
        t.P_ID = "20060307-001";
        t.P_FIRST_NAME = "Eva";
        t.P_LAST_NAME = "Novak";
        t.P_REG_DATE = COleDateTime(2006, 3, 7, 9, 15, 0);
        t.P_BIRTHDAY = COleDateTime(1980, 5, 17, 0, 0, 0);
        t.P_HEIGHT = 165.5;
        t.P_WEIGHT = 71.25;
        t.P_COMMENT = "second pregnancy";
        t.P_DOCTOR_ID = "doc1";
        t.P_LMP = COleDateTime(2005, 6, 1, 0, 0, 0);
        t.P_EDC = COleDateTime(1000, 1, 1, 0, 0, 0);
        t.P_GR = 2;
        t.P_PA = -1;
        t.P_EDIT_DATE = COleDateTime(2006, 3, 8, 10, 0, 30);
    }
    static void ExpectFilled(const Table& t)
    {
        Table expected;
        Fill(expected);
        EXPECT_EQ(t.P_ID, expected.P_ID);
        EXPECT_EQ(t.P_FIRST_NAME, expected.P_FIRST_NAME);
        EXPECT_EQ(t.P_LAST_NAME, expected.P_LAST_NAME);
        EXPECT_EQ(t.P_REG_DATE, expected.P_REG_DATE);
        EXPECT_EQ(t.P_BIRTHDAY, expected.P_BIRTHDAY);
        EXPECT_EQ(t.P_HEIGHT, expected.P_HEIGHT);
        EXPECT_EQ(t.P_WEIGHT, expected.P_WEIGHT);
        EXPECT_EQ(t.P_COMMENT, expected.P_COMMENT);
        EXPECT_EQ(t.P_DOCTOR_ID, expected.P_DOCTOR_ID);
        EXPECT_EQ(t.P_LMP, expected.P_LMP);
        EXPECT_EQ(t.P_EDC, expected.P_EDC);
        EXPECT_EQ(t.P_GR, expected.P_GR);
        EXPECT_EQ(t.P_PA, expected.P_PA);
        EXPECT_EQ(t.P_EDIT_DATE, expected.P_EDIT_DATE);
    }
};

struct StudyTraits
{
    using Table = TBLStudy;
    static constexpr const char* kTable = "TBLStudy";
    static constexpr const char* kKeyColumn = "S_ID";
    static constexpr const char* kTextColumn = "S_COMMENT";
    static constexpr const char* kDateColumn = "S_START_TIME";
    static constexpr int kTextWidth = 255;
    // The study id stays fixed; the patient id is the part the tests vary.
    static void SetKey(Table& t, const char* key)
    {
        t.S_ID = key;
        t.S_STUDY_ID = "20060307140509";
    }
    static CString& Text(Table& t) { return t.S_COMMENT; }
    static COleDateTime& Date(Table& t) { return t.S_START_TIME; }

    static std::vector<ColumnValue> Row()
    {
        return {
            { "S_ID", "'20060307-001'", "20060307-001" },
            { "S_STUDY_ID", "'20060307140509'", "20060307140509" },
            { "S_START_TIME", "#2006-03-07 14:05:09#", "2006-03-07 14:05:09" },
            { "S_LENGTH", "3600", "3600" },
            { "S_LOSS", "12", "12" },
            { "S_DOCTOR_ID", "'doc1'", "doc1" },
            { "S_NURSE_ID", "'nurse2'", "nurse2" },
            { "S_COMMENT", "'quiet trace'", "quiet trace" },
            { "S_MEMB_STATUS", "3", "3" },
            { "S_EDIT_DATE", "#2006-03-07 15:05:09#", "2006-03-07 15:05:09" },
        };
    }
    static void Fill(Table& t)
    {
        t.S_ID = "20060307-001";
        t.S_STUDY_ID = "20060307140509";
        t.S_START_TIME = COleDateTime(2006, 3, 7, 14, 5, 9);
        t.S_LENGTH = 3600;
        t.S_LOSS = 12;
        t.S_DOCTOR_ID = "doc1";
        t.S_NURSE_ID = "nurse2";
        t.S_COMMENT = "quiet trace";
        t.S_MEMB_STATUS = 3;
        t.S_EDIT_DATE = COleDateTime(2006, 3, 7, 15, 5, 9);
    }
    static void ExpectFilled(const Table& t)
    {
        Table expected;
        Fill(expected);
        EXPECT_EQ(t.S_ID, expected.S_ID);
        EXPECT_EQ(t.S_STUDY_ID, expected.S_STUDY_ID);
        EXPECT_EQ(t.S_START_TIME, expected.S_START_TIME);
        EXPECT_EQ(t.S_LENGTH, expected.S_LENGTH);
        EXPECT_EQ(t.S_LOSS, expected.S_LOSS);
        EXPECT_EQ(t.S_DOCTOR_ID, expected.S_DOCTOR_ID);
        EXPECT_EQ(t.S_NURSE_ID, expected.S_NURSE_ID);
        EXPECT_EQ(t.S_COMMENT, expected.S_COMMENT);
        EXPECT_EQ(t.S_MEMB_STATUS, expected.S_MEMB_STATUS);
        EXPECT_EQ(t.S_EDIT_DATE, expected.S_EDIT_DATE);
    }
};

struct UserTraits
{
    using Table = TBLUser;
    static constexpr const char* kTable = "TBLUser";
    static constexpr const char* kKeyColumn = "M_ID";
    static constexpr const char* kTextColumn = "M_PASSWORD";
    static constexpr const char* kDateColumn = "M_REG_DATE";
    static constexpr int kTextWidth = 50;
    static void SetKey(Table& t, const char* key) { t.M_ID = key; }
    static CString& Text(Table& t) { return t.M_PASSWORD; }
    static COleDateTime& Date(Table& t) { return t.M_REG_DATE; }

    static std::vector<ColumnValue> Row()
    {
        return {
            { "M_ID", "'doc1'", "doc1" },
            { "M_NAME", "'Dr. Hana Kim'", "Dr. Hana Kim" },
            { "M_PASSWORD", "'Secret-1'", "Secret-1" },
            { "M_LEVEL", "2", "2" },
            { "M_REG_DATE", "#2006-01-02 08:00:00#", "2006-01-02 08:00:00" },
            { "M_EDIT_DATE", "#2006-02-03 09:30:00#", "2006-02-03 09:30:00" },
        };
    }
    static void Fill(Table& t)
    {
        t.M_ID = "doc1";
        t.M_NAME = "Dr. Hana Kim";
        t.M_PASSWORD = "Secret-1";
        t.M_LEVEL = 2;
        t.M_REG_DATE = COleDateTime(2006, 1, 2, 8, 0, 0);
        t.M_EDIT_DATE = COleDateTime(2006, 2, 3, 9, 30, 0);
    }
    static void ExpectFilled(const Table& t)
    {
        Table expected;
        Fill(expected);
        EXPECT_EQ(t.M_ID, expected.M_ID);
        EXPECT_EQ(t.M_NAME, expected.M_NAME);
        EXPECT_EQ(t.M_PASSWORD, expected.M_PASSWORD);
        EXPECT_EQ(t.M_LEVEL, expected.M_LEVEL);
        EXPECT_EQ(t.M_REG_DATE, expected.M_REG_DATE);
        EXPECT_EQ(t.M_EDIT_DATE, expected.M_EDIT_DATE);
    }
};

} // namespace nrdata_test
