// CSystemSettingPage: the "System" tab of the configuration sheet: the serial ports on which the
// station looks for monitors, the folder and program of the medical-record program, the image
// type, the data folder and the language; it shows the program's version and opens the user
// manager. The folders change only through their "..." pickers; the program path also as typed.
#pragma once

#include "tarvic/dialogs/CConfigPage.h"

#include <functional>

namespace tarvic::config {

class CSystemSettingPage : public CConfigPage
{
public:
    static constexpr int kPortCount = 8;
    static constexpr int kPortLast = 60;
    // The control ids of the port lists, for "Serial Name1" to "Serial Name8".
    static constexpr int kPortIds[kPortCount] = {1471, 1473, 1474, 1475, 1482, 1483, 1484, 1485};

    // `openUserManager` shows the user manager (modal); without one the button says that it is
    // not available.
    explicit CSystemSettingPage(std::function<void(CWnd&)> openUserManager = {});

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void Reload() override;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

private:
    // The ports and the language into the copy; a list without a selection leaves its setting.
    void StorePortsAndLanguage();
    void OnImageType();
    void OnProgramPathTyped();
    void OnBrowseEmrFolder();
    void OnBrowseDataFolder();
    void OnBrowseProgram();
    void OnUserManager();
    // The folder picker from `folder`; true with the chosen folder in it.
    bool PickFolder(CString& folder);

    std::function<void(CWnd&)> m_OpenUserManager;
    bool m_bLoading { false }; // the edits are being filled from the copy
    CString m_strEmrDataPath;
    CString m_strEmrProgramPath;
    CString m_strDataPath;
};

} // namespace tarvic::config
