// Fuzz target: unpacking any zip archive with KTZip. Guarantees: the unpack ends in one of its
// results or in the zip layer's exception, nothing is written outside the target folder, and
// every extracted path is a plain file inside it (see CheckedUnpack).
//
// Input: a mode byte, then
//   even mode: the archive as it stands (its records, their checks and the data);
//   odd mode:  entries that the archive writer writes, so that names and extra fields reach
//              the reader with right sizes and CRCs: per entry a name length (one byte), the
//              name, an extra field length (one byte), the central extra field, a data length
//              (one byte) and the data; at most 16 entries.
#include "CheckedUnpack.h"
#include "FuzzTarget.h"

#include "testkit/TempFolder.h"

#include "ktutilex/zip/CZipWriter.h"

#include <string>

namespace {

constexpr int kMaxEntries = 16;

// False when the writer refused the entries (the layer's parameter checks).
bool WriteEntries(fuzz::Input& in, const std::string& archive)
{
    try {
        CZipWriter writer;
        writer.Open(archive.c_str());
        for (int i = 0; i < kMaxEntries && in.Left() > 0; ++i) {
            const std::string name = in.Bytes(in.Byte());
            const std::string extra = in.Bytes(in.Byte());
            const std::string data = in.Bytes(in.Byte());
            writer.OpenNewFile(name.c_str(), { CTime(0), 0 }, 6, nullptr, nullptr, 0, extra.data(),
                               static_cast<UINT>(extra.size()));
            writer.WriteNewFile(data.data(), static_cast<UINT>(data.size()));
        }
        writer.Close();
    } catch (CZipException* e) {
        e->Delete();
        return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::UseHeadlessHost();
    fuzz::Input in(data, size);
    const bool written = in.Byte() % 2 == 1;
    const std::string archive = fuzz::ScratchFolder() + "/fuzz.zip";
    if (written) {
        if (!WriteEntries(in, archive))
            return 0;
    } else {
        testkit::WriteText(archive, std::string(reinterpret_cast<const char*>(in.Rest()), in.Left()));
    }
    fuzz::CheckedUnpack(archive, fuzz::ScratchFolder() + "/unpack");
    return 0;
}
