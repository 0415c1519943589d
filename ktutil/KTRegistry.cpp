// KTRegistry over the platform's registry store.
#include "ktutil/KTRegistry.h"

#include "ktutil/KTGF.h"

#include <cstring>

namespace {

constexpr DWORD kStringBuffer = 256; // a string value is read into 256 bytes: 255 and the end

// Opens (or with `create` makes) the key and closes it again: whether it is there.
LONG TouchKey(HKEY root, LPCTSTR path, BOOL create)
{
    HKEY key = nullptr;
    LONG result = KTRegistry::OpenKey(root, path, &key, create);
    if (result == ERROR_SUCCESS)
        RegCloseKey(key);
    return result;
}

} // namespace

// ---- the key and its stack --------------------------------------------------------------------

void KTRegistry::Clear()
{
    m_hRoot = nullptr;
    m_strPath.Empty();
    m_stack.RemoveAll();
}

LONG KTRegistry::SetRegistry(LPCTSTR name)
{
    if (KTGF::IsEmpty(name))
        return ERROR_INVALID_PARAMETER;
    return SetRegistry(HKEY_CURRENT_USER, CString("Software\\") + name);
}

LONG KTRegistry::SetRegistry(HKEY root, LPCTSTR path)
{
    if (!root || KTGF::IsEmpty(path))
        return ERROR_INVALID_PARAMETER;
    Clear();
    LONG result = TouchKey(root, path, TRUE);
    if (result != ERROR_SUCCESS)
        return result;
    m_hRoot = root;
    m_strPath = path;
    m_stack.Add(m_strPath);
    return ERROR_SUCCESS;
}

LONG KTRegistry::DelRegistry()
{
    if (!IsAvailable())
        return ERROR_INVALID_HANDLE;
    LONG result = DeleteKey(m_hRoot, m_strPath, TRUE);
    Clear();
    return result;
}

CString KTRegistry::SubPath(LPCTSTR subKey) const
{
    if (KTGF::IsEmpty(subKey))
        return m_strPath;
    return m_strPath + "\\" + subKey;
}

LONG KTRegistry::CreateSub(LPCTSTR name, BOOL move)
{
    if (!IsAvailable())
        return ERROR_INVALID_HANDLE;
    if (KTGF::IsEmpty(name))
        return ERROR_INVALID_PARAMETER;
    LONG result = TouchKey(m_hRoot, SubPath(name), TRUE);
    if (result != ERROR_SUCCESS)
        return result;
    return move ? MoveToSub(name) : ERROR_SUCCESS;
}

LONG KTRegistry::DeleteSub(LPCTSTR name)
{
    if (!IsAvailable())
        return ERROR_INVALID_HANDLE;
    if (KTGF::IsEmpty(name))
        return ERROR_INVALID_PARAMETER;
    return DeleteKey(m_hRoot, SubPath(name), TRUE);
}

LONG KTRegistry::MoveToSub(LPCTSTR name)
{
    if (!IsAvailable())
        return ERROR_INVALID_HANDLE;
    if (KTGF::IsEmpty(name))
        return ERROR_INVALID_PARAMETER;
    CString path = SubPath(name);
    LONG result = TouchKey(m_hRoot, path, FALSE);
    if (result != ERROR_SUCCESS)
        return result;
    m_strPath = path;
    m_stack.Add(path);
    return ERROR_SUCCESS;
}

LONG KTRegistry::MoveToBack()
{
    if (!IsAvailable())
        return ERROR_INVALID_HANDLE;
    if (m_stack.GetSize() < 2)
        return ERROR_ACCESS_DENIED;
    m_stack.RemoveAt(m_stack.GetUpperBound());
    m_strPath = m_stack[m_stack.GetUpperBound()];
    return ERROR_SUCCESS;
}

LONG KTRegistry::MoveToHome()
{
    if (!IsAvailable())
        return ERROR_INVALID_HANDLE;
    CString home = m_stack[0];
    m_stack.RemoveAll();
    m_stack.Add(home);
    m_strPath = home;
    return ERROR_SUCCESS;
}

// ---- reading ------------------------------------------------------------------------------------

HKEY KTRegistry::OpenForRead(LPCTSTR subKey) const
{
    if (!IsAvailable())
        return nullptr;
    HKEY key = nullptr;
    if (OpenKey(m_hRoot, SubPath(subKey), &key, FALSE) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

CString KTRegistry::ReadString(LPCTSTR subKey, LPCTSTR valueName, LPCTSTR defaultText)
{
    CString result(defaultText ? defaultText : "");
    HKEY key = OpenForRead(subKey);
    if (!key)
        return result;
    char buffer[kStringBuffer + 1] = {}; // one more byte for a value stored without its end
    DWORD size = kStringBuffer;
    DWORD type = 0;
    if (RegQueryValueEx(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) == ERROR_SUCCESS) {
        buffer[size] = '\0';
        result = buffer;
    }
    RegCloseKey(key);
    return result;
}

CString KTRegistry::ReadDefault(LPCTSTR subKey) { return ReadString(subKey, nullptr, ""); }

DWORD KTRegistry::ReadDword(LPCTSTR subKey, LPCTSTR valueName, DWORD defaultValue)
{
    if (KTGF::IsEmpty(valueName))
        return defaultValue;
    HKEY key = OpenForRead(subKey);
    if (!key)
        return defaultValue;
    DWORD value = 0;
    DWORD size = sizeof value;
    DWORD type = 0;
    LONG result = RegQueryValueEx(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS && size == sizeof value ? value : defaultValue;
}

DWORD KTRegistry::ReadByte(LPCTSTR subKey, LPCTSTR valueName, BYTE* buffer, DWORD size)
{
    if ((buffer && size == 0) || KTGF::IsEmpty(valueName))
        return 0;
    HKEY key = OpenForRead(subKey);
    if (!key)
        return 0;
    DWORD type = 0;
    DWORD length = buffer ? size : 0;
    LONG result = RegQueryValueEx(key, valueName, nullptr, &type, buffer, &length);
    RegCloseKey(key);
    return result == ERROR_SUCCESS ? length : 0;
}

// ---- writing ------------------------------------------------------------------------------------

int KTRegistry::WriteValue(LPCTSTR subKey, LPCTSTR valueName, DWORD type, const BYTE* data, DWORD size, BOOL create)
{
    if (!IsAvailable())
        return 0;
    HKEY key = nullptr;
    if (OpenKey(m_hRoot, SubPath(subKey), &key, create) != ERROR_SUCCESS)
        return 0;
    LONG result = RegSetValueEx(key, valueName, 0, type, data, size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS ? 1 : 0;
}

int KTRegistry::WriteString(LPCTSTR subKey, LPCTSTR valueName, LPCTSTR text, BOOL create)
{
    const char* value = text ? text : "";
    return WriteValue(subKey, valueName, REG_SZ, reinterpret_cast<const BYTE*>(value),
                      static_cast<DWORD>(std::strlen(value) + 1), create);
}

int KTRegistry::WriteDword(LPCTSTR subKey, LPCTSTR valueName, DWORD value, BOOL create)
{
    if (KTGF::IsEmpty(valueName))
        return 0;
    return WriteValue(subKey, valueName, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value, create);
}

int KTRegistry::WriteByte(LPCTSTR subKey, LPCTSTR valueName, const BYTE* data, DWORD size, BOOL create)
{
    if ((!data && size == 0) || KTGF::IsEmpty(valueName))
        return 0;
    if (!data) // a size without data: nothing can be stored
        return 0;
    return WriteValue(subKey, valueName, REG_BINARY, data, size, create);
}

int KTRegistry::WriteDefault(LPCTSTR subKey, LPCTSTR text) { return WriteString(subKey, nullptr, text, FALSE); }

// ---- keys ---------------------------------------------------------------------------------------

LONG KTRegistry::OpenKey(HKEY root, LPCTSTR path, HKEY* key, BOOL create)
{
    if (!root || KTGF::IsEmpty(path) || !key)
        return ERROR_INVALID_PARAMETER;
    LONG result = RegOpenKeyEx(root, path, 0, KEY_ALL_ACCESS, key);
    if (result != ERROR_SUCCESS && create) {
        DWORD disposition = 0;
        result = RegCreateKeyEx(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, key,
                                &disposition);
    }
    return result;
}

LONG KTRegistry::DeleteKey(HKEY root, LPCTSTR path, BOOL recursive)
{
    if (!root || KTGF::IsEmpty(path))
        return ERROR_INVALID_PARAMETER;
    if (recursive) {
        HKEY key = nullptr;
        LONG result = RegOpenKeyEx(root, path, 0, KEY_ALL_ACCESS, &key);
        if (result != ERROR_SUCCESS)
            return result;
        DWORD count = 0;
        result = RegQueryInfoKey(key, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr,
                                 nullptr, nullptr, nullptr);
        if (result != ERROR_SUCCESS) {
            RegCloseKey(key);
            return result;
        }
        // Each removal shifts the rest down, so the first sub-key is always the next one.
        for (DWORD i = 0; i < count; ++i) {
            char name[256] = {};
            DWORD nameSize = sizeof name;
            if (RegEnumKeyEx(key, 0, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
            if (DeleteKey(root, CString(path) + "\\" + name, TRUE) != ERROR_SUCCESS)
                break;
        }
        RegCloseKey(key);
    }
    return RegDeleteKey(root, path);
}
