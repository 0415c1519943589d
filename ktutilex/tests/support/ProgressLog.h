// A progress target for the transfer tests: records every call and answers as the test says.
#pragma once

#include "ktutil/KTCallBack.h"

#include <functional>
#include <string>
#include <vector>

namespace ktutilex_test {

struct ProgressCall
{
    LONG code { 0 };
    std::string fileName;
    LONG fileNumber { 0 };
    DWORD fileSize { 0 };
    DWORD fileDone { 0 };
    LONG filePercent { 0 };
    LONGLONG totalDone { 0 };
    LONG totalPercent { 0 };
    bool hasProgress { false };
};

// One log per test: the progress procedure takes no context a pointer could travel in, so the
// log it writes to is the one most recently made.
class ProgressLog
{
public:
    ProgressLog() { Current() = this; }
    ~ProgressLog() { Current() = nullptr; }
    ProgressLog(const ProgressLog&) = delete;
    ProgressLog& operator=(const ProgressLog&) = delete;

    KTCallBack Target() const { return KTCallBack(&ProgressLog::Proc, 0); }

    std::vector<ProgressCall> calls;
    // Given each call (already recorded); returns the answer. Default: go on.
    std::function<LONG(const ProgressCall&)> answer;

private:
    static ProgressLog*& Current()
    {
        static ProgressLog* current = nullptr;
        return current;
    }
    static LONG Proc(__KTNotify* notify, LONG)
    {
        ProgressLog* log = Current();
        if (!log || !notify)
            return 0;
        ProgressCall call;
        call.code = notify->nCode;
        // The FTP overwrite question carries the FTP object instead of a progress record.
        if (notify->nCode != 0 && notify->pProgress) {
            const KTNotifyProgress& p = *notify->pProgress;
            call = { notify->nCode, p.strFileName.str(), p.nFileNumber, p.nFileSize, p.nFileDone,
                     p.nFilePercent, p.nTotalDone, p.nTotalPercent, true };
        }
        log->calls.push_back(call);
        return log->answer ? log->answer(log->calls.back()) : 0;
    }
};

} // namespace ktutilex_test
