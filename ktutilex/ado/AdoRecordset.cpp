// AdoRecordset: rows of a query or table with a cursor, fields and row edits.
#include "ktutilex/ado/AdoRecordset.h"

#include "ktutilex/ado/AdoConnection.h"
#include "ktutilex/ado/SqlText.h"
#include "ktutilex/ado/SqliteSupport.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

using ktado::kEngineSource;

namespace {

constexpr const char* kRecordsetSource = "KTAdo.Recordset";
constexpr HRESULT DISP_E_OVERFLOW = static_cast<HRESULT>(0x8002000Au);

[[noreturn]] void ThrowNoCurrentRecord()
{
    throw _com_error(ADO_E_NOCURRENTRECORD,
                     "Either BOF or EOF is True, or the current record has been deleted. "
                     "Requested operation requires a current record.",
                     kRecordsetSource);
}

[[noreturn]] void ThrowMismatch()
{
    throw _com_error(DB_E_CANTCONVERTVALUE, "Data type mismatch: the value does not fit the field's type.",
                     kRecordsetSource);
}

bool Contains(const std::string& text, const char* part)
{
    return text.find(part) != std::string::npos;
}

// The number a value holds; false for texts that are no number and for non-numeric types.
bool NumberOf(const _variant_t& value, double& number)
{
    switch (value.vt) {
    case VT_I1: number = value.cVal; return true;
    case VT_UI1: number = value.bVal; return true;
    case VT_I2: number = value.iVal; return true;
    case VT_UI2: number = value.uiVal; return true;
    case VT_I4: case VT_INT: number = value.lVal; return true;
    case VT_UI4: case VT_UINT: number = value.ulVal; return true;
    case VT_BOOL: number = value.boolVal ? -1.0 : 0.0; return true;
    case VT_R4: number = value.fltVal; return true;
    case VT_R8: case VT_DATE: number = value.dblVal; return true;
    case VT_BSTR: {
        CString text = value.GetText();
        text.Trim();
        if (text.IsEmpty())
            return false;
        char* end = nullptr;
        number = std::strtod(text, &end);
        return end && *end == '\0' && std::isfinite(number);
    }
    default:
        return false;
    }
}

// A whole number for an integer field: rounded half to even, as the classic conversions.
long long WholeNumber(double number, double low, double high)
{
    const double rounded = std::nearbyint(number);
    if (!std::isfinite(rounded) || rounded < low || rounded > high)
        throw _com_error(DISP_E_OVERFLOW, "Overflow: the number does not fit the field.", kRecordsetSource);
    return static_cast<long long>(rounded);
}

CString TextOf(const _variant_t& value)
{
    switch (value.vt) {
    case VT_BSTR: return value.GetText();
    case VT_BOOL: return value.boolVal ? "True" : "False";
    case VT_DATE: return COleDateTime(value.dblVal).Format("%Y-%m-%d %H:%M:%S");
    case VT_R4: return FormatString("%.7g", value.fltVal);
    case VT_R8: return FormatString("%.15g", value.dblVal);
    default: {
        double number = 0;
        if (!NumberOf(value, number))
            ThrowMismatch();
        return FormatString("%.0f", number);
    }
    }
}

} // namespace

AdoRecordset::AdoRecordset() = default;

AdoRecordset::~AdoRecordset()
{
    Close();
}

// ---- opening and closing ------------------------------------------------------------------

void AdoRecordset::Open(const std::shared_ptr<AdoConnection>& connection, const char* source,
                        CursorTypeEnum cursor, LockTypeEnum lock, long options)
{
    Close();
    if (!connection || connection->GetState() != adStateOpen)
        throw _com_error::ObjectClosed(kRecordsetSource);
    sqlite3* db = connection->Handle();
    ktado::Statement statement;
    bool hasRowId = false;
    CString baseTable;

    if (options == adCmdTable) {
        CString bare = source ? source : "";
        if (bare.GetLength() >= 2 && bare[0] == '[' && bare[bare.GetLength() - 1] == ']')
            bare = bare.Mid(1, bare.GetLength() - 2);
        const CString quoted = ktado::QuoteTableName(bare);
        try {
            statement = ktado::PrepareSingle(db, "SELECT *, " + quoted + ".rowid FROM " + quoted);
            hasRowId = true;
            baseTable = bare;
        } catch (const _com_error&) {
            // A view has no row ids: it opens read-only, or reports why it cannot open.
            statement = ktado::PrepareSingle(db, "SELECT * FROM " + quoted);
        }
    } else {
        const CString sql = ktado::TranslateDateLiterals(source);
        statement = ktado::PrepareSingle(db, sql);
        const int count = sqlite3_column_count(statement.get());
        if (count == 0) {
            // A statement without rows runs, and the record set stays closed.
            ktado::StepToDone(db, statement.get());
            return;
        }
        // Rows of one table can be written back when the query can carry that table's row id.
        CString table;
        bool oneTable = sqlite3_stmt_readonly(statement.get()) != 0;
        for (int i = 0; i < count && oneTable; ++i) {
            const char* name = sqlite3_column_table_name(statement.get(), i);
            const char* database = sqlite3_column_database_name(statement.get(), i);
            if (!name || !database || std::strcmp(database, "main") != 0)
                oneTable = false;
            else if (i == 0)
                table = name;
            else if (table.CompareNoCase(name) != 0)
                oneTable = false;
        }
        if (oneTable) {
            const CString withRowId = ktado::AddRowIdColumn(sql, table);
            if (!withRowId.IsEmpty()) {
                sqlite3_stmt* raw = nullptr;
                if (sqlite3_prepare_v2(db, withRowId, -1, &raw, nullptr) == SQLITE_OK && raw &&
                    sqlite3_column_count(raw) == count + 1) {
                    statement.reset(raw);
                    hasRowId = true;
                    baseTable = table;
                } else {
                    sqlite3_finalize(raw);
                }
            }
        }
    }

    Start(connection, statement.release(), hasRowId, baseTable, cursor, lock);
    // A query reads its rows now, so that it holds no read lock on the file afterwards and its
    // errors show at once; a whole table waits until its rows are wanted.
    if (options != adCmdTable)
        Fetch();
}

void AdoRecordset::Start(const std::shared_ptr<AdoConnection>& connection, sqlite3_stmt* statement,
                         bool hasRowId, const CString& baseTable, CursorTypeEnum cursor, LockTypeEnum lock)
{
    const int visible = sqlite3_column_count(statement) - (hasRowId ? 1 : 0);
    m_columns.clear();
    for (int i = 0; i < visible; ++i) {
        Column column;
        column.name = sqlite3_column_name(statement, i);
        const char* origin = sqlite3_column_origin_name(statement, i);
        column.origin = origin ? origin : column.name.GetString();
        column.kind = KindOfDeclaredType(sqlite3_column_decltype(statement, i));
        m_columns.push_back(std::move(column));
    }
    m_connection = connection;
    m_pending = statement;
    m_open = true;
    m_fetched = false;
    m_cursorType = cursor;
    m_lockType = lock;
    m_baseTable = hasRowId ? baseTable : CString();
    m_rows.clear();
    m_position = 0;
    m_onDeletedRow = false;
    m_editMode = EditMode::None;
}

void AdoRecordset::OpenPrepared(const std::shared_ptr<AdoConnection>& connection, sqlite3_stmt* statement)
{
    Close();
    Start(connection, statement, false, CString(), adOpenForwardOnly, adLockReadOnly);
    Fetch();
}

void AdoRecordset::OpenRows(std::vector<CString> columns, std::vector<std::vector<_variant_t>> rows)
{
    Close();
    for (CString& name : columns)
        m_columns.push_back(Column { name, name, ColumnKind::Any });
    for (auto& values : rows)
        m_rows.push_back(Row { 0, std::move(values) });
    m_open = true;
    m_fetched = true;
    m_cursorType = adOpenStatic;
    m_lockType = adLockReadOnly;
}

void AdoRecordset::Close()
{
    if (m_pending) {
        sqlite3_finalize(m_pending);
        m_pending = nullptr;
    }
    m_open = false;
    m_fetched = false;
    m_columns.clear();
    m_rows.clear();
    m_baseTable.Empty();
    m_position = 0;
    m_onDeletedRow = false;
    m_editMode = EditMode::None;
    m_changed.clear();
    m_insertSql.clear();
    m_updateSql.clear();
    m_connection.reset();
}

long AdoRecordset::GetState() const
{
    return m_open ? adStateOpen : adStateClosed;
}

void AdoRecordset::RequireOpen() const
{
    if (!m_open)
        throw _com_error::ObjectClosed(kRecordsetSource);
}

void AdoRecordset::RequireUpdatable() const
{
    RequireOpen();
    if (m_baseTable.IsEmpty() || m_lockType == adLockReadOnly || m_lockType == adLockUnspecified)
        throw _com_error(ADO_E_FEATURENOTAVAILABLE,
                         "Current Recordset does not support updating. This may be a limitation of the "
                         "provider, or of the selected locktype.",
                         kRecordsetSource);
    if (!m_connection || m_connection->GetState() != adStateOpen)
        throw _com_error::ObjectClosed(kRecordsetSource);
}

// ---- reading rows -------------------------------------------------------------------------

AdoRecordset::ColumnKind AdoRecordset::KindOfDeclaredType(const char* declaredType)
{
    if (!declaredType)
        return ColumnKind::Any;
    std::string type = declaredType;
    for (char& c : type)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (Contains(type, "DATE") || Contains(type, "TIME"))
        return ColumnKind::Date;
    if (Contains(type, "CHAR") || Contains(type, "TEXT") || Contains(type, "CLOB") || Contains(type, "MEMO"))
        return ColumnKind::Text;
    if (Contains(type, "SMALLINT") || Contains(type, "SHORT"))
        return ColumnKind::Short;
    if (Contains(type, "TINYINT") || Contains(type, "BYTE"))
        return ColumnKind::Byte;
    if (Contains(type, "INT") || Contains(type, "LONG") || Contains(type, "COUNTER"))
        return ColumnKind::Long;
    if (Contains(type, "BIT") || Contains(type, "BOOL") || Contains(type, "YESNO") || Contains(type, "LOGICAL"))
        return ColumnKind::Bool;
    if (Contains(type, "SINGLE"))
        return ColumnKind::Float;
    if (Contains(type, "REAL") || Contains(type, "DOUB") || Contains(type, "FLOA") || Contains(type, "NUMERIC") ||
        Contains(type, "DECIMAL") || Contains(type, "CURRENCY"))
        return ColumnKind::Double;
    return ColumnKind::Any;
}

_variant_t AdoRecordset::ReadColumn(sqlite3_stmt* statement, int column, ColumnKind kind)
{
    const int type = sqlite3_column_type(statement, column);
    if (type == SQLITE_NULL)
        return _variant_t::Null();
    const bool numeric = type == SQLITE_INTEGER || type == SQLITE_FLOAT;
    switch (kind) {
    case ColumnKind::Text:
        break;
    case ColumnKind::Date:
        if (numeric)
            return _variant_t(sqlite3_column_double(statement, column), VT_DATE);
        if (type == SQLITE_TEXT) {
            COleDateTime date;
            if (date.ParseDateTime(reinterpret_cast<const char*>(sqlite3_column_text(statement, column))))
                return _variant_t(date.m_dt, VT_DATE);
        }
        break;
    case ColumnKind::Double:
        if (numeric)
            return _variant_t(sqlite3_column_double(statement, column));
        break;
    case ColumnKind::Float:
        if (numeric)
            return _variant_t(static_cast<float>(sqlite3_column_double(statement, column)));
        break;
    case ColumnKind::Bool:
        if (numeric)
            return _variant_t(sqlite3_column_double(statement, column) != 0.0);
        break;
    case ColumnKind::Short:
    case ColumnKind::Byte:
    case ColumnKind::Long:
    case ColumnKind::Any:
        if (type == SQLITE_INTEGER) {
            const sqlite3_int64 value = sqlite3_column_int64(statement, column);
            if (kind == ColumnKind::Short && value >= -32768 && value <= 32767)
                return _variant_t(static_cast<short>(value));
            if (kind == ColumnKind::Byte && value >= 0 && value <= 255)
                return _variant_t(static_cast<unsigned char>(value));
            if (value >= std::numeric_limits<LONG>::min() && value <= std::numeric_limits<LONG>::max())
                return _variant_t(static_cast<long>(value));
            return _variant_t(static_cast<double>(value));
        }
        if (type == SQLITE_FLOAT)
            return _variant_t(sqlite3_column_double(statement, column));
        break;
    }
    const char* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    return _variant_t(CString(text ? text : "", sqlite3_column_bytes(statement, column)));
}

void AdoRecordset::Fetch()
{
    if (m_fetched)
        return;
    m_fetched = true;
    ktado::Statement statement(m_pending);
    m_pending = nullptr;
    if (!statement)
        return;

    // A row added before the rows were read is read again with them; it stays the current row.
    const bool hadAdded = !m_rows.empty();
    const std::int64_t currentRowId = hadAdded ? m_rows.back().rowId : 0;
    const bool hasRowId = !m_baseTable.IsEmpty();
    const int count = static_cast<int>(m_columns.size());
    std::vector<Row> rows;
    int rc;
    while ((rc = sqlite3_step(statement.get())) == SQLITE_ROW) {
        Row row;
        if (hasRowId)
            row.rowId = sqlite3_column_int64(statement.get(), count);
        row.values.reserve(count);
        for (int i = 0; i < count; ++i)
            row.values.push_back(ReadColumn(statement.get(), i, m_columns[i].kind));
        rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE)
        ktado::ThrowEngineError(sqlite3_db_handle(statement.get()), rc);
    m_rows = std::move(rows);
    m_position = 0;
    if (hadAdded) {
        for (std::size_t i = 0; i < m_rows.size(); ++i) {
            if (m_rows[i].rowId == currentRowId)
                m_position = static_cast<long>(i);
        }
    }
}

// ---- cursor -------------------------------------------------------------------------------

bool AdoRecordset::IsBOF()
{
    RequireOpen();
    Fetch();
    if (m_onDeletedRow)
        return false;
    return m_rows.empty() || m_position < 0;
}

bool AdoRecordset::IsEOF()
{
    RequireOpen();
    Fetch();
    if (m_onDeletedRow)
        return false;
    return m_rows.empty() || m_position >= static_cast<long>(m_rows.size());
}

void AdoRecordset::MoveFirst()
{
    RequireOpen();
    FlushEdit();
    Fetch();
    m_position = 0;
    m_onDeletedRow = false;
}

void AdoRecordset::MoveLast()
{
    RequireOpen();
    FlushEdit();
    Fetch();
    m_position = m_rows.empty() ? 0 : static_cast<long>(m_rows.size()) - 1;
    m_onDeletedRow = false;
}

void AdoRecordset::MoveNext()
{
    RequireOpen();
    FlushEdit();
    Fetch();
    if (m_onDeletedRow) {
        // The row after the deleted one now stands at its place.
        m_onDeletedRow = false;
        return;
    }
    if (m_rows.empty() || m_position >= static_cast<long>(m_rows.size()))
        ThrowNoCurrentRecord();
    ++m_position;
}

void AdoRecordset::MovePrevious()
{
    RequireOpen();
    FlushEdit();
    Fetch();
    if (m_onDeletedRow) {
        m_onDeletedRow = false;
        --m_position;
        return;
    }
    if (m_rows.empty() || m_position < 0)
        ThrowNoCurrentRecord();
    --m_position;
}

bool AdoRecordset::HasCurrentRow()
{
    Fetch();
    return !m_onDeletedRow && m_position >= 0 && m_position < static_cast<long>(m_rows.size());
}

void AdoRecordset::RequireCurrentRow()
{
    if (m_onDeletedRow)
        throw _com_error(DB_E_DELETEDROW, "The current row has been deleted.", kRecordsetSource);
    if (!HasCurrentRow())
        ThrowNoCurrentRecord();
}

// ---- fields -------------------------------------------------------------------------------

long AdoRecordset::GetFieldCount() const
{
    RequireOpen();
    return static_cast<long>(m_columns.size());
}

CString AdoRecordset::GetFieldName(long position) const
{
    RequireOpen();
    if (position < 0 || position >= static_cast<long>(m_columns.size()))
        FieldPosition(_variant_t(position));  // throws "item not found"
    return m_columns[position].name;
}

long AdoRecordset::FieldPosition(const _variant_t& index) const
{
    RequireOpen();
    if (index.vt == VT_BSTR) {
        const std::size_t count = m_columns.size();
        for (std::size_t n = 0; n < count; ++n) {
            const std::size_t i = (m_fieldGuess + n) % count;
            if (m_columns[i].name.CompareNoCase(index.GetText()) == 0) {
                m_fieldGuess = i + 1;
                return static_cast<long>(i);
            }
        }
    } else {
        double number = 0;
        if (NumberOf(index, number) && number >= 0 && number < static_cast<double>(m_columns.size()))
            return static_cast<long>(number);
    }
    throw _com_error::ItemNotFound(kRecordsetSource);
}

_variant_t AdoRecordset::GetValue(const _variant_t& index)
{
    const long position = FieldPosition(index);
    if (m_editMode != EditMode::None)
        return m_editRow.values[position];
    RequireCurrentRow();
    return m_rows[m_position].values[position];
}

_variant_t AdoRecordset::CoerceForColumn(const _variant_t& value, ColumnKind kind)
{
    if (value.vt == VT_EMPTY || value.vt == VT_NULL)
        return _variant_t::Null();
    if (value.IsArray() || value.vt == VT_ERROR)
        ThrowMismatch();
    double number = 0;
    switch (kind) {
    case ColumnKind::Any:
        return value;
    case ColumnKind::Text:
        return _variant_t(TextOf(value));
    case ColumnKind::Date:
        if (value.vt == VT_BSTR) {
            COleDateTime date;
            if (!date.ParseDateTime(value.GetText()))
                ThrowMismatch();
            return _variant_t(date.m_dt, VT_DATE);
        }
        if (!NumberOf(value, number))
            ThrowMismatch();
        return _variant_t(number, VT_DATE);
    case ColumnKind::Bool:
        if (value.vt == VT_BSTR && (value.GetText().CompareNoCase("true") == 0 ||
                                    value.GetText().CompareNoCase("false") == 0))
            return _variant_t(value.GetText().CompareNoCase("true") == 0);
        if (!NumberOf(value, number))
            ThrowMismatch();
        return _variant_t(number != 0.0);
    case ColumnKind::Double:
        if (!NumberOf(value, number))
            ThrowMismatch();
        return _variant_t(number);
    case ColumnKind::Float:
        if (!NumberOf(value, number))
            ThrowMismatch();
        return _variant_t(static_cast<float>(number));
    case ColumnKind::Long:
        if (!NumberOf(value, number))
            ThrowMismatch();
        return _variant_t(static_cast<long>(WholeNumber(number, std::numeric_limits<LONG>::min(),
                                                        std::numeric_limits<LONG>::max())));
    case ColumnKind::Short:
        if (!NumberOf(value, number))
            ThrowMismatch();
        return _variant_t(static_cast<short>(WholeNumber(number, -32768, 32767)));
    case ColumnKind::Byte:
        if (!NumberOf(value, number))
            ThrowMismatch();
        return _variant_t(static_cast<unsigned char>(WholeNumber(number, 0, 255)));
    }
    return value;
}

void AdoRecordset::SetValue(const _variant_t& index, const _variant_t& value)
{
    RequireUpdatable();
    const long position = FieldPosition(index);
    _variant_t coerced = CoerceForColumn(value, m_columns[position].kind);
    if (m_editMode == EditMode::None) {
        RequireCurrentRow();
        m_editRow = m_rows[m_position];
        m_changed.assign(m_columns.size(), false);
        m_editMode = EditMode::Editing;
    }
    m_editRow.values[position] = std::move(coerced);
    m_changed[position] = true;
}

// ---- row edits ----------------------------------------------------------------------------

void AdoRecordset::SetFields(const _variant_t& fields, const _variant_t& values)
{
    if (fields.IsArray()) {
        const auto& names = fields.GetArray();
        const auto& items = values.GetArray();
        if (!values.IsArray() || names.size() != items.size())
            throw _com_error::BadArguments(kRecordsetSource);
        for (std::size_t i = 0; i < names.size(); ++i)
            SetValue(names[i], items[i]);
    } else {
        SetValue(fields, values);
    }
}

void AdoRecordset::AddNew(const _variant_t& fields, const _variant_t& values)
{
    RequireUpdatable();
    FlushEdit();
    m_editRow = Row { 0, std::vector<_variant_t>(m_columns.size(), _variant_t::Null()) };
    m_changed.assign(m_columns.size(), false);
    m_editMode = EditMode::Adding;
    if (!fields.IsMissing()) {
        try {
            SetFields(fields, values);
            WriteAddedRow();
        } catch (...) {
            CancelUpdate();
            throw;
        }
    }
}

void AdoRecordset::Update(const _variant_t& fields, const _variant_t& values)
{
    RequireOpen();
    if (!fields.IsMissing())
        SetFields(fields, values);
    // A failed write keeps the edit, so the caller can correct a field and try again.
    if (m_editMode == EditMode::Adding)
        WriteAddedRow();
    else if (m_editMode == EditMode::Editing)
        WriteEditedRow();
}

void AdoRecordset::CancelUpdate()
{
    m_editMode = EditMode::None;
    m_changed.clear();
}

void AdoRecordset::FlushEdit()
{
    if (m_editMode == EditMode::None)
        return;
    try {
        if (m_editMode == EditMode::Adding)
            WriteAddedRow();
        else
            WriteEditedRow();
    } catch (...) {
        CancelUpdate();
        throw;
    }
}

void AdoRecordset::WriteAddedRow()
{
    sqlite3* db = m_connection->Handle();
    bool allSet = true;
    for (bool changed : m_changed)
        allSet = allSet && changed;
    if (m_insertSql.empty() || m_insertFields != m_changed) {
        std::string columns;
        std::string marks;
        for (std::size_t i = 0; i < m_columns.size(); ++i) {
            if (!m_changed[i])
                continue;
            if (!columns.empty()) {
                columns += ", ";
                marks += ", ";
            }
            columns += ktado::QuoteTableName(m_columns[i].origin).str();
            marks += '?';
        }
        const std::string table = ktado::QuoteTableName(m_baseTable).str();
        m_insertSql = columns.empty() ? "INSERT INTO " + table + " DEFAULT VALUES"
                                      : "INSERT INTO " + table + " (" + columns + ") VALUES (" + marks + ")";
        m_insertFields = m_changed;
    }
    sqlite3_stmt* statement = m_connection->CachedStatement(m_insertSql);
    int bind = 1;
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        if (m_changed[i])
            ktado::BindVariant(statement, bind++, m_editRow.values[i]);
    }
    ktado::StepToDone(db, statement);
    sqlite3_reset(statement);
    m_editRow.rowId = sqlite3_last_insert_rowid(db);
    // Fields the caller left out take the table's defaults; read them back.
    if (!allSet)
        ReloadRow(m_editRow);
    // Before the rows are read, only the new row is kept: reading brings it back with the rest.
    if (!m_fetched)
        m_rows.clear();
    m_rows.push_back(std::move(m_editRow));
    m_position = static_cast<long>(m_rows.size()) - 1;
    m_onDeletedRow = false;
    CancelUpdate();
}

void AdoRecordset::WriteEditedRow()
{
    sqlite3* db = m_connection->Handle();
    bool anyChanged = false;
    for (bool changed : m_changed)
        anyChanged = anyChanged || changed;
    if (!anyChanged) {
        CancelUpdate();
        return;
    }
    if (m_updateSql.empty() || m_updateFields != m_changed) {
        std::string assignments;
        for (std::size_t i = 0; i < m_columns.size(); ++i) {
            if (!m_changed[i])
                continue;
            if (!assignments.empty())
                assignments += ", ";
            assignments += ktado::QuoteTableName(m_columns[i].origin).str() + "=?";
        }
        m_updateSql = "UPDATE " + ktado::QuoteTableName(m_baseTable).str() + " SET " + assignments + " WHERE rowid=?";
        m_updateFields = m_changed;
    }
    sqlite3_stmt* statement = m_connection->CachedStatement(m_updateSql);
    int bind = 1;
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        if (m_changed[i])
            ktado::BindVariant(statement, bind++, m_editRow.values[i]);
    }
    sqlite3_bind_int64(statement, bind, m_editRow.rowId);
    ktado::StepToDone(db, statement);
    sqlite3_reset(statement);
    if (sqlite3_changes(db) == 0)
        throw _com_error(E_FAIL,
                         "The row cannot be found for updating: another program may have deleted it.",
                         kRecordsetSource);
    m_rows[m_position] = m_editRow;
    CancelUpdate();
}

void AdoRecordset::ReloadRow(Row& row)
{
    std::string columns;
    for (const Column& column : m_columns) {
        if (!columns.empty())
            columns += ", ";
        columns += ktado::QuoteTableName(column.origin).str();
    }
    const std::string sql = "SELECT " + columns + " FROM " + ktado::QuoteTableName(m_baseTable).str() +
                            " WHERE rowid=?";
    sqlite3_stmt* statement = m_connection->CachedStatement(sql);
    sqlite3_bind_int64(statement, 1, row.rowId);
    const int rc = sqlite3_step(statement);
    if (rc == SQLITE_ROW) {
        for (std::size_t i = 0; i < m_columns.size(); ++i)
            row.values[i] = ReadColumn(statement, static_cast<int>(i), m_columns[i].kind);
    }
    sqlite3_reset(statement);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        ktado::ThrowEngineError(m_connection->Handle(), rc);
}

void AdoRecordset::DeleteRow(std::int64_t rowId)
{
    const std::string sql = "DELETE FROM " + ktado::QuoteTableName(m_baseTable).str() + " WHERE rowid=?";
    sqlite3_stmt* statement = m_connection->CachedStatement(sql);
    sqlite3_bind_int64(statement, 1, rowId);
    ktado::StepToDone(m_connection->Handle(), statement);
    sqlite3_reset(statement);
}

void AdoRecordset::Delete(AffectEnum affect)
{
    RequireUpdatable();
    if (m_editMode != EditMode::None) {
        // Deleting the row being added or edited drops that edit, as the classic record set.
        const bool wasAdding = m_editMode == EditMode::Adding;
        CancelUpdate();
        if (wasAdding)
            return;
    }
    if (affect == adAffectCurrent) {
        RequireCurrentRow();
        DeleteRow(m_rows[m_position].rowId);
        m_rows.erase(m_rows.begin() + m_position);
        m_onDeletedRow = true;
        return;
    }
    if (affect != adAffectAll)
        throw _com_error::BadArguments(kRecordsetSource);
    Fetch();
    // All rows or none: the deletes run under a savepoint of their own.
    m_connection->Execute("SAVEPOINT ktado_delete_all");
    try {
        for (const Row& row : m_rows)
            DeleteRow(row.rowId);
        m_connection->Execute("RELEASE ktado_delete_all");
    } catch (...) {
        try {
            m_connection->Execute("ROLLBACK TO ktado_delete_all");
            m_connection->Execute("RELEASE ktado_delete_all");
        } catch (const _com_error&) {
        }
        throw;
    }
    m_rows.clear();
    m_position = 0;
    m_onDeletedRow = false;
}
