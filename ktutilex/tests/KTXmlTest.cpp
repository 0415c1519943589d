// XML documents: creating, walking by path and position, editing, saving and reopening, and
// documents from outside that try to reach files or expand without end.
#include "ktutilex/KTXml.h"

#include "support/ExFiles.h"
#include "testkit/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>

namespace {

using testkit::TempFolder;
using ktutilex_test::ReadFile;
using ktutilex_test::WriteFile;

class KTXmlTest : public ::testing::Test
{
protected:
    std::string File(const char* name) const { return m_folder / name; }

    TempFolder m_folder;
    KTXml m_xml;
};

TEST_F(KTXmlTest, ANewDocumentHasTheDeclarationAndTheRootAsCurrentNode)
{
    ASSERT_EQ(m_xml.New("config"), 1);
    EXPECT_EQ(m_xml.GetNodeName(), "config");
    EXPECT_EQ(m_xml.GetNodeType(), "element");
    ASSERT_EQ(m_xml.SelectRootNode(), 1);
    EXPECT_EQ(m_xml.GetNodeName(), "#document");
    EXPECT_EQ(m_xml.GetChildNodeCount(), 2);
    EXPECT_EQ(m_xml.GetChildNodeType(nullptr, 0), "processinginstruction");
    EXPECT_EQ(m_xml.GetChildNodeName(nullptr, 0), "xml");
    EXPECT_EQ(m_xml.GetNodeXML(), "<?xml version='1.0'?>\n<config/>\n");

    EXPECT_EQ(m_xml.New(""), 0);
    EXPECT_EQ(m_xml.New("not a name"), 0);

    // A file without a declaration shows none.
    WriteFile(File("bare.xml"), "<bare/>");
    ASSERT_EQ(m_xml.Open(File("bare.xml").c_str()), 1);
    EXPECT_EQ(m_xml.GetChildNodeCount(), 1);
    EXPECT_EQ(m_xml.GetNodeXML(), "<bare/>\n");
}

TEST_F(KTXmlTest, OpenWalkChangeSaveAndReopen)
{
    ASSERT_EQ(m_xml.New("config"), 1);
    EXPECT_EQ(m_xml.AddChildNode("bed", "1"), 0);
    EXPECT_EQ(m_xml.AddChildNode("Bed", "2"), 1);
    EXPECT_EQ(m_xml.AddChildNode("bed", "3"), 2);
    EXPECT_EQ(m_xml.AddChildNode("ward/room/name", "Tom & Jerry <1>"), 3);
    ASSERT_EQ(m_xml.Save(File("a.xml").c_str()), 1);

    KTXml reopened;
    ASSERT_EQ(reopened.Open(File("a.xml").c_str(), "config"), 1);
    EXPECT_EQ(reopened.GetNodeName(), "config");
    // Names compare without case; the index picks the occurrence.
    EXPECT_EQ(reopened.GetChildNodeText("bed", 1), "2");
    EXPECT_EQ(reopened.GetChildNodeText("bed", 2), "3");
    EXPECT_EQ(reopened.GetChildNodeText("bed", 3), "");
    // Three segments: the leaf is under the deepest new element.
    EXPECT_EQ(reopened.GetChildNodeText("ward/room/name", 0), "Tom & Jerry <1>");
    ASSERT_EQ(reopened.SelectChildNode("ward/room", 0), 1);
    EXPECT_EQ(reopened.GetNodeXML(), "<room><name>Tom &amp; Jerry &lt;1&gt;</name></room>");

    ASSERT_EQ(reopened.SelectParentNode(), 1);
    ASSERT_EQ(reopened.SelectParentNode(), 1);
    ASSERT_EQ(reopened.SetChildNodeText("bed", 0, "one & only"), 1);
    ASSERT_EQ(reopened.DeleteChildNode(2), 1);
    EXPECT_EQ(reopened.InsertChildNode("first", "0", 0), 0);
    EXPECT_EQ(reopened.InsertChildNode("last", nullptr, 4), 4);
    EXPECT_EQ(reopened.InsertChildNode("beyond", nullptr, 9), -1);
    ASSERT_EQ(reopened.Save(File("a.xml").c_str()), 1);

    KTXml third;
    ASSERT_EQ(third.Open(File("a.xml").c_str(), "config"), 1);
    EXPECT_EQ(third.GetChildNodeCount(), 5);
    const char* names[] = { "first", "bed", "Bed", "ward", "last" };
    for (long i = 0; i < 5; ++i)
        EXPECT_EQ(third.GetChildNodeName(nullptr, i), names[i]);
    EXPECT_EQ(third.GetChildNodeText("bed", 0), "one & only");
    EXPECT_EQ(ReadFile(File("a.xml")).rfind("<?xml version='1.0'?>\n<config>", 0), 0u);
}

TEST_F(KTXmlTest, AddingAPathTwiceMakesSeparateElements)
{
    ASSERT_EQ(m_xml.New("root"), 1);
    EXPECT_EQ(m_xml.AddChildNode("a/b", "x"), 0);
    EXPECT_EQ(m_xml.AddChildNode("a/b", "x"), 1);
    EXPECT_EQ(m_xml.GetNodeXML(), "<root><a><b>x</b></a><a><b>x</b></a></root>");
    // A path that cannot be added leaves nothing behind.
    EXPECT_EQ(m_xml.AddChildNode("c/not a name", "x"), -1);
    EXPECT_EQ(m_xml.GetChildNodeCount(), 2);
    EXPECT_EQ(m_xml.AddChildNodeElement("a", 1, "c", "y"), 1);
    EXPECT_EQ(m_xml.AddChildNodeElement("a/b", 0, "c", "y"), -1);
    EXPECT_EQ(m_xml.AddChildNodeElement(0, "d", nullptr), 1);
    EXPECT_EQ(m_xml.GetNodeXML(), "<root><a><b>x</b><d/></a><a><b>x</b><c>y</c></a></root>");
    // The document keeps one top element.
    ASSERT_EQ(m_xml.SelectRootNode(), 1);
    EXPECT_EQ(m_xml.AddChildNode("second", nullptr), -1);
}

TEST_F(KTXmlTest, MovesThatFindNothingKeepTheCurrentNode)
{
    ASSERT_EQ(m_xml.New("root"), 1);
    m_xml.AddChildNode("a", nullptr);
    m_xml.AddChildNode("b", nullptr);
    EXPECT_EQ(m_xml.SelectChildNode(5), 0);
    EXPECT_EQ(m_xml.SelectChildNode(-1), 0);
    EXPECT_EQ(m_xml.SelectChildNode("c", 0), 0);
    EXPECT_EQ(m_xml.GetNodeName(), "root");
    m_xml.DeleteAllChild();
    EXPECT_EQ(m_xml.NodeHasChildren(), 0);
    ASSERT_EQ(m_xml.SelectRootNode(), 1);
    EXPECT_EQ(m_xml.SelectParentNode(), 0);
}

TEST_F(KTXmlTest, EverythingFailsQuietlyWithoutADocument)
{
    EXPECT_EQ(m_xml.Save(File("never.xml").c_str()), 0);
    EXPECT_FALSE(std::filesystem::exists(File("never.xml")));
    EXPECT_EQ(m_xml.SelectRootNode(), 0);
    EXPECT_EQ(m_xml.GetNodeName(), "");
    EXPECT_EQ(m_xml.AddChildNode("a", "b"), -1);
    EXPECT_EQ(m_xml.InsertChildNode("a", "b", 0), -1);
    EXPECT_EQ(m_xml.SetNodeText("x"), 0);
    EXPECT_EQ(m_xml.GetChildNodeCount(), 0);
    EXPECT_EQ(m_xml.Open(File("missing.xml").c_str()), 0);
    EXPECT_EQ(m_xml.IsOpened(), 0);
}

TEST_F(KTXmlTest, CopiesShareTheDocumentWhichOutlivesTheOriginal)
{
    auto original = std::make_unique<KTXml>();
    ASSERT_EQ(original->New("shared"), 1);
    KTXml copy(*original);
    KTXml assigned;
    assigned = *original;
    original->AddChildNode("seen", "by all");
    original.reset();
    EXPECT_EQ(copy.GetChildNodeText("seen", 0), "by all");
    copy.Close();
    EXPECT_EQ(assigned.GetNodeName(), "shared");
}

// A document type carries the root element's name, and its declarations belong to it: paths
// find elements only, and nothing is added to or taken from a document type or a declaration.
TEST_F(KTXmlTest, ADocumentTypeIsNeitherFoundByNameNorEdited)
{
    const std::string text = "<?xml version='1.0'?>\n"
                             "<!DOCTYPE Settings [\n"
                             "<!ELEMENT Settings (Bed*)>\n"
                             "<!ELEMENT Bed (#PCDATA)>\n"
                             "<!ATTLIST Bed no CDATA #REQUIRED>\n"
                             "]>\n"
                             "<Settings><Bed no='1'>first</Bed><Bed no='2'>second</Bed></Settings>\n";
    WriteFile(File("typed.xml"), text);

    ASSERT_EQ(m_xml.Open(File("typed.xml").c_str(), "Settings"), 1);
    EXPECT_EQ(m_xml.GetNodeType(), "element");
    EXPECT_EQ(m_xml.GetNodeText(), "firstsecond");
    EXPECT_EQ(m_xml.GetChildNodeText("bed", 1), "second");
    ASSERT_EQ(m_xml.SelectRootNode(), 1);
    EXPECT_EQ(m_xml.GetChildNodeType("settings", 0), "element");
    EXPECT_EQ(m_xml.SelectNodeFromRoot("Settings/Bed"), 1);
    EXPECT_EQ(m_xml.GetNodeText(), "first");

    // The document type is reached by position only, and refuses every edit.
    ASSERT_EQ(m_xml.SelectRootNode(), 1);
    ASSERT_EQ(m_xml.GetChildNodeType(nullptr, 1), "documenttype");
    EXPECT_EQ(m_xml.GetChildNodeName(nullptr, 1), "Settings");
    EXPECT_EQ(m_xml.SetChildNodeText(nullptr, 1, "x"), 0);
    ASSERT_EQ(m_xml.SelectChildNode(1), 1);
    const long declarations = m_xml.GetChildNodeCount();
    EXPECT_EQ(declarations, 3);
    EXPECT_EQ(m_xml.DeleteChildNode(0), 0);
    m_xml.DeleteAllChild();
    EXPECT_EQ(m_xml.AddChildNode("Bed", "third"), -1);
    EXPECT_EQ(m_xml.AddChildNodeElement(nullptr, 0, "Bed", "third"), -1);
    EXPECT_EQ(m_xml.InsertChildNode("Bed", "third", 0), -1);
    EXPECT_EQ(m_xml.SetNodeText("x"), 0);
    EXPECT_EQ(m_xml.GetChildNodeCount(), declarations);
    // ... and so does each declaration.
    ASSERT_EQ(m_xml.SelectChildNode(0), 1);
    EXPECT_EQ(m_xml.AddChildNode("Bed", "third"), -1);
    EXPECT_EQ(m_xml.InsertChildNode("Bed", nullptr, 0), -1);
    EXPECT_EQ(m_xml.SetNodeText("x"), 0);
    EXPECT_EQ(m_xml.GetChildNodeCount(), 0);

    // The document, edited where it may be, is still valid against its own declarations.
    ASSERT_EQ(m_xml.SelectNodeFromRoot("Settings"), 1);
    ASSERT_EQ(m_xml.DeleteChildNode(0), 1);
    ASSERT_EQ(m_xml.Save(File("edited.xml").c_str()), 1);
    m_xml.Close();
    if (std::system("command -v xmllint >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "xmllint (libxml2-utils) is not installed: no independent validator";
    EXPECT_EQ(std::system(("xmllint --noout --valid '" + File("edited.xml") + "'").c_str()), 0)
        << ReadFile(File("edited.xml"));
}

// What is saved opens again: texts that XML cannot hold where they would stand are refused,
// and a document that would not open again is not saved over the old file.
TEST_F(KTXmlTest, EditsThatWouldMakeTheFileUnreadableAreRefused)
{
    WriteFile(File("notes.xml"), "<?xml version='1.0'?>\n<notes><!--c--><?pi data?><![CDATA[raw]]><n>t</n></notes>\n");
    ASSERT_EQ(m_xml.Open(File("notes.xml").c_str(), "notes"), 1);
    // Texts no node can hold: control characters, broken or non-character UTF-8.
    for (const char* text : { "bell\x07", "cut \xE2\x82", "\xFF", "\xEF\xBF\xBE", "nul\x01" }) {
        EXPECT_EQ(m_xml.SetNodeText(text), 0) << text;
        EXPECT_EQ(m_xml.SetChildNodeText(nullptr, 3, text), 0) << text;
        EXPECT_EQ(m_xml.AddChildNode("x", text), -1) << text;
        EXPECT_EQ(m_xml.InsertChildNode("x", text, 0), -1) << text;
    }
    // Texts that would end their comment, instruction or character data early.
    const std::pair<long, const char*> cut[] = { { 0, "a--b" }, { 0, "ends-" }, { 1, "a?>b" }, { 2, "a]]>b" } };
    for (const auto& [child, text] : cut)
        EXPECT_EQ(m_xml.SetChildNodeText(nullptr, child, text), 0) << text;
    EXPECT_EQ(m_xml.GetNodeXML(), "<notes><!--c--><?pi data?><![CDATA[raw]]><n>t</n></notes>");
    EXPECT_EQ(m_xml.SetChildNodeText(nullptr, 0, "tab\tand line\nand \xC3\xBC"), 1);

    // The declaration is the document's own.
    ASSERT_EQ(m_xml.SelectRootNode(), 1);
    EXPECT_EQ(m_xml.SetChildNodeText(nullptr, 0, "version='1.0' encoding='ISO-8859-1'"), 0);
    EXPECT_EQ(m_xml.InsertChildNode("before", nullptr, 0), -1);
    ASSERT_EQ(m_xml.Save(File("notes.xml").c_str()), 1);
    const std::string saved = ReadFile(File("notes.xml"));

    // Without its root element the document cannot be read: the old file stays.
    ASSERT_EQ(m_xml.DeleteChildNode(1), 1);
    EXPECT_EQ(m_xml.Save(File("notes.xml").c_str()), 0);
    EXPECT_EQ(ReadFile(File("notes.xml")), saved);
    KTXml reopened;
    ASSERT_EQ(reopened.Open(File("notes.xml").c_str(), "notes"), 1);
    EXPECT_EQ(reopened.GetChildNodeText(nullptr, 0), "tab\tand line\nand \xC3\xBC");
}

TEST_F(KTXmlTest, HostileDocumentsAreRefused)
{
    WriteFile(File("secret.txt"), "patient data");
    const std::string external = "<?xml version='1.0'?>\n<!DOCTYPE r [<!ENTITY e SYSTEM 'file://" +
                                 File("secret.txt") + "'>]>\n<r>&e;</r>\n";
    std::string laughs = "<?xml version='1.0'?>\n<!DOCTYPE r [\n<!ENTITY l0 'ha'>\n";
    for (int i = 1; i < 12; ++i)
        laughs += "<!ENTITY l" + std::to_string(i) + " '" + std::string() + "&l" + std::to_string(i - 1) + ";&l" +
                  std::to_string(i - 1) + ";&l" + std::to_string(i - 1) + ";&l" + std::to_string(i - 1) +
                  ";&l" + std::to_string(i - 1) + ";&l" + std::to_string(i - 1) + ";&l" +
                  std::to_string(i - 1) + ";&l" + std::to_string(i - 1) + ";&l" + std::to_string(i - 1) +
                  ";&l" + std::to_string(i - 1) + ";'>\n";
    laughs += "]>\n<r>&l11;</r>\n";
    const std::string externalDtd = "<?xml version='1.0'?>\n<!DOCTYPE r SYSTEM 'file://" + File("secret.txt") +
                                    "'>\n<r>plain</r>\n";
    WriteFile(File("external.xml"), external);
    WriteFile(File("laughs.xml"), laughs);
    WriteFile(File("dtd.xml"), externalDtd);

    EXPECT_EQ(m_xml.Open(File("external.xml").c_str()), 0);
    EXPECT_EQ(m_xml.Open(File("laughs.xml").c_str()), 0);
    // An external DTD is never loaded: the document stands, and nothing of the file enters it.
    ASSERT_EQ(m_xml.Open(File("dtd.xml").c_str()), 1);
    EXPECT_EQ(m_xml.GetNodeText(), "plain");
    EXPECT_EQ(m_xml.GetNodeXML().Find("patient data"), -1);
}

} // namespace
