// The system settings page.
#include "tarvic/dialogs/CSystemSettingPage.h"

#include "tarvic/app/StationMessages.h"
#include "tarvic/dialogs/BedDialogControls.h"
#include "tarvic/res/ConfigDialogIds.h"
#include "tarvic/res/TarvicResourceIds.h"

#include "appcommon/ProgramFileFilter.h"

#include "ktutil/KTDirDialog.h"
#include "ktutil/KTIni.h"

#include "platform/msg/MessageMap.h"
#include "platform/ui/controls/ComboBox.h"
#include "platform/ui/controls/Edit.h"
#include "platform/ui/dialogs/DataExchange.h"
#include "platform/ui/dialogs/FileDialog.h"

namespace tarvic::config {
namespace {

using bed::LabelText;

constexpr int IDC_EMR_DATA_PATH = 1106;
constexpr int IDC_EMR_PROGRAM_PATH = 1107;
constexpr int IDC_DATA_PATH = 1108;
constexpr int IDC_BROWSE_EMR_DATA = 1478;
constexpr int IDC_BROWSE_PROGRAM = 1479;
constexpr int IDC_BROWSE_DATA = 1413;
constexpr int IDC_IMAGE_TYPE = 1477;
constexpr int IDC_LANGUAGE = 1098;
constexpr int IDC_VERSION = 1414;
constexpr int IDC_USER_MANAGER = 1548;
constexpr int IDC_CHANGE_LOGIN = 1546;
constexpr int IDC_LOGIN_LABEL = 1547;
constexpr int IDC_LOGIN = 1062;
constexpr int IDC_NEXT_START_NOTE = 1599;

constexpr char kVersion[] = "1.1.2 Lite";
constexpr char kImageType[] = "JPG";
// Only file-system folders, and only their file-system ancestors.
constexpr UINT kFolderBrowseFlags = 9;

constexpr LabelText kLabels[] = {
    {1366, IDS_SERIAL_SETTING, false},
    {1472, IDS_SELECT_COM_PORT, false},
    {1403, IDS_EMR_SETTING, false},
    {1411, IDS_DATA_PATH, true},
    {1486, IDS_PROGRAM_PATH, true},
    {1487, IDS_IMAGE_TYPE, true},
    {1410, IDS_SYSTEM, false},
    {1412, IDS_DATA_PATH, true},
    {1359, IDS_LANGUAGE, true},
    {1273, IDS_SW_VERSION, true},
    {1404, IDS_USER_SETTING, false},
    {IDC_USER_MANAGER, IDS_USER_MANAGER, false},
    {IDC_CHANGE_LOGIN, IDS_CHANGE_LOGIN, false},
    {IDC_LOGIN_LABEL, IDS_LOGIN, true},
    {IDC_NEXT_START_NOTE, IDS_NEXT_START_NOTE, false},
};

void FillPortList(CWnd& page, int id, int port)
{
    page.SendDlgItemMessage(id, CB_RESETCONTENT);
    bed::AddListEntry(page, id, bed::LoadText(IDS_NOT_USE), 0);
    for (int n = 1; n <= CSystemSettingPage::kPortLast; ++n) {
        CString text;
        text.Format("COM%d", n);
        bed::AddListEntry(page, id, text, n);
    }
    // The item at the position of the port number; none for a number the list does not hold.
    page.SendDlgItemMessage(id, CB_SETCURSEL, port >= 0 && port <= CSystemSettingPage::kPortLast ? WPARAM(port) : WPARAM(-1));
}

} // namespace

CSystemSettingPage::CSystemSettingPage(std::function<void(CWnd&)> openUserManager)
    : CConfigPage(IDD_SYSTEM_SETTING), m_OpenUserManager(std::move(openUserManager))
{
}

BOOL CSystemSettingPage::OnInitDialog()
{
    CConfigPage::OnInitDialog();
    bed::SetLabelTexts(*this, kLabels);
    for (int id : {IDC_CHANGE_LOGIN, IDC_LOGIN_LABEL, IDC_LOGIN})
        if (CWnd* control = GetDlgItem(id))
            control->ShowWindow(SW_HIDE);
    return TRUE;
}

void CSystemSettingPage::DoDataExchange(CDataExchange* pDX)
{
    CConfigPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_EMR_DATA_PATH, m_strEmrDataPath);
    DDX_Text(pDX, IDC_EMR_PROGRAM_PATH, m_strEmrProgramPath);
    DDX_Text(pDX, IDC_DATA_PATH, m_strDataPath);
}

void CSystemSettingPage::Reload()
{
    const NyraConfig& config = *m_pConfig;
    for (int i = 0; i < kPortCount; ++i)
        FillPortList(*this, kPortIds[i], config.SerialName[size_t(i)]);
    m_strEmrDataPath = config.EMRDataPath;
    m_strEmrProgramPath = config.EMRProgramPath;
    SendDlgItemMessage(IDC_IMAGE_TYPE, CB_RESETCONTENT);
    bed::AddListEntry(*this, IDC_IMAGE_TYPE, kImageType, 0);
    SendDlgItemMessage(IDC_IMAGE_TYPE, CB_SETCURSEL, WPARAM(config.EMRImageType));
    SetDlgItemText(IDC_VERSION, kVersion);
    m_strDataPath = config.DataPath;
    bed::FillMapList(*this, IDC_LANGUAGE, NRConstMap::CMAP_LANGUAGE, config.Language);
    m_bLoading = true;
    UpdateData(FALSE);
    m_bLoading = false;
}

void CSystemSettingPage::StorePortsAndLanguage()
{
    if (m_pConfig == nullptr)
        return;
    for (int i = 0; i < kPortCount; ++i) {
        int& port = m_pConfig->SerialName[size_t(i)];
        port = int(bed::SelectedListValue(*this, kPortIds[i], port));
    }
    m_pConfig->Language = int(bed::SelectedListValue(*this, IDC_LANGUAGE, m_pConfig->Language));
}

void CSystemSettingPage::OnImageType()
{
    if (m_pConfig != nullptr)
        m_pConfig->EMRImageType = int(bed::SelectedListValue(*this, IDC_IMAGE_TYPE, m_pConfig->EMRImageType));
}

void CSystemSettingPage::OnProgramPathTyped()
{
    if (m_pConfig == nullptr || m_bLoading)
        return;
    UpdateData(TRUE);
    // A text the settings file could not give back (a pasted line break) is not taken.
    if (KTIni::IsWritableValue(m_strEmrProgramPath))
        m_pConfig->EMRProgramPath = m_strEmrProgramPath;
    // The folders change only through their pickers: their edits show the copy again.
    m_strEmrDataPath = m_pConfig->EMRDataPath;
    m_strDataPath = m_pConfig->DataPath;
    UpdateData(FALSE);
}

bool CSystemSettingPage::PickFolder(CString& folder)
{
    KTDirDialog picker(GetSafeHwnd(), bed::LoadText(IDS_SELECT_DATA_FOLDER), folder, nullptr);
    if (picker.DoModal(kFolderBrowseFlags) != IDOK)
        return false;
    const CString chosen = picker.GetPathName();
    // A choice without a folder path (or one the settings file could not hold) keeps the old one.
    if (chosen.IsEmpty() || !KTIni::IsWritableValue(chosen))
        return false;
    folder = chosen;
    return true;
}

void CSystemSettingPage::OnBrowseEmrFolder()
{
    if (m_pConfig == nullptr || !PickFolder(m_strEmrDataPath))
        return;
    m_pConfig->EMRDataPath = m_strEmrDataPath;
    UpdateData(FALSE);
}

void CSystemSettingPage::OnBrowseDataFolder()
{
    if (m_pConfig == nullptr || !PickFolder(m_strDataPath))
        return;
    m_pConfig->DataPath = m_strDataPath;
    UpdateData(FALSE);
}

void CSystemSettingPage::OnBrowseProgram()
{
    if (m_pConfig == nullptr)
        return;
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, appcommon::kProgramFileFilter, this);
    if (dialog.DoModal() != IDOK)
        return;
    const CString chosen = dialog.GetPathName();
    if (chosen.IsEmpty() || !KTIni::IsWritableValue(chosen))
        return;
    m_strEmrProgramPath = chosen;
    m_pConfig->EMRProgramPath = m_strEmrProgramPath;
    UpdateData(FALSE);
}

void CSystemSettingPage::OnUserManager()
{
    if (m_OpenUserManager)
        m_OpenUserManager(*this);
    else
        StationMessageBox(IDS_NOT_AVAILABLE, MB_OK | MB_ICONINFORMATION);
}

const platform::MessageMap* CSystemSettingPage::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Control<&CSystemSettingPage::StorePortsAndLanguage>(CBN_SELCHANGE, kPortIds[0]),
        Control<&CSystemSettingPage::StorePortsAndLanguage>(CBN_SELCHANGE, kPortIds[1]),
        Control<&CSystemSettingPage::StorePortsAndLanguage>(CBN_SELCHANGE, kPortIds[2]),
        Control<&CSystemSettingPage::StorePortsAndLanguage>(CBN_SELCHANGE, kPortIds[3]),
        Control<&CSystemSettingPage::StorePortsAndLanguage>(CBN_SELCHANGE, kPortIds[4]),
        Control<&CSystemSettingPage::StorePortsAndLanguage>(CBN_SELCHANGE, kPortIds[5]),
        Control<&CSystemSettingPage::StorePortsAndLanguage>(CBN_SELCHANGE, kPortIds[6]),
        Control<&CSystemSettingPage::StorePortsAndLanguage>(CBN_SELCHANGE, kPortIds[7]),
        Control<&CSystemSettingPage::StorePortsAndLanguage>(CBN_SELCHANGE, IDC_LANGUAGE),
        Control<&CSystemSettingPage::OnImageType>(CBN_SELCHANGE, IDC_IMAGE_TYPE),
        Control<&CSystemSettingPage::OnProgramPathTyped>(EN_CHANGE, IDC_EMR_PROGRAM_PATH),
        Command<&CSystemSettingPage::OnBrowseEmrFolder>(IDC_BROWSE_EMR_DATA),
        Command<&CSystemSettingPage::OnBrowseDataFolder>(IDC_BROWSE_DATA),
        Command<&CSystemSettingPage::OnBrowseProgram>(IDC_BROWSE_PROGRAM),
        Command<&CSystemSettingPage::OnUserManager>(IDC_USER_MANAGER),
    };
    static constexpr platform::MessageMap kMap{&CConfigPage::GetThisMessageMap, kEntries};
    return &kMap;
}

} // namespace tarvic::config
