// TBLBase: the base of the database table classes (TBLPatient, TBLStudy, TBLUser and the
// joined view TBLPatientStudy).
//
// It holds the connection, which the program opens and passes in and which it never owns, and
// a list of condition texts that it joins into one WHERE (or HAVING) clause. It wraps the
// connection's record-set cursor, and does the work that every table shares on a list of
// bound columns (TBLColumn.h): reading the current row, adding a row, updating the row of a
// key, deleting it and building the key condition. Every value it puts into an SQL text is
// escaped, so a quote in a name or an id never breaks or changes a statement.
//
// A failed row read, insert or update is shown to the user in a message box with the stop icon
// and the connection's last error text (unless the caller reports failures its own way, see
// SetShowErrors); the operation then returns 0. Nothing throws.
//
// One object belongs to the thread that uses its connection.
#pragma once

#include "nrdata/table/TBLColumn.h"

#include "ktutilex/ado/AdoEnums.h"
#include "platform/core/CString.h"
#include "platform/core/Collections.h"

class KTAdo;

class TBLBase
{
public:
    explicit TBLBase(KTAdo* db = nullptr);
    // A copy works on the same connection and starts without conditions.
    TBLBase(const TBLBase& other);
    // Assignment between tables copies rows, never the connection or the conditions.
    TBLBase& operator=(const TBLBase& other);
    virtual ~TBLBase();

    void SetDataBase(KTAdo* db) { m_pDB = db; }
    KTAdo* GetDataBase() const { return m_pDB; }
    // 1 when a connection is set and open.
    int IsConnected() const;

    // Whether a failed row read, insert or update is shown in a message box (the default). A
    // caller that turns this off reports failures its own way, from GetLastError.
    void SetShowErrors(int show) { m_bShowErrors = show; }
    // The error text of the last failed row read, insert or update ("COM ERROR\n..."); empty
    // before any failed.
    const CString& GetLastError() const { return m_strLastError; }

    void AddCondition(const char* condition);
    void ClearCondition();
    // "WHERE " (having 0) or "HAVING " and the conditions joined with " AND "; empty text when
    // there are none.
    CString GetConditionString(int having) const;

    // Opens a record set: the number of its rows, or -1 when it cannot be opened.
    int CursorOpen(const char* sql, CursorTypeEnum cursor, LockTypeEnum lock);
    // Rows of the open record set (-1 when none is open).
    int CursorCount();
    // Moves to the next row: 1 when it moved, 0 at the end or on an error.
    int CursorMove();
    void CursorClose();

protected:
    // SELECT * FROM <from> with the clause, or without one for a null or empty clause.
    static CString SelectText(const char* from, const char* clause);
    // "WHERE <key column>='<value>' AND ..." of the key fields, values escaped.
    static CString KeyClause(const TBLFields& fields);
    // Texts empty, dates null, numbers 0.
    static void ClearFields(const TBLFields& fields);
    // Cuts every text to its column width.
    static void FitFields(const TBLFields& fields);

    // Reads the current row into the fields in their order. A column that cannot be read, or
    // whose value is not of its type, is shown to the user and gives 0 (the fields read so far
    // keep their values). A NULL date reads as a date with the null status.
    int ReadFields(const TBLFields& fields);
    // Inserts the fields as a new row of `table` in one transaction: 1, or 0.
    int AddRow(const char* table, const TBLFields& fields);
    // Writes the fields into the row of their key in one transaction: 1, or 0 (also when no
    // row holds the key).
    int UpdateRow(const char* table, const TBLFields& fields);
    // DELETE FROM <table> with the key clause: 1 when the statement runs.
    int DeleteRow(const char* table, const TBLFields& fields);

    // An id from today's date ("yyyymmdd-nnn") that no row of `table` holds in `column`; the
    // empty text without a connection or when the query fails.
    static CString UniqueDateId(KTAdo* db, const char* table, const char* column);

private:
    // In one transaction: a new row (addNew) or the current one gets the fields' values.
    int WriteRow(bool addNew, const TBLFields& fields);
    void ShowLastError();

    void ReportError(const CString& text);

    KTAdo* m_pDB { nullptr };
    CStringArray m_conditions;
    int m_bShowErrors { 1 };
    CString m_strLastError;
};
