// CConfigurationDlg: the station's configuration: a modal dialog with a tab control and three
// child pages (initial data, colours, system) that edit a copy of the station's settings. Its
// one button, "Save Configuration.", puts the copy into the station's settings, writes the ini
// file and lets the view apply it; the dialog stays open. Closing it (the close box) drops what
// was not saved. Enter and Escape do nothing.
#pragma once

#include "tarvic/dialogs/CConfigPage.h"

#include <array>
#include <functional>
#include <memory>

class CTarvicIIView;

namespace tarvic::config {

class CConfigurationDlg : public CTabSheet
{
public:
    static constexpr int kPageCount = 3;

    // `openUserManager` goes to the system page's "User Manager" button.
    explicit CConfigurationDlg(CWnd* pParent, std::function<void(CWnd&)> openUserManager = {});
    ~CConfigurationDlg() override;

    // The view whose configuration is applied after a save (not owned; may be null).
    void SetView(CTarvicIIView* pView) { m_pView = pView; }

    BOOL OnInitDialog() override;

    // The page of tab `index` (0 initial data, 1 colours, 2 system); null before initialisation.
    CConfigPage* GetPage(int index) const;
    // The copy the pages edit.
    NyraConfig& GetConfigCopy() { return m_Config; }

    // "Save Configuration.": the copy into the station's settings, the ini file, the view.
    void OnSaveConfiguration();

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

protected:
    CSheetPage* PageAt(int index) const override { return GetPage(index); }

private:
    // The pages' windows go before the sheet's own, then the objects.
    void DestroyPages();
    void OnDestroy();

    CTarvicIIView* m_pView { nullptr };
    std::function<void(CWnd&)> m_OpenUserManager;
    NyraConfig m_Config;
    std::array<std::unique_ptr<CConfigPage>, kPageCount> m_Pages;
};

// The opener of the configuration behind the station's dialogs (StationDialogs::configuration).
void OpenConfiguration(CTarvicIIView& view);

} // namespace tarvic::config
