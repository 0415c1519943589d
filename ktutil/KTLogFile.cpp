// KTLogFile: appends prefixed lines to a text file.
#include "ktutil/KTLogFile.h"

#include "ktutil/KTGF.h"
#include "ktutil/KTUtilPlatform.h"
#include "platform/core/Check.h"
#include "platform/core/Collections.h"
#include "platform/core/OleDateTime.h"

#include <cerrno>
#include <cstdarg>
#include <string>

namespace {

// An entry, with its terminator, stays below this many bytes.
constexpr int kEntryLimit = 1000;

} // namespace

KTLogFile::~KTLogFile()
{
    std::lock_guard lock(m_lock);
    Close(true);
}

// ---- settings ---------------------------------------------------------------------------------------

void KTLogFile::SetLogFile(LPCTSTR path)
{
    std::lock_guard lock(m_lock);
    m_path = path;
}

CString KTLogFile::GetLogFile() const
{
    std::lock_guard lock(m_lock);
    return m_path;
}

void KTLogFile::OpenAlways(BOOL openAlways)
{
    std::lock_guard lock(m_lock);
    m_openAlways = openAlways;
}

void KTLogFile::AddPrefix(BOOL addPrefix)
{
    std::lock_guard lock(m_lock);
    m_addPrefix = addPrefix;
}

BOOL KTLogFile::IsAddPrefix() const
{
    std::lock_guard lock(m_lock);
    return m_addPrefix;
}

CString KTLogFile::GetPrefix()
{
    if (!IsAddPrefix())
        return CString();
    return COleDateTime::GetCurrentTime().Format("[%Y/%m/%d %H:%M:%S] ");
}

// ---- writing -----------------------------------------------------------------------------------------

int KTLogFile::Log(LPCTSTR format, ...)
{
    if (KTGF::IsEmpty(format))
        return 0;
    char buffer[kEntryLimit] = {};
    va_list args;
    va_start(args, format);
    const int length = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (length < 0)
        return 0;
    // vsnprintf cuts at a byte; step back to the last whole character.
    const CString entry = length >= kEntryLimit ? KTGF::CompleteString(buffer, kEntryLimit - 1) : CString(buffer);
    std::lock_guard lock(m_lock);
    return Write(entry);
}

int KTLogFile::Open()
{
    WARD_CHECK(m_lock.IsHeldByThisThread());
    if (m_file)
        return 1;
    // A log that has not been given its file yet writes nothing and bothers nobody.
    if (KTGF::IsEmpty(m_path))
        return 0;
    if (!KTGF::IsFile(m_path)) {
        // A new log: make the file and its folder; this entry is not written (see the header).
        if (KTGF::CreateFileA(m_path, TRUE, TRUE) == KTGF_DONE)
            return 0;
    }
    m_file = std::fopen(m_path, "r+");
    if (!m_file) {
        ktutil::ShowError(KTGF::FormatMsg(ErrorFromErrno(errno)));
        return 0;
    }
    return 1;
}

void KTLogFile::Close(bool force)
{
    WARD_CHECK(m_lock.IsHeldByThisThread());
    if (m_openAlways && !force)
        return;
    if (m_file) {
        std::fclose(m_file);
        m_file = nullptr;
    }
}

int KTLogFile::Write(const CString& entry)
{
    WARD_CHECK(m_lock.IsHeldByThisThread());
    if (!Open())
        return 0;
    CString text(entry);
    text.Trim();
    const CString line = GetPrefix() + text + "\n";
    std::fseek(m_file, 0, SEEK_END);
    std::fputs(line, m_file);
    std::fflush(m_file);
    Close(false);
    return 1;
}

// ---- reading and clearing ------------------------------------------------------------------------------

int KTLogFile::Load(CStringArray& lines)
{
    lines.RemoveAll();
    std::lock_guard lock(m_lock);
    // Reading never creates the file.
    if (!m_file && !KTGF::IsFile(m_path))
        return -1;
    if (!Open())
        return -1;
    std::rewind(m_file);
    std::string line;
    int count = 0;
    for (int c = std::fgetc(m_file);; c = std::fgetc(m_file)) {
        if (c == '\n' || (c == EOF && !line.empty())) {
            CString text(line);
            text.Trim();
            lines.Add(text);
            ++count;
            line.clear();
        } else if (c != EOF) {
            line.push_back(static_cast<char>(c));
        }
        if (c == EOF)
            break;
    }
    Close(false);
    return count;
}

void KTLogFile::Clear()
{
    std::lock_guard lock(m_lock);
    Close(true);
    if (KTGF::IsFile(m_path))
        KTGF::CreateFileA(m_path, FALSE, TRUE);
}
