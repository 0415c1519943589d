// KTExcel: the sheet as a record set over the workbook.
#include "ktutilex/KTExcel.h"

#include "ktutilex/excel/XlsxWorkbook.h"
#include "ktutilex/res/KTUtilExStrings.h"
#include "ktutilex/xml/XmlText.h"

#include "ktutil/KTGF.h"

using ktutilex::excel::CellValue;
using ktutilex::excel::kMaxColumns;
using ktutilex::excel::kMaxRows;

KTExcel::~KTExcel() { Close(); }

void KTExcel::InitVariable()
{
    m_nRowCount = 0;
    m_nCurRow = -1;
    m_strLastError.Empty();
    m_strSheet.Empty();
}

int KTExcel::Fail(UINT messageId, LPCTSTR detail)
{
    const CString text = KTGF::GetString(messageId);
    m_strLastError = detail ? FormatString(text.GetString(), detail) : text;
    return 0;
}

bool KTExcel::IsColumn(int column)
{
    if (column >= 0 && column < kMaxColumns)
        return true;
    Fail(IDS_KTUTILEX_EXCEL_COLUMN_OVER);
    return false;
}

// ==== the file ====================================================================================

int KTExcel::Open(LPCTSTR path, LPCTSTR sheet)
{
    Close();
    if (!KTGF::IsFile(path))
        return 0;
    auto workbook = std::make_shared<ktutilex::excel::XlsxWorkbook>();
    if (!workbook->Load(path)) {
        Close();
        return Fail(IDS_KTUTILEX_EXCEL_CANNOT_READ, path);
    }
    ktutilex::excel::XlsxSheet* recordset = workbook->Sheet(sheet ? sheet : "");
    if (!recordset) {
        Close();
        return Fail(IDS_KTUTILEX_EXCEL_NO_SHEET, sheet);
    }
    m_database = std::move(workbook);
    m_pRecordset = recordset;
    m_nRowCount = recordset->RowCount();
    m_nCurRow = m_nRowCount > 0 ? 0 : -1;
    m_strSheet = sheet;
    return 1;
}

int KTExcel::Save()
{
    if (!m_database)
        return Fail(IDS_KTUTILEX_EXCEL_NOT_OPENED);
    if (!m_database->Save())
        return Fail(IDS_KTUTILEX_EXCEL_CANNOT_WRITE, m_database->Path().c_str());
    return 1;
}

void KTExcel::Close()
{
    // Copies share the workbook: what any of them changed is written now.
    const bool written = !m_database || m_database->Save();
    const std::string path = m_database ? m_database->Path() : std::string();
    m_pRecordset = nullptr;
    m_database.reset();
    InitVariable();
    if (!written)
        Fail(IDS_KTUTILEX_EXCEL_CANNOT_WRITE, path.c_str());
}

int KTExcel::DeleteSheet(LPCTSTR sheet)
{
    if (!m_database)
        return Fail(IDS_KTUTILEX_EXCEL_NOT_OPENED);
    ktutilex::excel::XlsxSheet* target = m_database->Sheet(sheet ? sheet : "");
    if (!target)
        return Fail(IDS_KTUTILEX_EXCEL_NO_SHEET, sheet);
    target->Clear();
    m_database->MarkModified();
    // The record set no longer shows a sheet; the workbook stays to be written.
    m_pRecordset = nullptr;
    InitVariable();
    return 1;
}

bool KTExcel::ExtendRows(int count)
{
    if (!m_pRecordset->ExtendTo(count)) {
        Fail(IDS_KTUTILEX_EXCEL_ROW_OVER);
        return false;
    }
    m_nRowCount = m_pRecordset->RowCount();
    m_database->MarkModified();
    return true;
}

// ==== cells by row and column =====================================================================

CString KTExcel::GetText(int row, int column)
{
    if (!m_pRecordset) {
        Fail(IDS_KTUTILEX_EXCEL_NOT_OPENED);
        return CString();
    }
    if (row >= m_nRowCount)
        return CString();
    if (row < 0) {
        Fail(IDS_KTUTILEX_EXCEL_ROW_OVER);
        return CString();
    }
    if (!IsColumn(column) || !Seek(row, 0))
        return CString();
    return GetText(column);
}

int KTExcel::SetText(int row, int column, LPCTSTR text)
{
    if (!m_pRecordset)
        return Fail(IDS_KTUTILEX_EXCEL_NOT_OPENED);
    if (!IsColumn(column) || !Seek(row, 1))
        return 0;
    return SetText(column, text);
}

int KTExcel::Seek(int row, int extend)
{
    if (!m_pRecordset)
        return Fail(IDS_KTUTILEX_EXCEL_NO_RECORDSET);
    if (row < 0 || row >= kMaxRows || (row > m_nRowCount - 1 && !extend))
        return Fail(IDS_KTUTILEX_EXCEL_ROW_OVER);
    if (row >= m_nRowCount && !ExtendRows(row + 1))
        return 0;
    m_nCurRow = row;
    return 1;
}

// ==== the current row =============================================================================

CString KTExcel::GetText(int column)
{
    if (!m_pRecordset) {
        Fail(IDS_KTUTILEX_EXCEL_NOT_OPENED);
        return CString();
    }
    if (m_nCurRow < 0) {
        Fail(IDS_KTUTILEX_EXCEL_ROW_OVER);
        return CString();
    }
    if (!IsColumn(column))
        return CString();
    const CellValue value = m_pRecordset->Cell(m_nCurRow, column);
    switch (value.kind) {
    case CellValue::Kind::Number:
        return FormatString("%f", value.number);
    case CellValue::Kind::Boolean:
        return FormatString("%d", value.boolean ? -1 : 0);
    case CellValue::Kind::Text:
        return CString(value.text);
    case CellValue::Kind::Empty:
    case CellValue::Kind::Date:
        break;
    }
    return CString();
}

int KTExcel::SetText(int column, LPCTSTR text)
{
    if (!m_pRecordset)
        return Fail(IDS_KTUTILEX_EXCEL_NOT_OPENED);
    if (m_nCurRow < 0)
        return Fail(IDS_KTUTILEX_EXCEL_ROW_OVER);
    if (!IsColumn(column))
        return 0;
    // What the file could not hold would make it unreadable when it is saved.
    if (text && !ktutilex::xml::IsXmlText(text))
        return Fail(IDS_KTUTILEX_EXCEL_BAD_TEXT);
    if (!m_pRecordset->SetText(m_nCurRow, column, text ? text : ""))
        return Fail(IDS_KTUTILEX_EXCEL_ROW_OVER);
    m_database->MarkModified();
    return 1;
}

int KTExcel::MoveFirst()
{
    if (!m_pRecordset)
        return Fail(IDS_KTUTILEX_EXCEL_NO_RECORDSET);
    m_nCurRow = 0;
    return 1;
}

int KTExcel::MoveNext(int extend)
{
    if (!m_pRecordset)
        return Fail(IDS_KTUTILEX_EXCEL_NO_RECORDSET);
    if (m_nCurRow + 1 > m_nRowCount - 1) {
        if (!extend || !ExtendRows(m_nRowCount + 1))
            return 0;
    }
    ++m_nCurRow;
    return 1;
}

int KTExcel::MovePrevious()
{
    if (!m_pRecordset || m_nCurRow <= 0)
        return 0;
    --m_nCurRow;
    return 1;
}

int KTExcel::MoveLast()
{
    if (!m_pRecordset)
        return Fail(IDS_KTUTILEX_EXCEL_NO_RECORDSET);
    m_nCurRow = m_nRowCount - 1;
    return m_nRowCount > 0 ? 1 : 0;
}
