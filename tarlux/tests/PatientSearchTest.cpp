// The patient search against a database: filter texts with quotes, wildcard characters and
// blanks are matched literally, and the name filter narrows the id filter.
#include "support/ReviewStation.h"

#include "tarlux/app/ReviewDatabase.h"
#include "tarlux/app/ReviewGlobals.h"
#include "tarlux/patient/PatientSearch.h"

#include "ktutilex/KTAdo.h"

#include <gtest/gtest.h>

using namespace reviewtest;

namespace {

class PatientSearch : public testing::Test
{
protected:
    PatientSearch()
    {
        EXPECT_EQ(tarlux::ConnectReviewDatabase(), 1);
        AddPatient(tarlux::ReviewDatabase(), "P_1", "Siobhan", "O'Brien");
        AddPatient(tarlux::ReviewDatabase(), "PX1", "Anna", "Berg");
        AddPatient(tarlux::ReviewDatabase(), "50%", "Mina", "Kim");
        AddPatient(tarlux::ReviewDatabase(), "A12", "Brien", "Zed");
    }
    ~PatientSearch() override { tarlux::ReviewDatabase().Disconnect(); }

    static std::vector<std::string> Find(const char* id, const char* name)
    {
        std::vector<std::string> found;
        for (const CString& patientId : tarlux::SearchPatientIds(&tarlux::ReviewDatabase(), id, name))
            found.emplace_back(patientId.GetString());
        return found;
    }

    ReviewFolders m_folders;
};

TEST_F(PatientSearch, FiltersMatchLiterally)
{
    using V = std::vector<std::string>;
    struct Case { const char* id; const char* name; V expected; };
    const Case cases[] = {
        { "", "", V { "PX1", "50%", "P_1", "A12" } },     // every patient, by last name
        { "  ", " \t", V { "PX1", "50%", "P_1", "A12" } }, // blanks add no condition
        { "P_", "", V { "P_1" } },                         // "_" is no wildcard
        { "%", "", V { "50%" } },                          // nor is "%"
        { " 1 ", "", V { "PX1", "P_1", "A12" } },
        { "", "o'brien", V { "P_1" } },                    // a quote, any case
        { "", "brien", V { "P_1", "A12" } },               // first or last name
        { "P", "brien", V { "P_1" } },                     // the name narrows the id filter
        { "x' OR '1'='1", "", V {} },
    };
    for (const Case& c : cases)
        EXPECT_EQ(Find(c.id, c.name), c.expected) << "'" << c.id << "' '" << c.name << "'";
    EXPECT_TRUE(ReviewStation::Boxes().empty());
}

TEST(PatientSearchText, WithoutADatabaseNothingIsFound)
{
    EXPECT_TRUE(tarlux::SearchPatientIds(nullptr, "", "").empty());
    EXPECT_EQ(tarlux::LikeContainsCondition("P_ID", "a'_\\"),
              CString("P_ID LIKE '%a''\\_\\\\%' ESCAPE '\\'"));
}

} // namespace
