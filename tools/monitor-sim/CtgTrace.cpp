// Reading the CTG trace for the simulator.
#include "tools/monitor-sim/CtgTrace.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace monitorsim {

const char* SampleTracePath() { return MONITOR_SIM_SAMPLE_TRACE; }

bool CtgTrace::Load(const std::string& path)
{
    std::ifstream in(path);
    if (!in)
        return false;
    std::string line;
    std::getline(in, line); // header
    m_fhr.clear();
    m_uc.clear();
    while (std::getline(in, line)) {
        long quarter = 0;
        float fhr = 0, uc = 0;
        if (std::sscanf(line.c_str(), "%ld,%f,%f", &quarter, &fhr, &uc) == 3) {
            m_fhr.push_back(fhr);
            m_uc.push_back(uc);
        }
    }
    return !m_fhr.empty();
}

int CtgTrace::FhrAt(long quarter) const
{
    if (m_fhr.empty())
        return 140 + static_cast<int>(std::lround(8 * std::sin(double(quarter) / 40.0)));
    return static_cast<int>(std::lround(m_fhr[size_t(quarter) % m_fhr.size()]));
}

int CtgTrace::UcAt(long quarter) const
{
    if (m_uc.empty())
        return 10 + static_cast<int>(std::lround(30 * std::pow(std::sin(double(quarter) / 480.0), 8)));
    const int uc = static_cast<int>(std::lround(m_uc[size_t(quarter) % m_uc.size()]));
    return uc < 0 ? 0 : (uc > 100 ? 100 : uc);
}

} // namespace monitorsim
