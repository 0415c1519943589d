// Computes the Korean lunisolar calendar for the lunar years 1841 to 2043 and prints it as the
// C++ tables of KTKoreanDate.
//
// The rules are those of the calendar in use in Korea since the seventeenth century, with true
// (not mean) solar terms:
//   - a month starts on the local civil day that holds the new moon;
//   - the month that holds the winter solstice (apparent solar longitude 270 degrees) is the
//     11th;
//   - between two 11th months that are 13 months apart, the first month that holds no principal
//     term (a multiple of 30 degrees of solar longitude) is a leap month; it takes the number of
//     the month before it.
// Local time is Korea's civil time of the day: Seoul mean time (UTC+8:27:52) until 1 April 1908,
// UTC+8:30 until 1912, UTC+9 until 21 March 1954, UTC+8:30 until 10 August 1961, UTC+9 since.
//
// Positions come from libnova (VSOP87 for the Sun, ELP 2000-82B for the Moon), referred to the
// J2000 equinox; the Sun's apparent longitude of date adds precession, nutation and aberration.
// Universal time is terrestrial time less Delta T (the Espenak-Meeus polynomials).
#include <libnova/libnova.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kFirstYear = 1841;
constexpr int kLastYear = 2043;

// ---- time scales ---------------------------------------------------------------------------------

double DeltaTSeconds(double year)
{
    double t;
    if (year < 1860) {
        t = year - 1800;
        return 13.72 - 0.332447 * t + 0.0068612 * t * t + 0.0041116 * t * t * t - 0.00037436 * std::pow(t, 4)
            + 0.0000121272 * std::pow(t, 5) - 0.0000001699 * std::pow(t, 6) + 0.000000000875 * std::pow(t, 7);
    }
    if (year < 1900) {
        t = year - 1860;
        return 7.62 + 0.5737 * t - 0.251754 * t * t + 0.01680668 * t * t * t - 0.0004473624 * std::pow(t, 4)
            + std::pow(t, 5) / 233174;
    }
    if (year < 1920) {
        t = year - 1900;
        return -2.79 + 1.494119 * t - 0.0598939 * t * t + 0.0061966 * t * t * t - 0.000197 * std::pow(t, 4);
    }
    if (year < 1941) {
        t = year - 1920;
        return 21.20 + 0.84493 * t - 0.076100 * t * t + 0.0020936 * t * t * t;
    }
    if (year < 1961) {
        t = year - 1950;
        return 29.07 + 0.407 * t - t * t / 233 + t * t * t / 2547;
    }
    if (year < 1986) {
        t = year - 1975;
        return 45.45 + 1.067 * t - t * t / 260 - t * t * t / 718;
    }
    if (year < 2005) {
        t = year - 2000;
        return 63.86 + 0.3345 * t - 0.060374 * t * t + 0.0017275 * t * t * t + 0.000651814 * std::pow(t, 4)
            + 0.00002373599 * std::pow(t, 5);
    }
    t = year - 2000;
    return 62.92 + 0.32217 * t + 0.005589 * t * t;
}

double YearOf(double jd) { return 2000.0 + (jd - 2451545.0) / 365.25; }

double UniversalFromTerrestrial(double jdTT) { return jdTT - DeltaTSeconds(YearOf(jdTT)) / 86400.0; }

// Korea's civil time offset from UTC, in hours, at a universal time.
double KoreaOffsetHours(double jdUT)
{
    struct Era { double fromJD; double hours; };
    static const Era eras[] = {
        { 2418032.5 - 8.5 / 24, 8.5 },   // 1908-04-01
        { 2419402.5 - 9.0 / 24, 9.0 },   // 1912-01-01
        { 2434822.5 - 8.5 / 24, 8.5 },   // 1954-03-21
        { 2437521.5 - 9.0 / 24, 9.0 },   // 1961-08-10
    };
    double hours = 8.0 + 27.0 / 60 + 52.0 / 3600; // Seoul mean time
    for (const Era& era : eras) {
        if (jdUT >= era.fromJD)
            hours = era.hours;
    }
    return hours;
}

// The Julian day number of the local civil day holding the moment.
long LocalDay(double jdTT)
{
    double jdUT = UniversalFromTerrestrial(jdTT);
    return static_cast<long>(std::floor(jdUT + 0.5 + KoreaOffsetHours(jdUT) / 24.0));
}

// ---- positions -------------------------------------------------------------------------------------

double Normalize180(double degrees) { return std::fmod(std::fmod(degrees, 360.0) + 540.0, 360.0) - 180.0; }

// Moon minus Sun in ecliptic longitude (same frame for both), -180 to 180.
double Elongation(double jdTT)
{
    ln_lnlat_posn moon, sun;
    ln_get_lunar_ecl_coords(jdTT, &moon, 0);
    ln_get_solar_ecl_coords(jdTT, &sun);
    return Normalize180(moon.lng - sun.lng);
}

// The Sun's apparent longitude referred to the equinox of date.
double SolarLongitudeOfDate(double jdTT)
{
    ln_helio_posn geometric;
    ln_get_solar_geom_coords(jdTT, &geometric); // heliocentric Earth + 180, J2000 equinox
    ln_nutation nutation;
    ln_get_nutation(jdTT, &nutation);
    double t = (jdTT - 2451545.0) / 36525.0;
    double precession = (5028.796195 * t + 1.1054348 * t * t) / 3600.0;
    double aberration = -20.4898 / 3600.0 / geometric.R;
    double longitude = geometric.L + precession + nutation.longitude + aberration;
    return std::fmod(std::fmod(longitude, 360.0) + 360.0, 360.0);
}

double NewMoonNear(double jdTT)
{
    for (int i = 0; i < 50; ++i) {
        double d = Elongation(jdTT);
        jdTT -= d / 12.19; // the Moon gains about 12.19 degrees a day on the Sun
        if (std::fabs(d) < 1e-8)
            break;
    }
    return jdTT;
}

double SolarTermNear(double jdTT, double longitude)
{
    for (int i = 0; i < 50; ++i) {
        double d = Normalize180(SolarLongitudeOfDate(jdTT) - longitude);
        jdTT -= d / 0.9856;
        if (std::fabs(d) < 1e-9)
            break;
    }
    return jdTT;
}

// ---- the calendar ----------------------------------------------------------------------------------

struct Month
{
    long firstDay;  // local Julian day number
    int number { 0 };
    bool leap { false };
    int length { 0 };
    bool hasPrincipalTerm { false };
};

struct PrincipalTerm
{
    long day;
    int degrees;
};

[[noreturn]] void Fail(const char* what, long value)
{
    std::fprintf(stderr, "lunar-gen: %s (%ld)\n", what, value);
    std::exit(1);
}

} // namespace

int main()
{
    // New moons from autumn 1839 to spring 2045, principal terms over the same span.
    ln_date start { 1839, 9, 1, 0, 0, 0 };
    ln_date end { 2045, 6, 1, 0, 0, 0 };
    const double jdStart = ln_get_julian_day(&start);
    const double jdEnd = ln_get_julian_day(&end);

    std::vector<Month> months;
    for (double guess = jdStart; guess < jdEnd;) {
        double moment = NewMoonNear(guess);
        long day = LocalDay(moment);
        if (months.empty() || day > months.back().firstDay)
            months.push_back(Month { day });
        guess = moment + 29.53;
    }
    for (size_t i = 0; i + 1 < months.size(); ++i)
        months[i].length = static_cast<int>(months[i + 1].firstDay - months[i].firstDay);
    months.pop_back(); // its length is unknown

    std::vector<PrincipalTerm> terms;
    std::vector<long> solstices; // local day of each winter solstice, 1839 to 2044
    for (int year = 1839; year <= 2044; ++year) {
        ln_date spring { year, 3, 21, 0, 0, 0 };
        double base = ln_get_julian_day(&spring);
        for (int k = 0; k < 12; ++k) {
            int degrees = 30 * k;
            double moment = SolarTermNear(base + degrees * 365.2422 / 360.0, degrees);
            terms.push_back({ LocalDay(moment), degrees });
            if (degrees == 270)
                solstices.push_back(LocalDay(moment));
        }
    }
    for (Month& month : months) {
        for (const PrincipalTerm& term : terms) {
            if (term.day >= month.firstDay && term.day < month.firstDay + month.length)
                month.hasPrincipalTerm = true;
        }
    }

    auto monthHolding = [&](long day) -> long {
        for (size_t i = 0; i < months.size(); ++i) {
            if (day >= months[i].firstDay && day < months[i].firstDay + months[i].length)
                return static_cast<long>(i);
        }
        Fail("no month holds the day", day);
    };

    // Number the months from each 11th month to the next.
    for (size_t s = 0; s + 1 < solstices.size(); ++s) {
        long from = monthHolding(solstices[s]);
        long to = monthHolding(solstices[s + 1]);
        bool leapYear = to - from == 13;
        if (to - from != 12 && !leapYear)
            Fail("a solstice year without 12 or 13 months", to - from);
        bool leapPlaced = false;
        int number = 11;
        months[from].number = 11;
        for (long i = from + 1; i < to; ++i) {
            if (leapYear && !leapPlaced && !months[i].hasPrincipalTerm) {
                months[i].number = number;
                months[i].leap = true;
                leapPlaced = true;
                continue;
            }
            number = number % 12 + 1;
            months[i].number = number;
        }
        if (leapYear && !leapPlaced)
            Fail("a 13-month year without a month lacking a principal term", solstices[s]);
        if (number != 10)
            Fail("the months between two solstices do not end with the 10th", solstices[s]);
    }

    // Group the months into lunar years: a year starts at each ordinary 1st month and takes the
    // number of the solar year in which that month starts.
    struct Year
    {
        int codes[12] {};
        int days { 0 };
        long firstDay { 0 };
    };
    std::vector<std::pair<int, Year>> byYear;
    for (size_t i = 0; i < months.size(); ++i) {
        const Month& month = months[i];
        if (month.number == 0)
            continue;
        if (month.number == 1 && !month.leap) {
            ln_date date;
            ln_get_date(static_cast<double>(month.firstDay), &date);
            byYear.push_back({ date.years, Year {} });
            byYear.back().second.firstDay = month.firstDay;
        }
        if (byYear.empty())
            continue;
        Year& year = byYear.back().second;
        int& code = year.codes[month.number - 1];
        if (!month.leap) {
            if (code != 0)
                Fail("a month number twice in one year", month.firstDay);
            code = month.length == 30 ? 2 : 1;
        } else {
            if (code == 0 || code > 2)
                Fail("a leap month without its month", month.firstDay);
            bool longMonth = code == 2;
            bool longLeap = month.length == 30;
            code = longMonth ? (longLeap ? 6 : 5) : (longLeap ? 4 : 3);
        }
        year.days += month.length;
    }

    std::printf("// The Korean lunisolar calendar of the lunar years %d to %d, as KTKoreanDate reads it.\n",
                kFirstYear, kLastYear);
    std::printf("// Generated by tools/lunar-gen from the computed positions of the Sun and the Moon; do not\n");
    std::printf("// edit by hand. Month codes: 1 a 29-day month, 2 a 30-day month, 3 to 6 a month followed by\n");
    std::printf("// its leap month (3: 29 + 29, 4: 29 + 30, 5: 30 + 29, 6: 30 + 30).\n");
    std::printf("#include \"ktutil/KTKoreanDate.h\"\n\n");

    std::vector<const Year*> table;
    for (const auto& [number, year] : byYear) {
        if (number >= kFirstYear && number <= kLastYear) {
            if (number != kFirstYear + static_cast<int>(table.size()))
                Fail("a lunar year is missing", number);
            for (int code : year.codes) {
                if (code == 0)
                    Fail("a lunar year lacks a month", number);
            }
            table.push_back(&year);
        }
    }
    if (table.size() != kLastYear - kFirstYear + 1)
        Fail("the table does not cover every year", static_cast<long>(table.size()));

    std::printf("const BYTE KTKoreanDate::s_abyLunarTable[KTKoreanDate::LUNAR_YEARS][12] = {\n");
    for (size_t i = 0; i < table.size(); ++i) {
        std::printf("    { ");
        for (int m = 0; m < 12; ++m)
            std::printf("%d%s", table[i]->codes[m], m < 11 ? ", " : "");
        std::printf(" }, // %zu\n", kFirstYear + i);
    }
    std::printf("};\n\n");

    std::printf("const int KTKoreanDate::s_anDaysOfYear[KTKoreanDate::LUNAR_YEARS] = {\n");
    for (size_t i = 0; i < table.size(); ++i)
        std::printf("%s%d,%s", i % 12 == 0 ? "    " : "", table[i]->days, i % 12 == 11 || i + 1 == table.size() ? "\n" : " ");
    std::printf("};\n\n");

    std::printf("const long KTKoreanDate::s_alDaysAccm[KTKoreanDate::LUNAR_YEARS] = {\n");
    long total = 0;
    for (size_t i = 0; i < table.size(); ++i) {
        total += table[i]->days;
        std::printf("%s%ld,%s", i % 10 == 0 ? "    " : "", total, i % 10 == 9 || i + 1 == table.size() ? "\n" : " ");
    }
    std::printf("};\n");

    // The first day of lunar 1841 is the calendar's epoch: 23 January 1841.
    ln_date epoch { 1841, 1, 23, 12, 0, 0 };
    if (table.front()->firstDay != static_cast<long>(ln_get_julian_day(&epoch)))
        Fail("lunar 1841 does not start on 23 January 1841", table.front()->firstDay);
    return 0;
}
