// The grid's data exchange: cut, copy and paste as tab-separated text, printing over as many
// pages as the rows need, and comma-separated files.
#include "ktctrl/grid/KTGrid.h"

#include "platform/gdi/CDC.h"
#include "platform/gdi/CPen.h"
#include "platform/msg/MessageBoxService.h"
#include "platform/msg/WindowClass.h"
#include "platform/msg/WindowApi.h"
#include "platform/ui/controls/Clipboard.h"
#include "platform/ui/dialogs/DataExchange.h"
#include "platform/ui/printing/PrintDialog.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

namespace {

constexpr UINT kAppTitleId = 0xE000;
// The printer font's output and clip precision (string, character).
constexpr BYTE kOutStringPrecis = 1;
constexpr BYTE kClipCharacterPrecis = 1;

CString Trimmed(const std::string& token)
{
    const char* spaces = " \t\r\n\v\f";
    const size_t first = token.find_first_not_of(spaces);
    if (first == std::string::npos)
        return CString();
    const size_t last = token.find_last_not_of(spaces);
    return CString(token.substr(first, last - first + 1).c_str());
}

// A field as the file holds it: as it is, unless a comma, a quote or a line break would cut it
// apart; then in quotes with its quotes doubled.
void AppendField(std::string& line, const CString& text)
{
    const char* s = text.GetString();
    if (!std::strpbrk(s, ",\"\r\n")) {
        line += s;
        return;
    }
    line += '"';
    for (; *s; ++s) {
        if (*s == '"')
            line += '"';
        line += *s;
    }
    line += '"';
}

// The records of a comma-separated text: fields end at "," or at the line end; a quoted field
// may hold commas, doubled quotes and line breaks. A "\r" before the line end is dropped.
std::vector<std::vector<std::string>> ParseCsv(const std::string& data)
{
    std::vector<std::vector<std::string>> records;
    std::vector<std::string> record;
    std::string field;
    bool quoted = false, any = false;
    for (size_t i = 0; i < data.size(); ++i) {
        const char c = data[i];
        if (quoted) {
            if (c == '"' && i + 1 < data.size() && data[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
            continue;
        }
        any = true;
        if (c == '"' && field.empty()) {
            quoted = true;
        } else if (c == ',') {
            record.push_back(std::move(field));
            field.clear();
        } else if (c == '\n') {
            if (!field.empty() && field.back() == '\r')
                field.pop_back();
            record.push_back(std::move(field));
            field.clear();
            records.push_back(std::move(record));
            record.clear();
            any = false;
        } else {
            field += c;
        }
    }
    if (any || !field.empty() || !record.empty()) {
        record.push_back(std::move(field));
        records.push_back(std::move(record));
    }
    return records;
}

CString AppTitle()
{
    CString title;
    title.LoadString(kAppTitleId);
    return title;
}

} // namespace

// ---- clipboard ----

BOOL KTGrid::CopyTextFromGrid(CString& text)
{
    const KTCellRange range = GetSelectedCellRange();
    if (!IsValid(range))
        return FALSE;
    std::string out;
    for (int row = range.GetMinRow(); row <= range.GetMaxRow(); ++row) {
        for (int col = range.GetMinCol(); col <= range.GetMaxCol(); ++col) {
            if (GetItemState(row, col) & GVIS_SELECTED) {
                CString cell = GetItemText(row, col);
                out += cell.IsEmpty() ? " " : cell.GetString();
            }
            if (col != range.GetMaxCol())
                out += '\t';
        }
        if (row != range.GetMaxRow())
            out += '\n';
    }
    text = out.c_str();
    return TRUE;
}

BOOL KTGrid::PasteTextToGrid(KTCellID cell, const CString& text)
{
    if (!IsValid(cell) || !IsCellEditable(cell.row, cell.col))
        return FALSE;
    const std::string block = text.GetString();
    size_t start = 0;
    int line = 0;
    while (true) {
        const size_t end = block.find('\n', start);
        std::string content = block.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (content.empty() && end != std::string::npos)
            content = " ";
        int k = 0;
        size_t pos = 0;
        while (pos < content.size()) {
            pos = content.find_first_not_of("\t,\n", pos);
            if (pos == std::string::npos)
                break;
            const size_t stop = content.find_first_of("\t,\n", pos);
            const std::string token = content.substr(pos, stop == std::string::npos ? std::string::npos : stop - pos);
            const int row = cell.row + line, col = cell.col + k;
            // Only cells that may be edited take a token; the others keep their text and hear
            // nothing.
            if (IsValid(row, col) && IsCellEditable(row, col)) {
                SendMessageToParent(row, col, GVN_BEGINLABELEDIT);
                SetItemText(row, col, Trimmed(token));
                SetModified(TRUE, row, col);
                SendMessageToParent(row, col, GVN_ENDLABELEDIT);
                SetItemState(row, col, GetItemState(row, col) & ~GVIS_SELECTED);
            }
            ++k;
            pos = stop;
        }
        if (end == std::string::npos)
            break;
        start = end + 1;
        ++line;
    }
    if (GetSafeHwnd())
        Invalidate();
    return TRUE;
}

void KTGrid::CutSelectedText()
{
    if (!m_bEditable)
        return;
    const auto selected = m_SelectedCellMap;
    for (const auto& [key, cell] : selected) {
        if (!IsCellEditable(cell.row, cell.col))
            continue;
        SendMessageToParent(cell.row, cell.col, GVN_BEGINLABELEDIT);
        // The text goes; the cell stays selected (and focused) as it was.
        SetItemText(cell.row, cell.col, "");
        SetModified(TRUE, cell.row, cell.col);
        SendMessageToParent(cell.row, cell.col, GVN_ENDLABELEDIT);
    }
    if (GetSafeHwnd())
        Invalidate();
}

void KTGrid::OnEditCopy()
{
    CString text;
    if (CopyTextFromGrid(text))
        platform::ui::SetClipboardText(text);
}

void KTGrid::OnEditCut()
{
    if (!m_bEditable)
        return;
    OnEditCopy();
    CutSelectedText();
}

void KTGrid::OnEditPaste()
{
    if (!m_bEditable)
        return;
    KTCellID target = m_idCurrentCell;
    if (!IsValid(target))
        target = GetTopleftNonFixedCell();
    if (IsValid(target) && platform::ui::ClipboardHasText())
        PasteTextToGrid(target, platform::ui::GetClipboardText());
}

BOOL KTGrid::CanCopy() const
{
    return IsValid(GetSelectedCellRange()) && !m_SelectedCellMap.empty();
}

BOOL KTGrid::CanPaste() const
{
    return IsValid(m_idCurrentCell) && IsCellEditable(m_idCurrentCell.row, m_idCurrentCell.col)
        && platform::ui::ClipboardHasText();
}

// ---- files ----

BOOL KTGrid::Save(const char* path)
{
    FILE* file = path ? std::fopen(path, "w") : nullptr;
    if (!file) {
        CString message;
        message.Format("%s could not be opened for writing: %s", path ? path : "", std::strerror(errno));
        AfxMessageBox(message, MB_ICONSTOP);
        return FALSE;
    }
    // One line per row, each row once.
    bool failed = false;
    std::string line;
    for (int row = 0; row < m_nRows && !failed; ++row) {
        line.clear();
        for (int col = 0; col < m_nCols; ++col) {
            if (col)
                line += ',';
            AppendField(line, GetItemText(row, col));
        }
        line += '\n';
        failed = std::fwrite(line.data(), 1, line.size(), file) != line.size();
    }
    failed = std::fclose(file) != 0 || failed;
    if (failed) {
        AfxMessageBox("Unable to save grid list", MB_ICONSTOP);
        return FALSE;
    }
    return TRUE;
}

BOOL KTGrid::Load(const char* path)
{
    FILE* file = path ? std::fopen(path, "r") : nullptr;
    if (!file) {
        CString message;
        message.Format("%s could not be opened: %s", path ? path : "", std::strerror(errno));
        AfxMessageBox(message, MB_ICONSTOP);
        return FALSE;
    }
    std::string data;
    char buffer[65536];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof(buffer), file)) > 0)
        data.append(buffer, got);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);

    const BOOL draw = m_bAllowDraw;
    m_bAllowDraw = FALSE;
    DeleteAllItems();
    const auto records = ParseCsv(data);
    if (!records.empty()) {
        for (const auto& heading : records[0])
            InsertColumn(heading.c_str(), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        // The rows are made at once; a row longer than the heading line widens the grid.
        size_t widest = records[0].size();
        for (const auto& record : records)
            widest = std::max(widest, record.size());
        SetColumnCount(static_cast<int>(widest));
        const int height = GetTextExtent("", TRUE).cy;
        SetRowCount(static_cast<int>(records.size()));
        for (int row = 1; row < m_nRows; ++row) {
            m_arRowHeights[row] = height;
            const auto& record = records[row];
            for (size_t col = 0; col < record.size(); ++col)
                m_RowData[row][col]->szText = record[col].c_str();
        }
        AutoSizeColumns();
    }
    m_bAllowDraw = draw;
    ForgetLayout();
    ResetScrollBars();
    if (GetSafeHwnd())
        Invalidate();
    if (failed) {
        AfxMessageBox("Unable to load grid data", MB_ICONSTOP);
        return FALSE;
    }
    return TRUE;
}

// ---- printing ----

void KTGrid::Print()
{
    CPrintDialog dialog(FALSE, PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIES | PD_HIDEPRINTTOFILE, this);
    if (dialog.DoModal() != IDOK)
        return;
    CDC dc;
    if (!dialog.CreatePrinterDC(dc))
        return;
    PrintTo(&dc);
}

BOOL KTGrid::PrintTo(CDC* dc)
{
    if (!dc)
        return FALSE;
    DOCINFO info {};
    info.cbSize = sizeof(info);
    const CString title = AppTitle();
    info.lpszDocName = title.GetString();
    if (dc->StartDoc(&info) <= 0)
        return FALSE;
    OnBeginPrinting(dc);
    bool failed = false;
    for (int page = 1; page <= m_nPrintPages && !failed; ++page) {
        dc->StartPage();
        OnPrint(dc, page);
        failed = dc->EndPage() <= 0;
    }
    OnEndPrinting(dc);
    if (failed) {
        dc->AbortDoc();
        return FALSE;
    }
    dc->EndDoc();
    return TRUE;
}

// Rows of `page` (1-based): the first row in `first`, the count returned. A page breaks when
// the next row would overrun the body height.
int KTGrid::PrintRowsOnPage(int page, int& first) const
{
    int current = 1, sum = 0, count = 0;
    first = m_nFixedRows;
    for (int row = m_nFixedRows; row < m_nRows; ++row) {
        const int h = GetRowHeight(row);
        if (sum + h > m_nPageBody && sum > 0) {
            if (current == page)
                return count;
            ++current;
            sum = 0;
            count = 0;
            first = row;
        }
        sum += h;
        ++count;
    }
    return current == page ? count : 0;
}

void KTGrid::OnBeginPrinting(CDC* dc)
{
    m_nPrintPages = 0;
    if (!dc)
        return;
    m_PrinterFont.DeleteObject();
    m_PrinterFont.CreateFont(-9, 0, 0, 0, 400, FALSE, FALSE, 0, DEFAULT_CHARSET, kOutStringPrecis,
        kClipCharacterPrecis, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Times New Roman");
    CFont* old = dc->SelectObject(&m_PrinterFont);
    static const char kAlphabet[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSATUVWXYZ";
    CSize size = dc->GetTextExtent(kAlphabet, 52);
    dc->SelectObject(old);
    m_CharSize = CSize(std::max<LONG>(1, size.cx / 52), std::max<LONG>(1, size.cy));
    m_nPrintResX = std::max(1, dc->GetDeviceCaps(HORZRES));
    m_nPrintResY = std::max(1, dc->GetDeviceCaps(VERTRES));
    m_nPageWidth = static_cast<int>(GetVirtualWidth()) + 8 * m_CharSize.cx;
    m_nPageHeight = static_cast<int>(static_cast<long long>(m_nPageWidth) * m_nPrintResY / m_nPrintResX);
    m_nPageBody = m_nPageHeight - 6 * m_CharSize.cy - GetFixedRowHeight();
    // A grid without normal rows still prints its headings on one page.
    int pages = 1, sum = 0;
    for (int row = m_nFixedRows; row < m_nRows; ++row) {
        const int h = GetRowHeight(row);
        if (sum + h > m_nPageBody && sum > 0) {
            ++pages;
            sum = 0;
        }
        sum += h;
    }
    m_nPrintPages = pages;
}

void KTGrid::OnPrint(CDC* dc, int page)
{
    if (!dc)
        return;
    CFont* oldFont = dc->SelectObject(&m_PrinterFont);
    dc->SetMapMode(MM_ANISOTROPIC);
    dc->SetWindowExt(m_nPageWidth, m_nPageHeight);
    dc->SetViewportExt(m_nPrintResX, m_nPrintResY);
    const int left = -4 * m_CharSize.cx;
    dc->SetWindowOrg(left, 0);

    PrintHeader(dc, CRect(0, 0, m_nPageWidth - 8 * m_CharSize.cx, 2 * m_CharSize.cy));
    dc->OffsetWindowOrg(0, -3 * m_CharSize.cy);
    PrintColumnHeadings(dc);
    dc->OffsetWindowOrg(0, -GetFixedRowHeight());

    int first = m_nFixedRows;
    const int count = PrintRowsOnPage(page, first);
    CPen pen(PS_SOLID, 0, m_crGridColour);
    CPen* oldPen = dc->SelectObject(&pen);
    CRect rect;
    rect.bottom = -1;
    for (int row = first; row < first + count; ++row) {
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + GetRowHeight(row) - 1;
        rect.right = -1;
        for (int col = 0; col < m_nCols; ++col) {
            rect.left = rect.right + 1;
            rect.right = rect.left + GetColumnWidth(col) - 1;
            DrawCell(dc, row, col, rect);
            PrintCellLines(dc, rect, row, col, row == first ? rect.top - 1 : rect.top);
        }
    }
    dc->SelectObject(oldPen);

    dc->SetWindowOrg(left, 2 * m_CharSize.cy - m_nPageHeight);
    PrintFooter(dc, CRect(0, 0, m_nPageWidth - 8 * m_CharSize.cx, 2 * m_CharSize.cy), page);
    dc->SetWindowOrg(0, 0);
    dc->SelectObject(oldFont);
}

void KTGrid::OnEndPrinting(CDC*)
{
    m_PrinterFont.DeleteObject();
}

// The grid lines of one printed cell: its bottom and right edges, and the top and left edges of
// the first row and column; vertical lines start at `verticalTop`.
void KTGrid::PrintCellLines(CDC* dc, const CRect& rect, int row, int col, int verticalTop)
{
    if (m_nGridLines & GVL_HORZ) {
        dc->MoveTo(rect.left, rect.bottom);
        dc->LineTo(rect.right + 1, rect.bottom);
        if (row == 0) {
            dc->MoveTo(rect.left, rect.top);
            dc->LineTo(rect.right + 1, rect.top);
        }
    }
    if (m_nGridLines & GVL_VERT) {
        dc->MoveTo(rect.right, verticalTop);
        dc->LineTo(rect.right, rect.bottom + 1);
        if (col == 0) {
            dc->MoveTo(rect.left, verticalTop);
            dc->LineTo(rect.left, rect.bottom + 1);
        }
    }
}

void KTGrid::PrintColumnHeadings(CDC* dc)
{
    CPen pen(PS_SOLID, 0, m_crGridColour);
    CPen* oldPen = dc->SelectObject(&pen);
    CRect rect;
    rect.bottom = -1;
    for (int row = 0; row < m_nFixedRows; ++row) {
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + GetRowHeight(row) - 1;
        rect.right = -1;
        for (int col = 0; col < m_nCols; ++col) {
            rect.left = rect.right + 1;
            rect.right = rect.left + GetColumnWidth(col) - 1;
            DrawFixedCell(dc, row, col, rect);
            PrintCellLines(dc, rect, row, col, rect.top);
        }
    }
    dc->SelectObject(oldPen);
}

void KTGrid::PrintHeader(CDC* dc, CRect rect)
{
    LOGFONT lf {};
    m_PrinterFont.GetLogFont(&lf);
    lf.lfWeight = 700;
    CFont bold;
    bold.CreateFontIndirect(&lf);
    CFont* old = dc->SelectObject(&bold);
    dc->SetBkMode(TRANSPARENT);
    dc->DrawText(AppTitle(), &rect, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    CString caption;
    for (CWnd* wnd = GetParent(); wnd && caption.IsEmpty(); wnd = wnd->GetParent())
        wnd->GetWindowText(caption);
    dc->DrawText(caption, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    CGdiObject* oldPen = dc->SelectStockObject(BLACK_PEN);
    dc->MoveTo(rect.left, rect.bottom);
    dc->LineTo(rect.right, rect.bottom);
    dc->SelectObject(oldPen);
    dc->SelectObject(old);
}

void KTGrid::PrintFooter(CDC* dc, CRect rect, int page)
{
    CGdiObject* oldPen = dc->SelectStockObject(BLACK_PEN);
    dc->MoveTo(rect.left, rect.top);
    dc->LineTo(rect.right, rect.top);
    dc->SelectObject(oldPen);
    LOGFONT lf {};
    m_PrinterFont.GetLogFont(&lf);
    lf.lfWeight = 700;
    CFont bold;
    bold.CreateFontIndirect(&lf);
    CFont* old = dc->SelectObject(&bold);
    dc->SetBkMode(TRANSPARENT);
    rect.OffsetRect(0, m_CharSize.cy / 2);
    CString text;
    text.Format("Page %d of %d", page, m_nPrintPages);
    dc->DrawText(text, &rect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
    char when[128] {};
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    std::strftime(when, sizeof(when), "%c", &local);
    dc->DrawText(when, &rect, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
    dc->SelectObject(old);
}

void DDX_GridControl(CDataExchange* dx, int id, KTGrid& grid)
{
    if (grid.GetSafeHwnd() || !dx)
        return;
    HWND control = dx->PrepareCtrl(id);
    if (!control || !grid.SubclassWindow(control))
        AfxThrowNotSupportedException();
}
