// AdoRecordset: the rows of one query or table, with a cursor, fields and row edits.
//
// Rows are read once, on first use, and kept with their row ids, so that the cursor can move
// both ways and an edited or deleted row is written back to exactly its row. A table opened
// whole is not read at all until the cursor is used, so adding a row to a large table costs
// only the insert. A query that is no plain SELECT of one table (a join, DISTINCT, GROUP BY ...)
// and a record set opened with a read-only or unspecified lock cannot be changed.
//
// Every record set can move both ways whatever cursor type it was opened with; the cursor and
// lock types are kept as given. Cursor rules, as the classic record set: on open the cursor stands on the first row; BOF is
// set before the first row and EOF after the last, both on an empty set. After Delete the
// cursor stays on the deleted row (neither BOF nor EOF) until it moves. Changing a field starts
// an edit that Update writes; moving the cursor writes a pending edit first. All methods report
// failures by throwing _com_error.
#pragma once

#include "ktutilex/ado/AdoEnums.h"
#include "ktutilex/ado/ComError.h"
#include "ktutilex/ado/Variant.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct sqlite3_stmt;
class AdoConnection;

class AdoRecordset
{
public:
    AdoRecordset();
    ~AdoRecordset();
    AdoRecordset(const AdoRecordset&) = delete;
    AdoRecordset& operator=(const AdoRecordset&) = delete;

    // `options` adCmdText (an SQL text) or adCmdTable (a table name).
    void Open(const std::shared_ptr<AdoConnection>& connection, const char* source, CursorTypeEnum cursor,
              LockTypeEnum lock, long options);
    // A read-only record set of the rows of a prepared (and bound) statement; takes it over.
    void OpenPrepared(const std::shared_ptr<AdoConnection>& connection, sqlite3_stmt* statement);
    // A read-only record set of given rows (the schema listing).
    void OpenRows(std::vector<CString> columns, std::vector<std::vector<_variant_t>> rows);
    // Closes; a pending edit is dropped.
    void Close();
    long GetState() const;
    CursorTypeEnum GetCursorType() const { return m_cursorType; }
    LockTypeEnum GetLockType() const { return m_lockType; }

    // ---- cursor -----------------------------------------------------------------------
    bool IsBOF();
    bool IsEOF();
    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrevious();

    // ---- fields -------------------------------------------------------------------------
    long GetFieldCount() const;
    CString GetFieldName(long position) const;
    // A field by position (a number) or by name (a text, compared without case).
    long FieldPosition(const _variant_t& index) const;
    _variant_t GetValue(const _variant_t& index);
    void SetValue(const _variant_t& index, const _variant_t& value);

    // ---- rows ---------------------------------------------------------------------------
    // `fields` and `values`: vtMissing, one field and one value, or two arrays of equal length.
    void AddNew(const _variant_t& fields, const _variant_t& values);
    void Update(const _variant_t& fields, const _variant_t& values);
    void CancelUpdate();
    void Delete(AffectEnum affect);

private:
    enum class ColumnKind { Any, Text, Long, Short, Byte, Double, Float, Bool, Date };
    struct Column
    {
        CString name;
        CString origin;  // the column's name in the base table, for writing back
        ColumnKind kind { ColumnKind::Any };
    };
    struct Row
    {
        std::int64_t rowId { 0 };
        std::vector<_variant_t> values;
    };
    enum class EditMode { None, Editing, Adding };

    static ColumnKind KindOfDeclaredType(const char* declaredType);
    static _variant_t ReadColumn(sqlite3_stmt* statement, int column, ColumnKind kind);
    static _variant_t CoerceForColumn(const _variant_t& value, ColumnKind kind);

    void Start(const std::shared_ptr<AdoConnection>& connection, sqlite3_stmt* statement, bool hasRowId,
               const CString& baseTable, CursorTypeEnum cursor, LockTypeEnum lock);
    void RequireOpen() const;
    void RequireUpdatable() const;
    void Fetch();
    bool HasCurrentRow();
    void RequireCurrentRow();
    void FlushEdit();
    void SetFields(const _variant_t& fields, const _variant_t& values);
    void WriteAddedRow();
    void WriteEditedRow();
    void DeleteRow(std::int64_t rowId);
    void ReloadRow(Row& row);

    std::shared_ptr<AdoConnection> m_connection;
    sqlite3_stmt* m_pending { nullptr };  // the query, until its rows are read
    bool m_open { false };
    bool m_fetched { false };
    CursorTypeEnum m_cursorType { adOpenForwardOnly };
    LockTypeEnum m_lockType { adLockReadOnly };
    CString m_baseTable;  // empty: the rows cannot be written back
    std::vector<Column> m_columns;
    std::vector<Row> m_rows;
    long m_position { 0 };  // -1: BOF, m_rows.size(): EOF
    bool m_onDeletedRow { false };
    EditMode m_editMode { EditMode::None };
    Row m_editRow;
    std::vector<bool> m_changed;
    // The texts of the last insert and update, for the fields they wrote; rows of one batch
    // usually set the same fields.
    std::vector<bool> m_insertFields;
    std::string m_insertSql;
    std::vector<bool> m_updateFields;
    std::string m_updateSql;
    mutable std::size_t m_fieldGuess { 0 };  // callers mostly name fields in column order
};

using _RecordsetPtr = std::shared_ptr<AdoRecordset>;
