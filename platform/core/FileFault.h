// A fault the file layer can be told to inject, so that tests reach a disk that fills up, or a
// crash in the middle of a write, without a real full disk. Compiled in and inert: nothing
// happens unless a test sets a fault here or the environment variable PLATFORM_FILE_FAULT names
// one when the process first writes a file:
//
//   PLATFORM_FILE_FAULT=<fault>:<n>[:<path part>]
//
//   <fault>      ENOSPC, EIO or EFBIG: the <n>-th write and every later one fail with that
//                error (a disk that filled up stays full); KILL: the <n>-th write puts the first
//                half of its bytes on disk and the process is killed with SIGKILL, as by a crash
//                or a power cut in the middle of the write
//   <n>          counts the writes to matching files from 1
//   <path part>  only files whose full path holds this text take part (every file without it)
//
// Only CFile::Write takes part; a text that does not parse is ignored (a line on standard error
// says so).
#pragma once

#include <optional>
#include <string>

namespace platform {

struct FileWriteFault
{
    enum class Action
    {
        Fail, // the write fails with `error`, and so does every later one
        Kill, // half the bytes are written, then the process is killed
    };
    Action action{Action::Fail};
    int error{0};                  // an errno value, for Fail
    unsigned long long atWrite{1}; // the first write that meets the fault, counting from 1
    std::string pathPart;          // empty: every file

    bool operator==(const FileWriteFault&) const = default;
};

// "<fault>:<n>[:<path part>]" as above; nothing for a text that does not parse.
std::optional<FileWriteFault> ParseFileWriteFault(const std::string& text);

// Sets the fault (counting starts anew) or, with nothing, takes it away; the environment
// variable is not read after this.
void SetFileWriteFault(std::optional<FileWriteFault> fault);

} // namespace platform
