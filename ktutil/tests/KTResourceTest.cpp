// KTResource with a separately loaded resource module (KTRES_TST.so) and this program's own
// texts and pictures; KTBmpUtil loading and drawing pictures.
#include "ktutil/KTBmpUtil.h"
#include "ktutil/KTResource.h"

#include "platform/core/ResourceModule.h"
#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/Icon.h"
#include "platform/ui/dialogs/Dialog.h"
#include "platform/ui/dialogs/DialogTemplate.h"
#include "testkit/BuildFolders.h"
#include "testkit/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// This program's own module: texts 1 and 2 and a 4 x 4 blue picture.
const BYTE kBluePng[] = {
    0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44, 0x52,
    0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x04, 0x08, 0x02, 0x00, 0x00, 0x00, 0x26, 0x93, 0x09,
    0x29, 0x00, 0x00, 0x00, 0x10, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9c, 0x63, 0x60, 0x60, 0xf8, 0x8f,
    0x84, 0x88, 0xe2, 0x00, 0x00, 0x8e, 0xb3, 0x0f, 0xf1, 0xb3, 0xa3, 0x2f, 0x33, 0x00, 0x00, 0x00,
    0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82
};
const platform::StringEntry kStrings[] = {
    { 1, "Program text" },
    { 2, "Only in the program" },
};
const platform::ResourceData kData[] = {
    { "PNG", 100, nullptr, kBluePng },
    { "PNG", 200, nullptr, kBluePng },
};
const platform::DialogTemplate kDialogs[] = {
    { 500, nullptr, 0x80C80000 /* WS_POPUP | WS_CAPTION | WS_SYSMENU */, 0, 0, 0, 100, 50, "Program dialog", nullptr,
      0, {} },
    { 600, nullptr, 0x80C80000, 0, 0, 0, 100, 50, "Only the program's dialog", nullptr, 0, {} },
};
const platform::DialogTemplateTable kDialogTable { kDialogs };
const platform::ResourceModuleRegistration s_program("KTResourceTest",
                                                     { .strings = kStrings, .data = kData, .dialogs = &kDialogTable });

CString SkinModule() { return CString(testkit::TestModuleFolder("ktutil") + "/KTRES_TST.so"); }

CSize SizeOf(HBITMAP handle)
{
    BITMAP info {};
    CBitmap::FromHandle(handle)->GetBitmap(&info);
    return CSize(info.bmWidth, info.bmHeight);
}

} // namespace

TEST(KTResource, TextsComeFromTheModuleThenFromTheProgram)
{
    KTResource resource;
    EXPECT_EQ(resource.GetString(1), CString("Program text")); // no module yet
    ASSERT_EQ(resource.OpenResource(SkinModule(), "skin"), KTRES_OK);
    EXPECT_TRUE(resource.IsAvailable());
    EXPECT_EQ(resource.GetLabel(), CString("skin"));

    EXPECT_EQ(resource.GetString(1), CString("Skin text"));
    EXPECT_EQ(resource.GetString(2), CString("Only in the program"));
    EXPECT_EQ(resource.GetString(3), CString("Only in the skin"));
    EXPECT_TRUE(resource.GetString(99).IsEmpty());

    EXPECT_EQ(resource.CloseResource(), KTRES_OK);
    EXPECT_FALSE(resource.IsAvailable());
    EXPECT_TRUE(resource.GetLabel().IsEmpty());
    EXPECT_EQ(resource.GetString(1), CString("Program text"));
}

TEST(KTResource, OpeningWithoutAModuleWorksAndAMissingFileIsReported)
{
    KTResource resource;
    EXPECT_EQ(resource.CloseResource(), KTRES_OK); // nothing loaded: fine
    EXPECT_EQ(resource.OpenResource("/nonexistent/KTRES_NONE.so", "none"), KTRES_LOAD_FAILED);
    EXPECT_FALSE(resource.IsAvailable());
    EXPECT_EQ(resource.OpenResource(SkinModule(), "again"), KTRES_OK);
    EXPECT_EQ(resource.OpenResource(SkinModule(), "twice"), KTRES_OK); // the first is closed
    EXPECT_EQ(resource.GetLabel(), CString("twice"));
}

TEST(KTResource, PicturesComeFromTheModuleThenFromTheProgram)
{
    KTResource resource;
    ASSERT_EQ(resource.OpenResource(SkinModule(), "skin"), KTRES_OK);

    HBITMAP skin = resource.GetBitmap(100);
    ASSERT_NE(skin, nullptr);
    EXPECT_EQ(SizeOf(skin), CSize(3, 2)); // the module's red picture
    HBITMAP program = resource.GetBitmap(200);
    ASSERT_NE(program, nullptr);
    EXPECT_EQ(SizeOf(program), CSize(4, 4)); // the program's blue one
    EXPECT_EQ(resource.GetBitmap(300), nullptr);
    DeleteObject(skin);
    DeleteObject(program);

    HICON icon = resource.GetIcon(100, 16, 16);
    ASSERT_NE(icon, nullptr);
    SIZE size {};
    ASSERT_TRUE(platform::GetIconSize(icon, &size));
    EXPECT_EQ(size.cx, 3);
    DestroyIcon(icon);
    EXPECT_EQ(resource.GetIcon(300, 16, 16), nullptr);
}

TEST(KTResource, DialogsComeFromTheModuleThenFromTheProgram)
{
    KTResource resource;
    CDialog skin, program, modal;
    EXPECT_EQ(resource.GetDialog(500, nullptr, nullptr, TRUE), KTRES_NO_DIALOG);
    ASSERT_EQ(resource.OpenResource(SkinModule(), "skin"), KTRES_OK);

    ASSERT_EQ(resource.GetDialog(500, &skin, nullptr, TRUE), KTRES_OK);
    CString caption;
    skin.GetWindowText(caption);
    EXPECT_EQ(caption, CString("Skin dialog"));
    EXPECT_NE(skin.GetDlgItem(1), nullptr);
    EXPECT_EQ(resource.GetDialog(500, &skin, nullptr, TRUE), KTRES_DIALOG_EXISTS);

    ASSERT_EQ(resource.GetDialog(600, &program, nullptr, TRUE), KTRES_OK);
    program.GetWindowText(caption);
    EXPECT_EQ(caption, CString("Only the program's dialog"));

    EXPECT_EQ(resource.GetDialog(600, &modal, nullptr, FALSE), KTRES_OK); // prepared, not shown
    EXPECT_EQ(modal.GetSafeHwnd(), nullptr);
    CDialog none;
    EXPECT_EQ(resource.GetDialog(700, &none, nullptr, TRUE), KTRES_NO_TEMPLATE);
    skin.DestroyWindow();
    program.DestroyWindow();
}

// ---- KTBmpUtil ---------------------------------------------------------------------------------------

class KTBmpUtilTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dc.CreateCompatibleDC(nullptr));
        ASSERT_TRUE(m_canvas.CreateBitmap(20, 20, 1, 32, nullptr));
        m_old = m_dc.SelectObject(&m_canvas);
        m_dc.FillSolidRect(CRect(0, 0, 20, 20), RGB(255, 255, 255));
        CString file = m_folder.Write("blue.png", std::string(reinterpret_cast<const char*>(kBluePng), sizeof kBluePng));
        ASSERT_EQ(KTBmpUtil::LoadBitmapA(file, m_picture), 1);
    }
    void TearDown() override { m_dc.SelectObject(m_old); }

    bool Blue(int x, int y) const { return m_dc.GetPixel(x, y) == RGB(0, 0, 255); }

    testkit::TempFolder m_folder;
    CDC m_dc;
    CBitmap m_canvas;
    CBitmap* m_old { nullptr };
    CBitmap m_picture;
};

TEST_F(KTBmpUtilTest, LoadingReplacesThePictureOnlyWhenTheFileIsRead)
{
    EXPECT_EQ(SizeOf(static_cast<HBITMAP>(m_picture)), CSize(4, 4));
    EXPECT_EQ(KTBmpUtil::LoadBitmapA(m_folder.Path("missing.png"), m_picture), 0);
    EXPECT_EQ(SizeOf(static_cast<HBITMAP>(m_picture)), CSize(4, 4)); // kept
    CString junk = m_folder.Write("junk.png", "not a picture");
    EXPECT_EQ(KTBmpUtil::LoadBitmapA(junk, m_picture), 0);
    EXPECT_NE(m_picture.GetSafeHandle(), nullptr);
}

TEST_F(KTBmpUtilTest, DrawsWholeStretchedAndCentred)
{
    KTBmpUtil::DrawBitmap(&m_picture, &m_dc, 1, 1);
    EXPECT_TRUE(Blue(1, 1));
    EXPECT_TRUE(Blue(4, 4));
    EXPECT_FALSE(Blue(5, 5));

    KTBmpUtil::DrawBitmapStrected(&m_picture, &m_dc, 10, 0, 8, 2);
    EXPECT_TRUE(Blue(17, 1));
    EXPECT_FALSE(Blue(17, 2));

    // Centred in (10, 10, 20, 20): left = 15 - 2 = 13.
    KTBmpUtil::DrawBitmapCenter(&m_picture, &m_dc, CRect(10, 10, 20, 20));
    EXPECT_FALSE(Blue(12, 13));
    EXPECT_TRUE(Blue(13, 13));
    EXPECT_TRUE(Blue(16, 16));
    EXPECT_FALSE(Blue(17, 17));

    CBitmap empty;
    KTBmpUtil::DrawBitmap(&empty, &m_dc, 0, 10); // nothing happens
    KTBmpUtil::DrawBitmap(nullptr, &m_dc, 0, 10);
    EXPECT_FALSE(Blue(0, 10));
}
