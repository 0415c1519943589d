// The fatal-signal handler. Everything it does at crash time is async-signal-safe: fixed
// buffers prepared at installation, open/write/mkdir, hand-made number formatting, and
// backtrace (whose unwinder is loaded at installation, so it does not allocate later).
#include "platform/sys/CrashReport.h"

#include <atomic>
#include <csignal>
#include <cstring>
#include <ctime>

#include <execinfo.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace platform {
namespace {

struct FatalSignal
{
    int number;
    const char* name;
};

constexpr FatalSignal kFatalSignals[] = {
    { SIGSEGV, "SIGSEGV (segmentation fault)" }, { SIGBUS, "SIGBUS (bus error)" },
    { SIGILL, "SIGILL (illegal instruction)" },  { SIGFPE, "SIGFPE (arithmetic fault)" },
    { SIGABRT, "SIGABRT (abort)" },
};
constexpr int kSignalCount = sizeof kFatalSignals / sizeof kFatalSignals[0];

// Prepared at installation, read by the handler.
char s_folder[PATH_MAX];
char s_pattern[256];
char s_program[PATH_MAX];
long s_utcOffsetSeconds = 0;
struct sigaction s_previous[kSignalCount];
bool s_installed = false;
std::atomic<bool> s_reporting { false };
alignas(16) char s_altStack[64 * 1024];

// ---- async-signal-safe text building ---------------------------------------------------------

class Text
{
public:
    Text(char* buffer, size_t size) : m_buf(buffer), m_size(size) { m_buf[0] = '\0'; }
    Text& Add(const char* s)
    {
        while (*s && m_len + 1 < m_size)
            m_buf[m_len++] = *s++;
        m_buf[m_len] = '\0';
        return *this;
    }
    Text& Add(char c)
    {
        char s[2] = { c, '\0' };
        return Add(s);
    }
    Text& Number(unsigned long value, int minDigits = 1, int base = 10)
    {
        char digits[32];
        int n = 0;
        do {
            int d = int(value % unsigned(base));
            digits[n++] = char(d < 10 ? '0' + d : 'a' + d - 10);
            value /= unsigned(base);
        } while (value && n < 32);
        while (n < minDigits && n < 32)
            digits[n++] = '0';
        while (n > 0)
            Add(digits[--n]);
        return *this;
    }
    const char* c_str() const { return m_buf; }
    size_t size() const { return m_len; }

private:
    char* m_buf;
    size_t m_size;
    size_t m_len { 0 };
};

struct CivilTime
{
    long year;
    unsigned month, day, hour, minute, second;
};

// Days since 1970-01-01 to a civil date (proleptic Gregorian calendar).
CivilTime ToCivil(long seconds)
{
    long days = seconds / 86400;
    long rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    days += 719468;
    long era = (days >= 0 ? days : days - 146096) / 146097;
    long doe = days - era * 146097;
    long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    long mp = (5 * doy + 2) / 153;
    CivilTime t {};
    t.day = unsigned(doy - (153 * mp + 2) / 5 + 1);
    t.month = unsigned(mp < 10 ? mp + 3 : mp - 9);
    t.year = yoe + era * 400 + (t.month <= 2);
    t.hour = unsigned(rest / 3600);
    t.minute = unsigned(rest % 3600 / 60);
    t.second = unsigned(rest % 60);
    return t;
}

void ExpandPattern(Text& out, const char* pattern, const CivilTime& t)
{
    for (const char* p = pattern; *p; ++p) {
        if (*p != '%' || !p[1]) {
            out.Add(*p);
            continue;
        }
        switch (*++p) {
        case 'Y': out.Number(unsigned(t.year), 4); break;
        case 'm': out.Number(t.month, 2); break;
        case 'd': out.Number(t.day, 2); break;
        case 'H': out.Number(t.hour, 2); break;
        case 'M': out.Number(t.minute, 2); break;
        case 'S': out.Number(t.second, 2); break;
        default: out.Add(*p); break; // "%%" and anything unknown: the character itself
        }
    }
}

void MakeFolders(char* path)
{
    for (char* p = path + 1; *p; ++p) {
        if (*p == '/') {
            *p = '\0';
            ::mkdir(path, 0755);
            *p = '/';
        }
    }
    ::mkdir(path, 0755);
}

void WriteAll(int fd, const char* data, size_t size)
{
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n <= 0)
            return;
        data += n;
        size -= size_t(n);
    }
}

int IndexOf(int signal)
{
    for (int i = 0; i < kSignalCount; ++i)
        if (kFatalSignals[i].number == signal)
            return i;
    return -1;
}

void WriteReport(int signal, siginfo_t* info)
{
    timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    CivilTime t = ToCivil(now.tv_sec + s_utcOffsetSeconds);

    static char folder[PATH_MAX];
    std::memcpy(folder, s_folder, sizeof folder);
    MakeFolders(folder);

    static char pathBuf[PATH_MAX + 256];
    Text path(pathBuf, sizeof pathBuf);
    path.Add(s_folder).Add('/');
    ExpandPattern(path, s_pattern, t);
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return;

    static char headBuf[PATH_MAX + 512];
    Text head(headBuf, sizeof headBuf);
    int index = IndexOf(signal);
    head.Add("Crash report\nProgram: ").Add(s_program);
    head.Add("\nProcess: ").Number(unsigned(::getpid()));
    head.Add("\nThread: ").Number(unsigned(::syscall(SYS_gettid)));
    head.Add("\nSignal: ").Number(unsigned(signal)).Add(' ').Add(index >= 0 ? kFatalSignals[index].name : "");
    head.Add("\nFault address: 0x").Number(reinterpret_cast<unsigned long>(info ? info->si_addr : nullptr), 1, 16);
    head.Add("\nTime: ").Number(unsigned(t.year), 4).Add('-').Number(t.month, 2).Add('-').Number(t.day, 2);
    head.Add(' ').Number(t.hour, 2).Add(':').Number(t.minute, 2).Add(':').Number(t.second, 2);
    head.Add("\nBacktrace (module(+offset): addr2line -f -C -e <module> <offset> names the function):\nBacktrace:\n");
    WriteAll(fd, head.c_str(), head.size());

    void* frames[64];
    int count = ::backtrace(frames, 64);
    ::backtrace_symbols_fd(frames, count, fd);
    ::close(fd);
}

void OnFatalSignal(int signal, siginfo_t* info, void*)
{
    // One report per process: a second thread that crashes meanwhile waits for the end.
    if (s_reporting.exchange(true)) {
        for (;;)
            ::pause();
    }
    WriteReport(signal, info);
    // Hand the signal to whoever had it before; returning re-runs a faulting instruction, and
    // a raised signal is delivered once this handler returns.
    int index = IndexOf(signal);
    if (index >= 0)
        ::sigaction(signal, &s_previous[index], nullptr);
    else
        ::signal(signal, SIG_DFL);
    if (info && info->si_code <= 0) // sent by kill, raise or abort: send it again
        ::raise(signal);
}

bool CopyInto(char* target, size_t size, const std::string& value)
{
    if (value.empty() || value.size() >= size)
        return false;
    std::memcpy(target, value.c_str(), value.size() + 1);
    return true;
}

} // namespace

bool InstallCrashReportHandler(const std::string& folder, const std::string& fileNamePattern)
{
    if (!CopyInto(s_folder, sizeof s_folder, folder) || !CopyInto(s_pattern, sizeof s_pattern, fileNamePattern))
        return false;
    ssize_t n = ::readlink("/proc/self/exe", s_program, sizeof s_program - 1);
    s_program[n > 0 ? n : 0] = '\0';

    ::tzset();
    time_t now = ::time(nullptr);
    tm local {};
    ::localtime_r(&now, &local);
    s_utcOffsetSeconds = local.tm_gmtoff;

    // Loads the unwinder now: its first use allocates, which a crashed heap may not allow.
    void* warmUp[2];
    ::backtrace(warmUp, 2);

    // A stack overflow needs a stack of its own to report on (for the installing thread).
    stack_t altStack {};
    altStack.ss_sp = s_altStack;
    altStack.ss_size = sizeof s_altStack;
    ::sigaltstack(&altStack, nullptr);

    struct sigaction action {};
    action.sa_sigaction = OnFatalSignal;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (int i = 0; i < kSignalCount; ++i) {
        struct sigaction previous {};
        ::sigaction(kFatalSignals[i].number, &action, &previous);
        if (!s_installed) // a second installation keeps the handlers from before the first
            s_previous[i] = previous;
    }
    s_installed = true;
    return true;
}

void RemoveCrashReportHandler()
{
    if (!s_installed)
        return;
    for (int i = 0; i < kSignalCount; ++i)
        ::sigaction(kFatalSignals[i].number, &s_previous[i], nullptr);
    s_installed = false;
}

} // namespace platform
