// TBLTable: the operation pattern that the patient, study and user tables share, over their
// row members (`Data`, which names its table in kTableName and lists its columns in Columns()).
//
// Besides the row, a table object keeps the loaded key: a copy of the key columns taken when
// the row was added, read or cleared. Update refuses to run when a key member differs from it,
// so an update never moves a row to another key.
#pragma once

#include "nrdata/table/TBLBase.h"

#include <vector>

template <class Table, class Data>
class TBLTable : public TBLBase, public Data
{
public:
    explicit TBLTable(KTAdo* db) : TBLBase(db) { Clear(); }

    // Texts empty, dates null, numbers 0; the loaded key follows; no conditions.
    void Clear()
    {
        ClearFields(Fields());
        TakeLoadedKey();
        ClearCondition();
    }

    // A new object on the same connection holding this row; the caller deletes it.
    Table* Clone() const
    {
        Table* copy = new Table(GetDataBase());
        *copy = static_cast<const Table&>(*this);
        return copy;
    }

    // SELECT * FROM <table> with the clause (none for null): the number of rows, or -1.
    int CursorOpenEx(const char* clause)
    {
        return CursorOpen(SelectText(Data::kTableName, clause), adOpenUnspecified, adLockUnspecified);
    }
    int CursorOpenCondition() { return CursorOpenEx(GetConditionString(0)); }

    // Reads the cursor's row into the members: 1, or 0 (shown to the user) with the members cleared.
    int CursorGet()
    {
        Clear();
        if (!ReadFields(Fields())) {
            Clear();
            return 0;
        }
        TakeLoadedKey();
        return 1;
    }

    // Loads the row of the key members: 1, or 0 when no row holds the key (members unchanged).
    int Get()
    {
        int result = 0;
        if (CursorOpenEx(KeyClause(Fields())) > 0)
            result = CursorGet();
        CursorClose();
        return result;
    }

    // Inserts the members as a new row (texts cut to their widths first).
    int Add()
    {
        FieldCheck();
        if (!AddRow(Data::kTableName, Fields()))
            return 0;
        TakeLoadedKey();
        return 1;
    }

    // Writes the members into the row of the loaded key; 0 at once when a key member changed.
    int Update()
    {
        if (KeyChanged())
            return 0;
        FieldCheck();
        return UpdateRow(Data::kTableName, Fields());
    }

    // Deletes the row of the key members; 1 when the statement ran, even if no row held the key.
    int Delete() { return DeleteRow(Data::kTableName, Fields()); }

    // Cuts every text member to its column width.
    void FieldCheck() { FitFields(Fields()); }

    static std::span<const TBLColumn<Data>> Columns() { return Data::Columns(); }

private:
    TBLFields Fields()
    {
        TBLFields fields;
        TBLBindColumns<Data>(*this, Data::Columns(), fields);
        return fields;
    }

    void TakeLoadedKey()
    {
        m_loadedKey.clear();
        for (const TBLField& field : Fields()) {
            if (field.key)
                m_loadedKey.push_back(*std::get<CString*>(field.value));
        }
    }

    bool KeyChanged()
    {
        std::size_t index = 0;
        for (const TBLField& field : Fields()) {
            if (field.key && !(index < m_loadedKey.size() && m_loadedKey[index++] == *std::get<CString*>(field.value)))
                return true;
        }
        return false;
    }

    std::vector<CString> m_loadedKey;
};
