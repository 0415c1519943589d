// NyraConfig: reading and writing the ini file, section by section in the order of the table
// of settings.
#include "nrdata/config/NyraConfig.h"

#include "ktutil/KTGF.h"
#include "ktutil/KTIni.h"
#include "nrdata/config/NyraConfigSettings.h"

using namespace nrdata::config;

namespace {

// Reads each setting, a missing key giving its fallback.
struct ReadSettings
{
    KTIni& ini;
    CString dataFolder;
    void operator()(const char* section, const char* key, int& member, IntDefault def) const
    {
        member = ini.ReadInt(section, key, def.missing);
    }
    void operator()(const char* section, const char* key, CString& member, TextDefault def) const
    {
        const char* fallback = "";
        switch (def.kind) {
        case TextDefault::DataFolder: fallback = dataFolder; break;
        case TextDefault::Literal: fallback = def.text; break;
        case TextDefault::Empty: break;
        }
        member = ini.ReadString(section, key, fallback);
    }
};

// Writes each setting, integers as decimal text; remembers whether every write succeeded.
struct WriteSettings
{
    KTIni& ini;
    bool written { true };
    void operator()(const char* section, const char* key, const int& member, IntDefault)
    {
        written = ini.WriteInt(section, key, member) && written;
    }
    void operator()(const char* section, const char* key, const CString& member, TextDefault)
    {
        written = ini.WriteString(section, key, member) && written;
    }
};

// Whether every text setting can be written and read back as it is (KTIni::IsWritableValue).
struct AllTextsWritable
{
    bool writable { true };
    void operator()(const char*, const char*, const int&, IntDefault) {}
    void operator()(const char*, const char*, const CString& member, TextDefault)
    {
        writable = writable && KTIni::IsWritableValue(member);
    }
};

} // namespace

int NyraConfig::Open()
{
    return Open(GetDefaultIniPath());
}

int NyraConfig::Open(const char* path)
{
    if (path == nullptr || !KTGF::IsFile(path))
        return 0;
    KTIni ini(path);
    const CString dataFolder = GetDefaultDataPath();
    ForEachSetting(static_cast<NyraSettings&>(*this), ReadSettings { ini, dataFolder });
    // A data folder that is gone (another machine's path, a removed drive) falls back to the
    // "Data" folder beside the program; it is created where it is used, not here.
    if (!KTGF::IsExist(DataPath))
        DataPath = dataFolder;
    return 1;
}

int NyraConfig::Save()
{
    return Save(GetDefaultIniPath());
}

int NyraConfig::Save(const char* path)
{
    if (path == nullptr)
        return 0;
    // A text with a line break would come back as other settings of its own: such settings
    // are refused whole, before the file is touched, so the file never holds half of them.
    AllTextsWritable check;
    ForEachSetting(static_cast<const NyraSettings&>(*this), check);
    if (!check.writable)
        return 0;
    if (!KTGF::IsFile(path) && KTGF::CreateFileA(path, FALSE, FALSE) < 0)
        return 0;
    KTIni ini(path);
    WriteSettings writer { ini };
    ForEachSetting(static_cast<const NyraSettings&>(*this), writer);
    return writer.written ? 1 : 0;
}
