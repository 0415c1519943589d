// KTExcel: reads and writes the cells of one sheet of a spreadsheet file (.xlsx). The sheet is
// worked on as a record set: one row per sheet row, one field per column, both counted from 0,
// and a row cursor that follows the addressed row. Rows are added at the end when a write
// addresses a row beyond the last one. Only the classic sheet's range is addressed: 65,536
// rows and 256 columns.
//
// Writes change the workbook in memory; the file is written when the caller saves or closes,
// and when the object (the last copy) goes. It is replaced whole, through a temporary file and
// a rename, so a failure or a crash leaves the old file as it was, and everything else of the
// file (other sheets, styles, column widths) is kept as it was.
//
// Failures give 0 or an empty text and leave a text for the user in GetLastError. A copy shares
// the open file with its original.
#pragma once

#include "platform/core/CString.h"
#include "platform/core/Types.h"

#include <memory>

namespace ktutilex::excel {
class XlsxWorkbook;
class XlsxSheet;
} // namespace ktutilex::excel

class KTExcel
{
public:
    KTExcel() = default;
    KTExcel(const KTExcel& other) = default;
    KTExcel& operator=(const KTExcel& other) = default;
    virtual ~KTExcel();

    // Opens the sheet of an existing file: 1; 0 for a path that is no file (no error text), or
    // a file that is no spreadsheet or lacks the sheet (with the reason).
    int Open(LPCTSTR path, LPCTSTR sheet);
    // Writes what changed into the file: 1 once the file holds it (or nothing changed), else 0
    // with the reason, and the changes stay to be saved again.
    int Save();
    // Saves what changed and closes. When that save fails, GetLastError afterwards says why.
    void Close();
    // Removes every row of the sheet: 1, or 0 with the reason.
    int DeleteSheet(LPCTSTR sheet);

    // The cell as text: a number "%f", a truth value -1 or 0, a text as it stands, anything
    // else (empty, a date, an error) empty.
    CString GetText(int row, int column);
    // Writes a text cell, adding rows up to `row` when needed: 1, or 0 with the reason (also
    // for a text the file cannot hold: control characters, broken UTF-8).
    int SetText(int row, int column, LPCTSTR text);
    // Moves the cursor to the row; with extend, rows up to it are added. 1, or 0 with the reason.
    int Seek(int row, int extend);
    // The cell of the current row.
    CString GetText(int column);
    int SetText(int column, LPCTSTR text);

    int MoveFirst();
    // Past the last row: 0, or with extend a new empty row (1).
    int MoveNext(int extend);
    int MovePrevious();
    int MoveLast();

    CString GetLastError() const { return m_strLastError; }

protected:
    void InitVariable();

    std::shared_ptr<ktutilex::excel::XlsxWorkbook> m_database;
    ktutilex::excel::XlsxSheet* m_pRecordset { nullptr }; // belongs to m_database
    int m_nRowCount { 0 };
    int m_nCurRow { -1 };
    CString m_strSheet;
    CString m_strLastError;

private:
    int Fail(UINT messageId, LPCTSTR detail = nullptr);
    bool IsColumn(int column);
    // Adds empty rows up to `count`.
    bool ExtendRows(int count);
};
