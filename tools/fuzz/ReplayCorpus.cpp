// The corpus replay: every file of a fuzz target's corpus, and every input that once broke the
// code under it, through the target's entry function. Linked once per target, built with the
// normal compiler, and run with the other tests, so the fuzzers' finds stay fixed.
#include "FuzzTarget.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The folders of this target (FUZZ_CORPUS_DIRS: separated by '|'), those that exist.
std::vector<fs::path> CorpusFolders()
{
    std::vector<fs::path> folders;
    std::stringstream list(FUZZ_CORPUS_DIRS);
    for (std::string folder; std::getline(list, folder, '|');)
        if (fs::is_directory(folder))
            folders.emplace_back(folder);
    return folders;
}

TEST(FuzzCorpus, EveryFileRunsThroughTheTarget)
{
    std::vector<fs::path> files;
    for (const fs::path& folder : CorpusFolders())
        for (const fs::directory_entry& entry : fs::directory_iterator(folder))
            if (entry.is_regular_file())
                files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    ASSERT_FALSE(files.empty()) << "no corpus in " << FUZZ_CORPUS_DIRS;
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.string());
        std::ifstream in(file, std::ios::binary);
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                              std::istreambuf_iterator<char>()};
        EXPECT_EQ(LLVMFuzzerTestOneInput(bytes.data(), bytes.size()), 0);
    }
}

} // namespace
