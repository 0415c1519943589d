// Reading and writing the parts of a package.
#include "ktutilex/excel/XlsxPackage.h"

#include "ktutilex/common/FileReplace.h"
#include "ktutilex/zip/CZipReader.h"
#include "ktutilex/zip/CZipWriter.h"

namespace ktutilex::excel {

namespace {

constexpr std::uint64_t kMaxPartSize = 256u << 20;
constexpr std::uint64_t kMaxPackageSize = 1u << 30;

} // namespace

bool XlsxPackage::Load(const char* path)
{
    m_parts.clear();
    try {
        CZipReader reader;
        reader.Open(path);
        std::uint64_t total = 0;
        for (bool more = reader.GoToFirstFile(); more; more = reader.GoToNextFile()) {
            CZipEntryInfo info;
            CString name;
            reader.GetCurrentFileInfo(info, &name);
            total += info.uncompressedSize;
            if (info.uncompressedSize > kMaxPartSize || total > kMaxPackageSize)
                return false;
            PackagePart part { name.str(), std::string(info.uncompressedSize, '\0'), info.GetTime() };
            reader.OpenCurrentFile();
            if (!part.bytes.empty() &&
                reader.ReadCurrentFile(part.bytes.data(), static_cast<UINT>(part.bytes.size())) != part.bytes.size())
                return false;
            reader.CloseCurrentFile();
            m_parts.push_back(std::move(part));
        }
        reader.Close();
    } catch (CZipException* e) {
        e->Delete();
        m_parts.clear();
        return false;
    } catch (CFileException* e) {
        e->Delete();
        m_parts.clear();
        return false;
    }
    return !m_parts.empty();
}

bool XlsxPackage::Save(const char* path) const
{
    return ReplaceFileWith(path, [this](const char* temporary) {
        try {
            CZipWriter writer;
            writer.Open(temporary);
            for (const PackagePart& part : m_parts) {
                writer.OpenNewFile(part.name.c_str(), { part.time, 0 });
                writer.WriteNewFile(part.bytes.data(), static_cast<UINT>(part.bytes.size()));
            }
            writer.Close();
        } catch (CZipException* e) {
            e->Delete();
            return false;
        }
        return true;
    });
}

PackagePart* XlsxPackage::Find(const std::string& name)
{
    const std::string wanted = !name.empty() && name.front() == '/' ? name.substr(1) : name;
    for (PackagePart& part : m_parts)
        if (part.name == wanted)
            return &part;
    return nullptr;
}

} // namespace ktutilex::excel
