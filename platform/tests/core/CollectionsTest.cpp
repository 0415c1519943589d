#include "platform/core/Collections.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

namespace {

std::string Join(const CStringArray& a)
{
    std::string s;
    for (INT_PTR i = 0; i < a.GetSize(); ++i)
        s += (i ? "," : "") + a[i].str();
    return s;
}

std::string Join(const CStringList& l)
{
    std::string s;
    for (POSITION pos = l.GetHeadPosition(); pos;)
        s += (s.empty() ? "" : ",") + l.GetNext(pos).str();
    return s;
}

TEST(Collections, ArrayAddInsertRemoveAndGrow)
{
    CStringArray a;
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(a.GetUpperBound(), -1);
    EXPECT_EQ(a.Add("b"), 0);
    EXPECT_EQ(a.Add(CString("d")), 1);
    a.InsertAt(0, "a");
    a.InsertAt(2, "c", 2);
    EXPECT_EQ(Join(a), "a,b,c,c,d");
    a.RemoveAt(2);
    EXPECT_EQ(Join(a), "a,b,c,d");
    a.RemoveAt(1, 2);
    EXPECT_EQ(Join(a), "a,d");
    a.SetAtGrow(4, "e");
    EXPECT_EQ(a.GetSize(), 5);
    EXPECT_EQ(Join(a), "a,d,,,e");
    a.InsertAt(7, "z"); // beyond the end: grows first
    EXPECT_EQ(a.GetSize(), 8);
    EXPECT_EQ(a.GetAt(7), "z");
    a.ElementAt(1) = "D";
    a[2] = "x";
    a.SetAt(3, "y");
    EXPECT_EQ(Join(a), "a,D,x,y,e,,,z");
    a.SetSize(2);
    EXPECT_EQ(Join(a), "a,D");

    // Adding an element of the array itself must not read freed storage while it grows.
    for (int i = 0; i < 100; ++i)
        a.Add(a[0]);
    EXPECT_EQ(a.GetSize(), 102);
    EXPECT_EQ(a[101], "a");
    a.SetAtGrow(500, a[1]);
    EXPECT_EQ(a[500], "D");
}

TEST(Collections, ArrayAppendCopyAndNumericDefaults)
{
    CDWordArray a;
    a.SetSize(3);
    EXPECT_EQ(a[0] + a[1] + a[2], 0u);
    a[1] = 7;
    CDWordArray b;
    b.Add(1);
    EXPECT_EQ(b.Append(a), 1);
    EXPECT_EQ(b.GetSize(), 4);
    EXPECT_EQ(b.Append(b), 4); // appending itself doubles it
    EXPECT_EQ(b.GetSize(), 8);
    EXPECT_EQ(b[6], 7u);
    CDWordArray c;
    c.Copy(b);
    EXPECT_EQ(c.GetSize(), 8);
    c.InsertAt(1, &a);
    EXPECT_EQ(c.GetSize(), 11);
    EXPECT_EQ(c[2], 7u);
    c.RemoveAll();
    EXPECT_EQ(c.GetCount(), 0);

    CPtrArray p;
    int x = 0;
    p.Add(&x);
    p.SetSize(2);
    EXPECT_EQ(p[0], &x);
    EXPECT_EQ(p[1], nullptr);
}

TEST(Collections, ListPositionsStayValidAcrossOtherChanges)
{
    CStringList l;
    POSITION b = l.AddTail("b");
    l.AddHead("a");
    POSITION d = l.AddTail("d");
    l.InsertBefore(d, "c");
    l.InsertAfter(d, "e");
    EXPECT_EQ(Join(l), "a,b,c,d,e");
    EXPECT_EQ(l.GetCount(), 5);
    EXPECT_EQ(l.GetAt(b), "b");
    l.RemoveAt(l.Find("c"));
    EXPECT_EQ(l.GetAt(d), "d");
    EXPECT_EQ(Join(l), "a,b,d,e");
    EXPECT_EQ(l.Find("zz"), nullptr);
    EXPECT_EQ(l.Find("a", l.GetHeadPosition()), nullptr);
    EXPECT_EQ(l.GetAt(l.FindIndex(2)), "d");
    EXPECT_EQ(l.FindIndex(4), nullptr);
    EXPECT_EQ(l.FindIndex(-1), nullptr);

    // Backwards walk.
    std::string reversed;
    for (POSITION pos = l.GetTailPosition(); pos;)
        reversed += l.GetPrev(pos).str();
    EXPECT_EQ(reversed, "edba");

    EXPECT_EQ(l.RemoveHead(), "a");
    EXPECT_EQ(l.RemoveTail(), "e");
    EXPECT_EQ(l.GetHead(), "b");
    EXPECT_EQ(l.GetTail(), "d");
    l.SetAt(l.GetHeadPosition(), "B");
    EXPECT_EQ(Join(l), "B,d");

    // Removing while walking: take the position, advance, then remove.
    CStringList m;
    for (const char* s : {"keep", "drop", "keep", "drop"})
        m.AddTail(s);
    for (POSITION pos = m.GetHeadPosition(); pos;) {
        POSITION current = pos;
        if (m.GetNext(pos) == "drop")
            m.RemoveAt(current);
    }
    EXPECT_EQ(Join(m), "keep,keep");

    l.AddTail(&m);
    l.AddHead(&m);
    EXPECT_EQ(Join(l), "keep,keep,B,d,keep,keep");
    l.AddTail(&l); // a list appended to itself doubles once
    EXPECT_EQ(l.GetCount(), 12);
    CStringList copy(l);
    l.RemoveAll();
    EXPECT_TRUE(l.IsEmpty());
    EXPECT_EQ(copy.GetCount(), 12);
}

TEST(Collections, ObjectListDeletesThroughTheBase)
{
    struct Counted : CObject
    {
        explicit Counted(int* alive) : m_alive(alive) { ++*m_alive; }
        ~Counted() override { --*m_alive; }
        int* m_alive;
    };
    int alive = 0;
    CObList list;
    for (int i = 0; i < 3; ++i)
        list.AddTail(new Counted(&alive));
    EXPECT_EQ(alive, 3);
    while (!list.IsEmpty())
        delete list.RemoveHead();
    EXPECT_EQ(alive, 0);
}

TEST(Collections, MapLookupSetRemoveAndIterate)
{
    CMapStringToString m;
    m.SetAt("one", "1");
    m["two"] = "2";
    m.SetAt("one", "uno"); // replaces
    CString value;
    EXPECT_TRUE(m.Lookup("one", value));
    EXPECT_EQ(value, "uno");
    EXPECT_FALSE(m.Lookup("ONE", value)); // keys are case-sensitive
    EXPECT_EQ(m.GetCount(), 2);
    m["three"];
    EXPECT_EQ(m.GetCount(), 3);

    std::set<std::string> seen;
    for (POSITION pos = m.GetStartPosition(); pos;) {
        CString key, v;
        m.GetNextAssoc(pos, key, v);
        seen.insert(key.str() + "=" + v.str());
        if (key == "two") {
            EXPECT_TRUE(m.RemoveKey(key)); // the entry just returned may go
        }
    }
    EXPECT_EQ(seen, (std::set<std::string>{"one=uno", "two=2", "three="}));
    EXPECT_EQ(m.GetCount(), 2);
    EXPECT_FALSE(m.RemoveKey("two"));

    CMapStringToString copy(m);
    m.RemoveAll();
    EXPECT_TRUE(m.IsEmpty());
    EXPECT_TRUE(copy.Lookup("one", value));
    EXPECT_TRUE(copy.RemoveKey("three"));
    EXPECT_EQ(copy.GetCount(), 1);
}

TEST(Collections, PointerAndWordMaps)
{
    int a = 0, b = 0;
    CMapPtrToPtr ptrs;
    ptrs.SetAt(&a, &b);
    void* found = nullptr;
    EXPECT_TRUE(ptrs.Lookup(&a, found));
    EXPECT_EQ(found, &b);
    EXPECT_FALSE(ptrs.Lookup(&b, found));

    CMapWordToPtr words;
    words[7] = &a;
    EXPECT_TRUE(words.Lookup(7, found));
    EXPECT_EQ(found, &a);

    CMapStringToPtr names;
    names.SetAt("bed 1", &a);
    EXPECT_TRUE(names.Lookup(CString("bed 1"), found));
    EXPECT_EQ(found, &a);
}

} // namespace
