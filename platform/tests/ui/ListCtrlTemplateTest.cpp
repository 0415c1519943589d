// Common controls named by a dialog template: the classes exist from the library's load on, so
// a dialog makes its list, tree and tab controls before any program code touched them, and a
// wrapper subclasses them by id.
#include "platform/ui/dialogs/Dialog.h"
#include "platform/ui/dialogs/DialogTemplate.h"
#include "platform/ui/controls/ListCtrl.h"
#include "platform/ui/controls/TabCtrl.h"
#include "platform/ui/controls/TreeCtrl.h"
#include "testkit/ControlParent.h"

#include <gtest/gtest.h>

namespace {

constexpr UINT IDD_PATIENTS = 300;
constexpr int IDC_LIST = 3001;
constexpr int IDC_TREE = 3002;
constexpr int IDC_TABS = 3003;

const platform::DialogItem kItems[] = {
    { "SysListView32", "", IDC_LIST, LVS_REPORT | WS_BORDER | WS_TABSTOP, 7, 7, 200, 80 },
    { "SysTreeView32", "", IDC_TREE, TVS_HASBUTTONS | WS_BORDER | WS_TABSTOP, 7, 90, 100, 60 },
    { "SysTabControl32", "", IDC_TABS, WS_TABSTOP, 110, 90, 100, 60 },
};
const platform::DialogTemplate kDialogs[] = {
    { IDD_PATIENTS, nullptr, WS_POPUP | WS_CAPTION, 0, 0, 0, 220, 160, "Patients", nullptr, 0, kItems },
};
const platform::DialogTemplateTable kTable { kDialogs };
platform::ResourceModuleRegistration s_dialogs("UiListCtrlTemplateTest", { .dialogs = &kTable });

TEST(UiCommonControlTemplate, DialogMakesAndWrappersSubclassTheControls)
{
    CDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_PATIENTS, nullptr));
    CListCtrl list;
    ASSERT_TRUE(list.SubclassDlgItem(IDC_LIST, &dialog));
    list.InsertColumn(0, "Name", LVCFMT_LEFT, 120);
    EXPECT_EQ(list.InsertItem(0, "Kim"), 0);
    EXPECT_EQ(list.GetItemText(0, 0), "Kim");
    ASSERT_NE(list.GetHeaderCtrl(), nullptr);
    EXPECT_EQ(list.GetHeaderCtrl()->GetItemCount(), 1);

    CTreeCtrl tree;
    ASSERT_TRUE(tree.SubclassDlgItem(IDC_TREE, &dialog));
    EXPECT_NE(tree.InsertItem("Ward"), nullptr);
    CTabCtrl tabs;
    ASSERT_TRUE(tabs.SubclassDlgItem(IDC_TABS, &dialog));
    EXPECT_EQ(tabs.InsertItem(0, "Trend"), 0);
    dialog.DestroyWindow();
}

} // namespace
