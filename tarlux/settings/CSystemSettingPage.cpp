// The system page of the review settings.
#include "tarlux/settings/CSystemSettingPage.h"

#include "tarlux/common/ReviewDialogs.h"
#include "tarlux/res/TarluxResources.h"

#include "appcommon/ProgramFileFilter.h"

#include "ktutil/KTDirDialog.h"
#include "ktutil/KTGF.h"
#include "ktutil/KTInstance.h"
#include "nrdata/config/NyraConfig.h"

#include "platform/ui/dialogs/FileDialog.h"

using namespace platform::msgmap;

namespace tarlux {
namespace {

constexpr int kEmrPathEdit = 1106;
constexpr int kProgramPathEdit = 1107;
constexpr int kDataPathEdit = 5106;
constexpr int kEmrPathButton = 1478;
constexpr int kProgramButton = 1479;
constexpr int kDataPathButton = 5413;
constexpr int kImageTypeCombo = 1477;
constexpr int kLanguageCombo = 5098;
constexpr int kVersionText = 1414;
// The browse flags of the folder pickers.
constexpr UINT kBrowseFlags = 9;
// The name the central station holds while it runs.
constexpr char kCentralInstanceName[] = "TarvicII_BrokerServer";
constexpr char kVersion[] = "1.1.2 Lite";

constexpr int kInputs[] = { kEmrPathButton, kProgramButton, kEmrPathEdit,   kProgramPathEdit,
                            kImageTypeCombo, kDataPathButton, kDataPathEdit, kLanguageCombo };

constexpr LabelText kLabels[] = {
    { 5400, IDS_SYSTEM_HEADING, false }, { 1403, IDS_EMR_SETTING, false }, { 1411, IDS_DATA_PATH, true },
    { 1486, IDS_PROGRAM_PATH, true },   { 1487, IDS_IMAGE_TYPE, true },   { 5410, IDS_SYSTEM, false },
    { 5411, IDS_DATA_PATH, true },      { 5412, IDS_LANGUAGE, true },     { 1273, IDS_SW_VERSION, true },
};

} // namespace

CSystemSettingPage::CSystemSettingPage(NyraConfig* pConfig) : CReviewSettingPage(IDD_SYSTEM_SETTING_PAGE, pConfig) {}

const platform::MessageMap* CSystemSettingPage::GetThisMessageMap()
{
    static constexpr platform::MessageMapEntry kEntries[] = {
        Command<&CSystemSettingPage::OnPickEmrFolder>(kEmrPathButton),
        Command<&CSystemSettingPage::OnPickProgram>(kProgramButton),
        Command<&CSystemSettingPage::OnPickDataFolder>(kDataPathButton),
        Control<&CSystemSettingPage::OnImageTypeChange>(CBN_SELCHANGE, kImageTypeCombo),
        Control<&CSystemSettingPage::OnLanguageChange>(CBN_SELCHANGE, kLanguageCombo),
    };
    static constexpr platform::MessageMap kMap { &CReviewSettingPage::GetThisMessageMap, kEntries };
    return &kMap;
}

void CSystemSettingPage::DoDataExchange(CDataExchange* pDX)
{
    CReviewSettingPage::DoDataExchange(pDX);
    DDX_Control(pDX, kImageTypeCombo, m_imageType);
    DDX_Control(pDX, kLanguageCombo, m_language);
}

BOOL CSystemSettingPage::OnInitDialog()
{
    CReviewSettingPage::OnInitDialog();
    SetLabelTexts(*this, kLabels);
    return TRUE;
}

void CSystemSettingPage::Reload()
{
    if (!::IsWindow(m_imageType.m_hWnd))
        return;
    SetDlgItemText(kEmrPathEdit, m_pConfig->EMRDataPath);
    SetDlgItemText(kProgramPathEdit, m_pConfig->EMRProgramPath);
    m_imageType.ResetContent();
    m_imageType.SetItemData(m_imageType.AddString("JPG"), 0);
    m_imageType.SetCurSel(m_pConfig->EMRImageType == 0 ? 0 : -1);
    SetDlgItemText(kVersionText, kVersion);
    SetDlgItemText(kDataPathEdit, m_pConfig->DataPath);
    FillMapCombo(m_language, NRConstMap::CMAP_LANGUAGE, m_pConfig->Language);
    EnableControls(*this, kInputs, KTInstance::IsInstanceExist(kCentralInstanceName) ? FALSE : TRUE);
}

void CSystemSettingPage::PickFolder(int editId, CString NyraSettings::* key)
{
    CString start;
    GetDlgItem(editId)->GetWindowText(start);
    KTDirDialog picker(m_hWnd, KTGF::GetString(IDS_SELECT_DATA_FOLDER), start, nullptr);
    if (picker.DoModal(kBrowseFlags) != IDOK)
        return;
    const CString folder = picker.GetPathName();
    // A path the settings file could not give back is never taken.
    if (folder.IsEmpty() || folder.FindOneOf("\r\n") >= 0)
        return;
    SetDlgItemText(editId, folder);
    m_pConfig->*key = folder;
}

void CSystemSettingPage::OnPickEmrFolder() { PickFolder(kEmrPathEdit, &NyraSettings::EMRDataPath); }

void CSystemSettingPage::OnPickDataFolder() { PickFolder(kDataPathEdit, &NyraSettings::DataPath); }

void CSystemSettingPage::OnPickProgram()
{
    CFileDialog picker(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, appcommon::kProgramFileFilter,
                       this);
    if (picker.DoModal() != IDOK)
        return;
    const CString path = picker.GetPathName();
    if (path.FindOneOf("\r\n") >= 0)
        return;
    SetDlgItemText(kProgramPathEdit, path);
    m_pConfig->EMRProgramPath = path;
}

void CSystemSettingPage::OnImageTypeChange()
{
    m_pConfig->EMRImageType = SelectedItemData(m_imageType, m_pConfig->EMRImageType);
}

void CSystemSettingPage::OnLanguageChange() { m_pConfig->Language = SelectedItemData(m_language, m_pConfig->Language); }

} // namespace tarlux
