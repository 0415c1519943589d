// The framework's collection classes: arrays, doubly linked lists and hash maps, with POSITION
// iteration as the system's code uses it.
//
//   CArray<T, ARG>   a growable array (std::vector inside); indexes are checked by assert.
//   CList<T, ARG>    a doubly linked list; a POSITION is a node and stays valid until that node
//                    is removed, whatever else is added or removed.
//   CMap<K, AK, V, AV>  a hash map; GetStartPosition/GetNextAssoc visit entries in insertion
//                    order, and removing the entry just returned by GetNextAssoc is safe.
//
// The named classes (CStringArray, CPtrList, CMapStringToPtr ...) are real classes, not aliases,
// so that headers can declare them ahead.
#pragma once

#include "platform/core/CString.h"
#include "platform/core/Object.h"
#include "platform/core/Types.h"

#include <cassert>
#include <unordered_map>
#include <utility>
#include <vector>

struct CollectionPosition;
// An opaque place in a list or map; null past the end.
using POSITION = CollectionPosition*;

// ==== CArray ======================================================================================

template <class TYPE, class ARG_TYPE = const TYPE&> class CArray : public CObject
{
public:
    CArray() = default;

    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_items.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    BOOL IsEmpty() const { return m_items.empty(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }
    // New elements are value-initialised (0 for numbers and pointers).
    void SetSize(INT_PTR newSize, INT_PTR /*growBy*/ = -1)
    {
        assert(newSize >= 0);
        m_items.resize(static_cast<size_t>(newSize > 0 ? newSize : 0));
    }
    void FreeExtra() { m_items.shrink_to_fit(); }
    void RemoveAll() { m_items.clear(); }

    const TYPE& GetAt(INT_PTR index) const { return m_items[Checked(index)]; }
    TYPE& GetAt(INT_PTR index) { return m_items[Checked(index)]; }
    void SetAt(INT_PTR index, ARG_TYPE value) { m_items[Checked(index)] = value; }
    TYPE& ElementAt(INT_PTR index) { return m_items[Checked(index)]; }
    const TYPE& ElementAt(INT_PTR index) const { return m_items[Checked(index)]; }
    TYPE& operator[](INT_PTR index) { return m_items[Checked(index)]; }
    const TYPE& operator[](INT_PTR index) const { return m_items[Checked(index)]; }
    TYPE* GetData() { return m_items.data(); }
    const TYPE* GetData() const { return m_items.data(); }

    // Grows the array when `index` lies beyond its end.
    void SetAtGrow(INT_PTR index, ARG_TYPE value)
    {
        assert(index >= 0);
        TYPE copy(value); // `value` may refer into this array
        if (index >= GetSize())
            m_items.resize(static_cast<size_t>(index) + 1);
        m_items[static_cast<size_t>(index)] = std::move(copy);
    }
    INT_PTR Add(ARG_TYPE value)
    {
        m_items.push_back(TYPE(value));
        return GetSize() - 1;
    }
    // Returns the index of the first appended element.
    INT_PTR Append(const CArray& source)
    {
        const INT_PTR first = GetSize();
        const std::vector<TYPE> copy(source.m_items);
        m_items.insert(m_items.end(), copy.begin(), copy.end());
        return first;
    }
    void Copy(const CArray& source)
    {
        if (this != &source)
            m_items = source.m_items;
    }
    // Inserting at or beyond the end grows the array first.
    void InsertAt(INT_PTR index, ARG_TYPE value, INT_PTR count = 1)
    {
        assert(index >= 0 && count >= 0);
        TYPE copy(value);
        if (index >= GetSize())
            m_items.resize(static_cast<size_t>(index));
        m_items.insert(m_items.begin() + index, static_cast<size_t>(count), copy);
    }
    void InsertAt(INT_PTR start, const CArray* source)
    {
        assert(source && start >= 0);
        const std::vector<TYPE> copy(source->m_items);
        if (start >= GetSize())
            m_items.resize(static_cast<size_t>(start));
        m_items.insert(m_items.begin() + start, copy.begin(), copy.end());
    }
    void RemoveAt(INT_PTR index, INT_PTR count = 1)
    {
        assert(index >= 0 && count >= 0 && index + count <= GetSize());
        m_items.erase(m_items.begin() + index, m_items.begin() + index + count);
    }

    // Range-for over the elements, for our own code.
    auto begin() { return m_items.begin(); }
    auto end() { return m_items.end(); }
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    size_t Checked(INT_PTR index) const
    {
        assert(index >= 0 && index < GetSize());
        return static_cast<size_t>(index);
    }

    std::vector<TYPE> m_items;
};

// ==== CList =======================================================================================

template <class TYPE, class ARG_TYPE = const TYPE&> class CList : public CObject
{
    struct Node
    {
        Node* next{nullptr};
        Node* prev{nullptr};
        TYPE data;
    };

public:
    CList() = default;
    explicit CList(INT_PTR /*blockSize*/) {}
    CList(const CList& other) { AddTail(&other); }
    CList& operator=(const CList& other)
    {
        if (this != &other) {
            RemoveAll();
            AddTail(&other);
        }
        return *this;
    }
    ~CList() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_count; }
    INT_PTR GetSize() const { return m_count; }
    BOOL IsEmpty() const { return m_count == 0; }

    TYPE& GetHead() { return NodeOf(m_head)->data; }
    const TYPE& GetHead() const { return NodeOf(m_head)->data; }
    TYPE& GetTail() { return NodeOf(m_tail)->data; }
    const TYPE& GetTail() const { return NodeOf(m_tail)->data; }
    TYPE RemoveHead()
    {
        TYPE value = GetHead();
        Unlink(m_head);
        return value;
    }
    TYPE RemoveTail()
    {
        TYPE value = GetTail();
        Unlink(m_tail);
        return value;
    }

    POSITION AddHead(ARG_TYPE value)
    {
        return Link(new Node{nullptr, nullptr, TYPE(value)}, nullptr, m_head);
    }
    POSITION AddTail(ARG_TYPE value)
    {
        return Link(new Node{nullptr, nullptr, TYPE(value)}, m_tail, nullptr);
    }
    void AddHead(const CList* other)
    {
        assert(other);
        // Walk backwards so that the other list keeps its order at our head.
        const CList copy(*other);
        for (Node* n = copy.m_tail; n; n = n->prev)
            AddHead(n->data);
    }
    void AddTail(const CList* other)
    {
        assert(other);
        const INT_PTR count = other->m_count; // `other` may be this list
        Node* n = other->m_head;
        for (INT_PTR i = 0; i < count; ++i, n = n->next)
            AddTail(n->data);
    }
    void RemoveAll()
    {
        while (m_head)
            Unlink(m_head);
    }

    POSITION GetHeadPosition() const { return Pos(m_head); }
    POSITION GetTailPosition() const { return Pos(m_tail); }
    // Returns the element at `pos` and moves `pos` to the next one (null after the tail).
    TYPE& GetNext(POSITION& pos)
    {
        Node* n = NodeOf(pos);
        pos = Pos(n->next);
        return n->data;
    }
    const TYPE& GetNext(POSITION& pos) const
    {
        Node* n = NodeOf(pos);
        pos = Pos(n->next);
        return n->data;
    }
    TYPE& GetPrev(POSITION& pos)
    {
        Node* n = NodeOf(pos);
        pos = Pos(n->prev);
        return n->data;
    }
    const TYPE& GetPrev(POSITION& pos) const
    {
        Node* n = NodeOf(pos);
        pos = Pos(n->prev);
        return n->data;
    }
    TYPE& GetAt(POSITION pos) { return NodeOf(pos)->data; }
    const TYPE& GetAt(POSITION pos) const { return NodeOf(pos)->data; }
    void SetAt(POSITION pos, ARG_TYPE value) { NodeOf(pos)->data = value; }
    void RemoveAt(POSITION pos) { Unlink(NodeOf(pos)); }
    POSITION InsertBefore(POSITION pos, ARG_TYPE value)
    {
        if (!pos)
            return AddHead(value);
        Node* at = NodeOf(pos);
        return Link(new Node{nullptr, nullptr, TYPE(value)}, at->prev, at);
    }
    POSITION InsertAfter(POSITION pos, ARG_TYPE value)
    {
        if (!pos)
            return AddTail(value);
        Node* at = NodeOf(pos);
        return Link(new Node{nullptr, nullptr, TYPE(value)}, at, at->next);
    }
    // The first element equal to `value` after `startAfter` (from the head when null).
    POSITION Find(ARG_TYPE value, POSITION startAfter = nullptr) const
    {
        for (Node* n = startAfter ? NodeOf(startAfter)->next : m_head; n; n = n->next)
            if (n->data == value)
                return Pos(n);
        return nullptr;
    }
    // The position of the element at a zero-based index; null when out of range.
    POSITION FindIndex(INT_PTR index) const
    {
        if (index < 0 || index >= m_count)
            return nullptr;
        Node* n = m_head;
        while (index-- > 0)
            n = n->next;
        return Pos(n);
    }

private:
    static POSITION Pos(Node* n) { return reinterpret_cast<POSITION>(n); }
    static Node* NodeOf(POSITION pos)
    {
        assert(pos);
        return reinterpret_cast<Node*>(pos);
    }
    static Node* NodeOf(Node* n)
    {
        assert(n);
        return n;
    }
    POSITION Link(Node* n, Node* prev, Node* next)
    {
        n->prev = prev;
        n->next = next;
        (prev ? prev->next : m_head) = n;
        (next ? next->prev : m_tail) = n;
        ++m_count;
        return Pos(n);
    }
    void Unlink(Node* n)
    {
        (n->prev ? n->prev->next : m_head) = n->next;
        (n->next ? n->next->prev : m_tail) = n->prev;
        --m_count;
        delete n;
    }

    Node* m_head{nullptr};
    Node* m_tail{nullptr};
    INT_PTR m_count{0};
};

// ==== CMap ========================================================================================

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE> class CMap : public CObject
{
    struct Entry
    {
        KEY key;
        VALUE value;
    };

public:
    CMap() = default;
    explicit CMap(INT_PTR /*blockSize*/) {}
    CMap(const CMap& other) { CopyFrom(other); }
    CMap& operator=(const CMap& other)
    {
        if (this != &other) {
            RemoveAll();
            CopyFrom(other);
        }
        return *this;
    }

    INT_PTR GetCount() const { return m_entries.GetCount(); }
    INT_PTR GetSize() const { return m_entries.GetCount(); }
    BOOL IsEmpty() const { return m_entries.IsEmpty(); }

    BOOL Lookup(ARG_KEY key, VALUE& value) const
    {
        const auto it = m_index.find(KEY(key));
        if (it == m_index.end())
            return FALSE;
        value = m_entries.GetAt(it->second).value;
        return TRUE;
    }
    // The value of `key`, added value-initialised when missing.
    VALUE& operator[](ARG_KEY key)
    {
        KEY k(key);
        const auto it = m_index.find(k);
        if (it != m_index.end())
            return m_entries.GetAt(it->second).value;
        const POSITION pos = m_entries.AddTail(Entry{k, VALUE()});
        m_index.emplace(std::move(k), pos);
        return m_entries.GetAt(pos).value;
    }
    void SetAt(ARG_KEY key, ARG_VALUE value) { (*this)[key] = value; }
    BOOL RemoveKey(ARG_KEY key)
    {
        const auto it = m_index.find(KEY(key));
        if (it == m_index.end())
            return FALSE;
        m_entries.RemoveAt(it->second);
        m_index.erase(it);
        return TRUE;
    }
    void RemoveAll()
    {
        m_index.clear();
        m_entries.RemoveAll();
    }

    POSITION GetStartPosition() const { return m_entries.GetHeadPosition(); }
    void GetNextAssoc(POSITION& pos, KEY& key, VALUE& value) const
    {
        const Entry& e = m_entries.GetNext(pos);
        key = e.key;
        value = e.value;
    }

    void InitHashTable(UINT size, BOOL /*allocNow*/ = TRUE) { m_index.reserve(size); }
    UINT GetHashTableSize() const { return static_cast<UINT>(m_index.bucket_count()); }

private:
    void CopyFrom(const CMap& other)
    {
        for (POSITION pos = other.m_entries.GetHeadPosition(); pos;) {
            const Entry& e = other.m_entries.GetNext(pos);
            m_index.emplace(e.key, m_entries.AddTail(e));
        }
    }

    CList<Entry, const Entry&> m_entries;
    std::unordered_map<KEY, POSITION> m_index;
};

// ==== named collections ===========================================================================

class CStringArray : public CArray<CString, const CString&>
{
};
class CPtrArray : public CArray<void*, void*>
{
};
class CObArray : public CArray<CObject*, CObject*>
{
};
class CByteArray : public CArray<BYTE, BYTE>
{
};
class CWordArray : public CArray<WORD, WORD>
{
};
class CDWordArray : public CArray<DWORD, DWORD>
{
};
class CUIntArray : public CArray<UINT, UINT>
{
};

class CStringList : public CList<CString, const CString&>
{
};
class CPtrList : public CList<void*, void*>
{
};
class CObList : public CList<CObject*, CObject*>
{
};

class CMapStringToPtr : public CMap<CString, const CString&, void*, void*>
{
};
class CMapStringToString : public CMap<CString, const CString&, CString, const CString&>
{
};
class CMapStringToOb : public CMap<CString, const CString&, CObject*, CObject*>
{
};
class CMapWordToPtr : public CMap<WORD, WORD, void*, void*>
{
};
class CMapPtrToPtr : public CMap<void*, void*, void*, void*>
{
};
