// Fuzz target: the XML document class on any file: open, walk every node by position and by
// name, edit by a script, save, and reopen. Guarantees: a node found by a path of names is an
// element; a save that reports success opens again, and saving what was reopened gives the same
// file each time; a save that fails leaves the old file as it was. (Leaks and double frees are
// the sanitizers' to find.)
//
// Input: a count n (one byte, up to 63), n bytes of edit script, then the file (at most 16 KB:
// longer inputs are cut). The script is read as operations of two bytes, a kind and an argument;
// kinds that write take their name from a table and their text from the next argument bytes.
#include "FuzzTarget.h"

#include "testkit/TempFolder.h"

#include "ktutilex/KTXml.h"

#include <string>

namespace {

using fuzz::Require;

// Nodes visited by one walk: a large document is walked in part.
constexpr int kMaxVisits = 400;
constexpr int kMaxDepth = 64;

constexpr const char* kNames[] = { "Settings", "Bed", "bed", "a/b", "a/b/c", "x:y", "not a name", "#text",
                                   "xml",      "",    "_1",  "é" };
constexpr const char* kTexts[] = { "",      "plain",   "Tom & Jerry <1>", " padded ", "a--b", "ends-",
                                   "a?>b",  "a]]>b",   "\x01",            "\xFF",     "\xC3\xA9", "line\nend\t",
                                   "&amp;", "<b>x</b>" };

template <typename T, std::size_t N>
const T& Pick(const T (&table)[N], std::uint8_t at)
{
    return table[at % N];
}

// Every node below the current one, by position; a found name must lead to an element.
void Walk(KTXml& xml, int depth, int& visits)
{
    if (depth > kMaxDepth || ++visits > kMaxVisits)
        return;
    (void)xml.GetNodeName();
    (void)xml.GetNodeText();
    (void)xml.GetNodeType();
    (void)xml.NodeHasChildren();
    const long count = xml.GetChildNodeCount();
    for (long i = 0; i < count && visits <= kMaxVisits; ++i) {
        const CString name = xml.GetChildNodeName(nullptr, i);
        (void)xml.GetChildNodeText(nullptr, i);
        (void)xml.GetChildNodeType(nullptr, i);
        if (!name.IsEmpty() && name.Find('/') < 0 && xml.SelectChildNode(name, 0)) {
            Require(xml.GetNodeType() == "element", "a path of names finds an element");
            Require(xml.SelectParentNode() == 1, "a found child has its parent");
        }
        if (!xml.SelectChildNode(i))
            continue;
        Walk(xml, depth + 1, visits);
        Require(xml.SelectParentNode() == 1, "a child has its parent");
    }
}

void Edit(KTXml& xml, fuzz::Input& script)
{
    while (script.Left() >= 2) {
        const std::uint8_t kind = script.Byte();
        const std::uint8_t argument = script.Byte();
        const long index = static_cast<long>(argument % 8) - 1;
        const char* name = Pick(kNames, argument >> 3);
        const char* text = Pick(kTexts, script.Byte());
        switch (kind % 11) {
        case 0:
            xml.SelectRootNode();
            break;
        case 1:
            xml.SelectChildNode(index);
            break;
        case 2:
            xml.SelectParentNode();
            break;
        case 3:
            xml.SelectChildNode(name, index);
            break;
        case 4:
            xml.DeleteChildNode(index);
            break;
        case 5:
            xml.AddChildNode(name, text);
            break;
        case 6:
            xml.InsertChildNode(name, text, index);
            break;
        case 7:
            xml.SetNodeText(text);
            break;
        case 8:
            xml.SetChildNodeText(nullptr, index, text);
            break;
        case 9:
            xml.AddChildNodeElement(index, name, text);
            break;
        default:
            xml.DeleteAllChild();
            break;
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Input in(data, size);
    const std::string scriptBytes = in.Bytes(in.Byte() % 64);
    const std::size_t fileSize = in.Left() < 16384 ? in.Left() : 16384;
    const std::string folder = fuzz::ScratchFolder();
    const std::string path = folder + "/fuzz.xml";
    testkit::WriteText(path, std::string(reinterpret_cast<const char*>(in.Rest()), fileSize));

    KTXml xml;
    if (!xml.Open(path.c_str()))
        return 0;
    int visits = 0;
    Walk(xml, 0, visits);
    (void)xml.GetNodeXML();
    fuzz::Input script(reinterpret_cast<const std::uint8_t*>(scriptBytes.data()), scriptBytes.size());
    Edit(xml, script);

    const std::string saved = folder + "/saved.xml";
    const std::string before = "the file before the save";
    testkit::WriteText(saved, before);
    if (!xml.Save(saved.c_str())) {
        Require(testkit::ReadText(saved) == before, "a failed save leaves the old file");
        return 0;
    }
    xml.Close();

    // Saved, reopened and saved again: from then on every save is the same file.
    const std::string again = folder + "/again.xml";
    const std::string third = folder + "/third.xml";
    KTXml reopened;
    Require(reopened.Open(saved.c_str()) == 1, "a saved document opens again");
    visits = 0;
    Walk(reopened, 0, visits);
    Require(reopened.Save(again.c_str()) == 1, "a reopened document saves");
    KTXml last;
    Require(last.Open(again.c_str()) == 1, "a document saved twice opens again");
    Require(last.Save(third.c_str()) == 1, "and saves again");
    Require(testkit::ReadText(again) == testkit::ReadText(third), "saving a reopened document is stable");
    return 0;
}
