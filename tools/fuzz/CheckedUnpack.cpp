// Unpacking with the containment checks.
#include "CheckedUnpack.h"

#include "FuzzTarget.h"

#include "ktutilex/KTZip.h"

#include <filesystem>
#include <set>
#include <system_error>

namespace fuzz {

namespace {

namespace fs = std::filesystem;

// Whether `path` is `root` or below it, by its parts (the root is canonical).
bool IsBelow(const fs::path& path, const fs::path& root)
{
    auto part = path.begin();
    for (auto rootPart = root.begin(); rootPart != root.end(); ++rootPart, ++part)
        if (part == path.end() || *part != *rootPart)
            return false;
    return true;
}

} // namespace

int CheckedUnpack(const std::string& archive, const std::string& folder)
{
    std::error_code error;
    fs::remove_all(folder, error);
    fs::create_directories(folder);
    const std::string target = folder + "/target";

    KTZip zip;
    CStringArray extracted;
    int result = 2;
    try {
        result = zip.UnZip(archive.c_str(), target.c_str(), &extracted, nullptr);
    } catch (CZipException* e) {
        e->Delete();
    } catch (CFileException* e) {
        e->Delete();
    }
    Require(result == -1 || result == 0 || result == 1 || result == 2, "UnZip gives one of its results");

    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        Require(entry.path().filename() == "target", "nothing is written beside the target folder");
    if (!fs::exists(target))
        return result;
    const fs::path root = fs::canonical(target);

    std::set<fs::path> listed;
    for (INT_PTR i = 0; i < extracted.GetSize(); ++i) {
        const fs::path path(extracted[i].GetString());
        Require(!fs::is_symlink(path), "an extracted path is no link");
        Require(IsBelow(fs::canonical(path, error), root) && !error, "an extracted path lies inside the target");
        Require(fs::is_regular_file(path), "an extracted path is a file");
        listed.insert(fs::canonical(path));
    }
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(target)) {
        Require(!entry.is_symlink(), "no link appears below the target");
        if (result == 1 && entry.is_regular_file())
            Require(listed.count(fs::canonical(entry.path())) == 1, "every file written is in the list");
    }
    return result;
}

} // namespace fuzz
