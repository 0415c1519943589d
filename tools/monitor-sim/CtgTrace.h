// A recorded fetal heart rate / uterine activity trace (CSV: quarter_second,FHR,UC), read so
// that the simulator can send real values. Without a file a gentle synthetic trace stands in.
#pragma once

#include <string>
#include <vector>

namespace monitorsim {

// The sample trace kept in the project (data/ctg/, with its licence note): the default of the
// simulator and what the end-to-end tests play.
const char* SampleTracePath();

class CtgTrace
{
public:
    // Reads the file; false (and the synthetic trace) when it cannot be read.
    bool Load(const std::string& path);
    // FHR in bpm (0 for signal loss) and UC (0..100) at a time in quarter seconds; the trace
    // repeats.
    int FhrAt(long quarter) const;
    int UcAt(long quarter) const;

private:
    std::vector<float> m_fhr;
    std::vector<float> m_uc;
};

} // namespace monitorsim
