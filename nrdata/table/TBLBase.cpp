// TBLBase: conditions, the cursor, and the row work that every table class shares.
#include "nrdata/table/TBLBase.h"

#include "nrdata/list/TextFit.h"

#include "ktutilex/KTAdo.h"
#include "platform/msg/MessageBoxService.h"

#include <cstdint>
#include <limits>

namespace {

// The Move operations of the connection let an error through as an exception (no record set
// open); here that is just one more way of failing.
template <class Call>
auto Guarded(Call call, decltype(call()) onError) -> decltype(call())
{
    try {
        return call();
    } catch (const _com_error&) {
        return onError;
    }
}

} // namespace

// ---- construction -------------------------------------------------------------------------------

TBLBase::TBLBase(KTAdo* db) : m_pDB(db) {}

TBLBase::TBLBase(const TBLBase& other) : m_pDB(other.m_pDB), m_bShowErrors(other.m_bShowErrors) {}

TBLBase& TBLBase::operator=(const TBLBase&) { return *this; }

TBLBase::~TBLBase() = default;

int TBLBase::IsConnected() const { return m_pDB && m_pDB->IsConnected() ? 1 : 0; }

// ---- conditions ---------------------------------------------------------------------------------

void TBLBase::AddCondition(const char* condition) { m_conditions.Add(condition ? condition : ""); }

void TBLBase::ClearCondition() { m_conditions.RemoveAll(); }

CString TBLBase::GetConditionString(int having) const
{
    if (m_conditions.IsEmpty())
        return CString();
    CString text = having ? "HAVING " : "WHERE ";
    for (INT_PTR i = 0; i < m_conditions.GetSize(); ++i) {
        if (i > 0)
            text += " AND ";
        text += m_conditions[i];
    }
    return text;
}

// ---- cursor -------------------------------------------------------------------------------------

int TBLBase::CursorOpen(const char* sql, CursorTypeEnum cursor, LockTypeEnum lock)
{
    if (!m_pDB || !m_pDB->OpenRecordset(sql, cursor, lock))
        return -1;
    return CursorCount();
}

int TBLBase::CursorCount()
{
    if (!m_pDB)
        return -1;
    return static_cast<int>(Guarded([this] { return m_pDB->GetRecordCount(); }, -1L));
}

int TBLBase::CursorMove()
{
    if (!m_pDB)
        return 0;
    return Guarded([this] { return m_pDB->MoveNext(); }, 0);
}

void TBLBase::CursorClose()
{
    if (m_pDB)
        Guarded([this] { m_pDB->CloseRecordset(); return 0; }, 0);
}

// ---- texts --------------------------------------------------------------------------------------

CString TBLBase::SelectText(const char* from, const char* clause)
{
    CString sql = CString("SELECT * FROM ") + from;
    if (clause && *clause)
        sql += CString(" ") + clause;
    return sql;
}

CString TBLBase::KeyClause(const TBLFields& fields)
{
    CString clause;
    for (const TBLField& field : fields) {
        if (!field.key)
            continue;
        clause += clause.IsEmpty() ? "WHERE " : " AND ";
        clause += FormatString("%s='%s'", field.name,
                               KTAdo::EscapeString(*std::get<CString*>(field.value)).GetString());
    }
    return clause;
}

// ---- fields -------------------------------------------------------------------------------------

void TBLBase::ClearFields(const TBLFields& fields)
{
    struct Clearer
    {
        void operator()(CString* text) const { text->Empty(); }
        void operator()(COleDateTime* date) const
        {
            *date = COleDateTime();
            date->SetStatus(COleDateTime::null);
        }
        void operator()(LONG* number) const { *number = 0; }
        void operator()(double* number) const { *number = 0.0; }
    };
    for (const TBLField& field : fields)
        std::visit(Clearer {}, field.value);
}

void TBLBase::FitFields(const TBLFields& fields)
{
    for (const TBLField& field : fields) {
        if (CString* const* text = std::get_if<CString*>(&field.value))
            FitText(**text, field.width, TRUE);
    }
}

namespace {

// A column's value in the member's type: 1, or 0 when the value is of another kind.
struct Converter
{
    _variant_t& value;
    int operator()(CString* text) const { return KTAdo::VariantToString(value, *text); }
    int operator()(double* number) const { return KTAdo::VariantToDecimal(value, *number); }
    int operator()(LONG* number) const
    {
        long wide = 0;
        if (!KTAdo::VariantToInteger(value, wide))
            return 0;
        *number = static_cast<LONG>(wide);
        return 1;
    }
    int operator()(COleDateTime* date) const
    {
        // An empty date column is a date without a value, not a broken row.
        if (value.vt == VT_NULL) {
            *date = COleDateTime();
            date->SetStatus(COleDateTime::null);
            return 1;
        }
        if (value.vt != VT_DATE)
            return 0;
        *date = COleDateTime(value.date);
        return 1;
    }
};

// The connection's error text form, for a value that the connection read but that does not
// fit its member (text in a number or date column, written there by another program).
CString TypeMismatchText(const char* column)
{
    const _com_error error(DB_E_CANTCONVERTVALUE, FormatString("The value of column %s is not of its type.", column),
                           "TBLBase");
    CString meaning = error.ErrorMessage();
    meaning.TrimRight("\r\n");
    return FormatString("COM ERROR\n\tCode = %08lx\n\tCode meaning = %s\n\tSource = %s\n\tDescription = %s",
                        static_cast<unsigned long>(static_cast<std::uint32_t>(error.Error())), meaning.GetString(),
                        error.Source().GetString(), error.Description().GetString());
}

} // namespace

int TBLBase::ReadFields(const TBLFields& fields)
{
    if (!m_pDB)
        return 0;
    for (const TBLField& field : fields) {
        _variant_t value;
        if (!m_pDB->GetFieldValue(field.name, value)) {
            ShowLastError();
            return 0;
        }
        if (!std::visit(Converter { value }, field.value)) {
            ReportError(TypeMismatchText(field.name));
            return 0;
        }
    }
    return 1;
}

namespace {

// Writes every field into the current (or newly added) row.
int WriteFields(KTAdo& db, const TBLFields& fields)
{
    for (const TBLField& field : fields) {
        const int written = std::visit([&](auto* value) { return db.SetFieldValue(field.name, *value); }, field.value);
        if (!written)
            return 0;
    }
    return 1;
}

} // namespace

int TBLBase::WriteRow(bool addNew, const TBLFields& fields)
{
    // A refused start (another program holds the write lock) is not shown: nothing was written.
    if (!m_pDB->BeginTrans()) {
        m_strLastError = m_pDB->GetLastErrorString();
        return 0;
    }
    if ((!addNew || m_pDB->AddNew()) && WriteFields(*m_pDB, fields) && m_pDB->Update() && m_pDB->CommitTrans())
        return 1;
    ShowLastError();
    m_pDB->Rollback();
    return 0;
}

int TBLBase::AddRow(const char* table, const TBLFields& fields)
{
    if (!m_pDB)
        return 0;
    const int opened = m_pDB->OpenTable(table, adOpenDynamic, adLockOptimistic);
    if (!opened)
        m_strLastError = m_pDB->GetLastErrorString();
    const int result = opened ? WriteRow(true, fields) : 0;
    CursorClose();
    return result;
}

int TBLBase::UpdateRow(const char* table, const TBLFields& fields)
{
    if (!m_pDB)
        return 0;
    const CString sql = CString("SELECT * FROM ") + table + " " + KeyClause(fields);
    // A key that no row holds (any more) has nothing to update.
    const int opened = m_pDB->OpenRecordset(sql, adOpenDynamic, adLockOptimistic);
    if (!opened)
        m_strLastError = m_pDB->GetLastErrorString();
    const bool onRow = opened && Guarded([this] { return m_pDB->MoveFirst() && !m_pDB->IsEOF(); }, false);
    const int result = onRow ? WriteRow(false, fields) : 0;
    CursorClose();
    return result;
}

int TBLBase::DeleteRow(const char* table, const TBLFields& fields)
{
    if (!m_pDB)
        return 0;
    return m_pDB->ExecuteSQL(CString("DELETE FROM ") + table + " " + KeyClause(fields)) ? 1 : 0;
}

// ---- ids ----------------------------------------------------------------------------------------

CString TBLBase::UniqueDateId(KTAdo* db, const char* table, const char* column)
{
    if (!db || !db->IsConnected())
        return CString();
    const COleDateTime today = COleDateTime::GetCurrentTime();
    TBLBase query(db);
    // Each candidate is asked for once; a query that fails ends the search with no id rather
    // than trying the next number for ever.
    for (int n = 1; n < std::numeric_limits<int>::max(); ++n) {
        const CString id =
            FormatString("%04d%02d%02d-%03d", today.GetYear(), today.GetMonth(), today.GetDay(), n);
        const int rows = query.CursorOpen(
            FormatString("SELECT %s FROM %s WHERE %s='%s'", column, table, column, KTAdo::EscapeString(id).GetString()),
            adOpenUnspecified, adLockUnspecified);
        query.CursorClose();
        if (rows < 0)
            return CString();
        if (rows == 0)
            return id;
    }
    return CString();
}

// ---- messages -----------------------------------------------------------------------------------

void TBLBase::ShowLastError() { ReportError(m_pDB->GetLastErrorString()); }

void TBLBase::ReportError(const CString& text)
{
    m_strLastError = text;
    if (m_bShowErrors)
        AfxMessageBox(text, MB_ICONSTOP);
}
