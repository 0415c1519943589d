// KTAdo: the database access class of the system, over the SQLite objects of ado/.
#include "ktutilex/KTAdo.h"

#include "ktutilex/ado/ConnectionText.h"

#include <cmath>
#include <limits>

namespace {

[[noreturn]] void ThrowNullPointer()
{
    throw _com_error(E_POINTER, "There is no object to use.", "KTAdo");
}

} // namespace

// ---- lifetime -------------------------------------------------------------------------------

KTAdo::KTAdo() = default;

KTAdo::KTAdo(const KTAdo& other)
    : m_pConnection(other.m_pConnection),
      m_pCommand(other.m_pCommand),
      m_pRecordset(other.m_pRecordset),
      m_strLastError(other.m_strLastError)
{
}

KTAdo& KTAdo::operator=(const KTAdo& other)
{
    m_pConnection = other.m_pConnection;
    m_pCommand = other.m_pCommand;
    m_pRecordset = other.m_pRecordset;
    m_strLastError = other.m_strLastError;
    return *this;
}

KTAdo::~KTAdo()
{
    // Closing never reaches the caller of a destructor.
    try {
        Disconnect();
    } catch (...) {
    }
    m_pRecordset.reset();
    m_pCommand.reset();
    m_pConnection.reset();
}

AdoRecordset& KTAdo::Recordset()
{
    if (!m_pRecordset)
        ThrowNullPointer();
    return *m_pRecordset;
}

AdoConnection& KTAdo::Connection()
{
    if (!m_pConnection)
        ThrowNullPointer();
    return *m_pConnection;
}

AdoCommand& KTAdo::Command()
{
    if (!m_pCommand)
        ThrowNullPointer();
    return *m_pCommand;
}

void KTAdo::Error(_com_error& error)
{
    m_strLastError = "COM ERROR\n";
    m_strLastError.AppendFormat("\tCode = %08lx\n", static_cast<unsigned long>(static_cast<std::uint32_t>(error.Error())));
    CString meaning = error.ErrorMessage();
    meaning.TrimRight("\r\n");
    m_strLastError.AppendFormat("\tCode meaning = %s\n", meaning.GetString());
    m_strLastError.AppendFormat("\tSource = %s\n", error.Source().GetString());
    m_strLastError.AppendFormat("\tDescription = %s", error.Description().GetString());
}

// ---- connection -----------------------------------------------------------------------------

CString KTAdo::JetConnectionString(const char* path, const char* password)
{
    return ktado::BuildJetConnectionString(path, password);
}

CString KTAdo::EscapeString(const char* text)
{
    CString escaped = text ? text : "";
    escaped.Replace("'", "''");
    return escaped;
}

int KTAdo::ConnectDB(const char* connectionText)
{
    Disconnect();
    try {
        m_pConnection = std::make_shared<AdoConnection>();
        m_pConnection->Open(connectionText);
        return 1;
    } catch (_com_error& error) {
        Error(error);
        Disconnect();
        return 0;
    }
}

int KTAdo::ConnectDB(const char* path, const char* password)
{
    return ConnectDB(JetConnectionString(path, password));
}

void KTAdo::Disconnect()
{
    CloseRecordset();
    CloseCommand();
    if (m_pConnection) {
        // A copy of this object (or a record set it handed out) may still use the connection:
        // the last holder closes it.
        if (m_pConnection.use_count() == 1 && m_pConnection->GetState() == adStateOpen)
            m_pConnection->Close();
        m_pConnection.reset();
    }
}

int KTAdo::IsConnected()
{
    if (!m_pConnection)
        return 0;
    return m_pConnection->GetState() == adStateOpen ? 1 : 0;
}

int KTAdo::SetBusyTimeout(int ms)
{
    if (!IsConnected())
        return 0;
    m_pConnection->SetBusyTimeout(ms);
    return 1;
}

// ---- record sets ----------------------------------------------------------------------------

int KTAdo::OpenRecordset(const char* sql, CursorTypeEnum cursor, LockTypeEnum lock)
{
    try {
        CloseRecordset();
        m_pRecordset = std::make_shared<AdoRecordset>();
        // The record set runs on this object's own connection, so a transaction covers it.
        if (!m_pConnection)
            ThrowNullPointer();
        m_pRecordset->Open(m_pConnection, sql, cursor, lock, adCmdText);
    } catch (_com_error& error) {
        Error(error);
        return 0;
    }
    return IsRecordsetOpened();
}

int KTAdo::OpenTable(const char* table, CursorTypeEnum cursor, LockTypeEnum lock)
{
    try {
        CloseRecordset();
        m_pRecordset = std::make_shared<AdoRecordset>();
        if (!m_pConnection)
            ThrowNullPointer();
        m_pRecordset->Open(m_pConnection, table, cursor, lock, adCmdTable);
    } catch (_com_error& error) {
        Error(error);
        return 0;
    }
    return IsRecordsetOpened();
}

int KTAdo::OpenSchema()
{
    try {
        CloseRecordset();
        m_pRecordset = Connection().OpenSchemaTables("TABLE");
        return m_pRecordset && m_pRecordset->GetState() == adStateOpen ? 1 : 0;
    } catch (_com_error& error) {
        Error(error);
        return 0;
    }
}

void KTAdo::CloseRecordset()
{
    if (!m_pRecordset)
        return;
    if (m_pRecordset.use_count() == 1 && m_pRecordset->GetState() == adStateOpen)
        m_pRecordset->Close();
    m_pRecordset.reset();
}

int KTAdo::IsRecordsetOpened()
{
    if (!m_pRecordset)
        return 0;
    return m_pRecordset->GetState() == adStateOpen ? 1 : 0;
}

int KTAdo::IsBOF()
{
    return Recordset().IsBOF() ? -1 : 0;
}

int KTAdo::IsEOF()
{
    return Recordset().IsEOF() ? -1 : 0;
}

// ---- statements and commands ----------------------------------------------------------------

int KTAdo::ExecuteSQL(const char* sql)
{
    try {
        Connection().Execute(sql);
        return 1;
    } catch (_com_error& error) {
        Error(error);
        return 0;
    }
}

int KTAdo::CreateCommand()
{
    CloseCommand();
    try {
        if (!m_pConnection)
            ThrowNullPointer();
        m_pCommand = std::make_shared<AdoCommand>();
        m_pCommand->SetActiveConnection(m_pConnection);
        return 1;
    } catch (_com_error& error) {
        Error(error);
        CloseCommand();
        return 0;
    }
}

void KTAdo::CloseCommand()
{
    if (!m_pCommand)
        return;
    if (m_pCommand.use_count() == 1)
        ClearParam();
    m_pCommand.reset();
}

int KTAdo::ExecuteStoreProc(const char* name)
{
    try {
        Command().SetCommandText(name ? name : "");
        _RecordsetPtr rows = m_pCommand->Execute(adCmdStoredProc);
        if (rows) {
            CloseRecordset();
            m_pRecordset = rows;
        }
        return 1;
    } catch (_com_error& error) {
        Error(error);
        return 0;
    }
}

void KTAdo::ClearParam()
{
    if (!m_pCommand)
        return;
    // From the end, so that no parameter is skipped while the collection shrinks.
    for (long count = m_pCommand->GetParameterCount(); count > 0; --count)
        m_pCommand->Delete(_variant_t(count - 1));
}

long KTAdo::GetParamCount()
{
    return m_pCommand ? m_pCommand->GetParameterCount() : 0;
}

int KTAdo::AppendParam(const char* name, DataTypeEnum type, ParameterDirectionEnum direction, long size,
                       _variant_t& value)
{
    try {
        Command().Append(AdoParameter { name ? name : "", type, direction, size, value });
        return 1;
    } catch (_com_error& error) {
        Error(error);
        return 0;
    }
}

int KTAdo::GetParamValue(_variant_t index, _variant_t& value)
{
    value.Clear();
    try {
        value = Command().Item(index).value;
        return 1;
    } catch (_com_error& error) {
        Error(error);
        return 0;
    }
}

int KTAdo::IsOupputParam(_variant_t index)
{
    try {
        const ParameterDirectionEnum direction = Command().Item(index).direction;
        return direction == adParamOutput || direction == adParamInputOutput ? 1 : 0;
    } catch (_com_error& error) {
        Error(error);
        return 0;
    }
}

// ---- transactions ---------------------------------------------------------------------------

int KTAdo::BeginTrans()
{
    try {
        Connection().BeginTrans();
        return 1;
    } catch (_com_error& error) {
        Error(error);
        return 0;
    }
}

int KTAdo::CommitTrans()
{
    try {
        Connection().CommitTrans();
        return 1;
    } catch (_com_error& error) {
        Error(error);
        return 0;
    }
}

int KTAdo::Rollback()
{
    try {
        Connection().RollbackTrans();
        return 1;
    } catch (_com_error& error) {
        Error(error);
        return 0;
    }
}

// ---- cursor ---------------------------------------------------------------------------------

int KTAdo::MoveFirst()
{
    // An empty record set has no first row: nothing to do. (A cursor that was moved before the
    // first row of a non-empty set does move back onto it.)
    if (IsBOF() && IsEOF())
        return 1;
    try {
        m_pRecordset->MoveFirst();
        return 1;
    } catch (_com_error& error) {
        Error(error);
        return 0;
    }
}

int KTAdo::MovePrevious()
{
    if (IsBOF())
        return 0;
    try {
        m_pRecordset->MovePrevious();
        return 1;
    } catch (_com_error& error) {
        Error(error);
        return 0;
    }
}

int KTAdo::MoveNext()
{
    if (IsEOF())
        return 0;
    try {
        m_pRecordset->MoveNext();
        return 1;
    } catch (_com_error& error) {
        Error(error);
        return 0;
    }
}

int KTAdo::MoveLast()
{
    if (IsEOF())
        return 0;
    try {
        m_pRecordset->MoveLast();
        return 1;
    } catch (_com_error& error) {
        Error(error);
        return 0;
    }
}

long KTAdo::GetRecordCount()
{
    if (!MoveFirst())
        return -1;
    long count = 0;
    while (MoveNext())
        ++count;
    MoveFirst();
    return count;
}

// ---- rows and fields ------------------------------------------------------------------------

long KTAdo::GetFieldCount()
{
    try {
        return Recordset().GetFieldCount();
    } catch (_com_error& error) {
        Error(error);
        return 0;
    }
}

long KTAdo::GetFieldList(_variant_t& names)
{
    names.Clear();
    try {
        const long count = Recordset().GetFieldCount();
        if (count == 0)
            return 0;
        std::vector<_variant_t> list;
        list.reserve(count);
        for (long i = 0; i < count; ++i)
            list.emplace_back(m_pRecordset->GetFieldName(i));
        names.SetArray(std::move(list));
        return count;
    } catch (_com_error& error) {
        Error(error);
        return 0;
    }
}

long KTAdo::GetFieldList(CStringArray& names)
{
    names.RemoveAll();
    _variant_t list;
    const long count = GetFieldList(list);
    for (const _variant_t& name : list.GetArray())
        names.Add(name.GetText());
    return count;
}

int KTAdo::GetRowValue(_variant_t& values)
{
    values.Clear();
    try {
        AdoRecordset& recordset = Recordset();
        if (recordset.IsEOF() || recordset.IsBOF())
            return 0;
        const long count = recordset.GetFieldCount();
        std::vector<_variant_t> row;
        row.reserve(count);
        for (long i = 0; i < count; ++i)
            row.push_back(recordset.GetValue(_variant_t(i)));
        values.SetArray(std::move(row));
        return 1;
    } catch (_com_error& error) {
        Error(error);
        return 0;
    }
}

int KTAdo::GetFieldValue(_variant_t index, _variant_t& value)
{
    value.Clear();
    try {
        value = Recordset().GetValue(index);
        return 1;
    } catch (_com_error& error) {
        Error(error);
        value.Clear();
        return 0;
    }
}

namespace {

// How a conversion failure names the field: by its name, or by its position.
CString DescribeFieldIndex(const _variant_t& index)
{
    if (index.vt == VT_BSTR)
        return FormatString("Field %s", index.GetText().GetString());
    _variant_t position = index;
    long number = 0;
    if (KTAdo::VariantToInteger(position, number))
        return FormatString("The field at position %ld", number);
    return CString("The field");
}

const char* DescribeValueKind(const _variant_t& value)
{
    switch (value.vt) {
    case VT_BSTR: return "text";
    case VT_DATE: return "a date";
    case VT_NULL: return "no value";
    case VT_EMPTY: return "nothing";
    default: return "a number";
    }
}

} // namespace

int KTAdo::ConversionFailed(const _variant_t& index, const _variant_t& field, const char* wanted)
{
    _com_error error(DB_E_CANTCONVERTVALUE,
                     FormatString("%s holds %s, which cannot be read as %s.", DescribeFieldIndex(index).GetString(),
                                  DescribeValueKind(field), wanted),
                     "KTAdo");
    Error(error);
    return 0;
}

int KTAdo::GetFieldValue(_variant_t index, CString& value)
{
    _variant_t field;
    const int read = GetFieldValue(index, field);
    if (VariantToString(field, value))
        return 1;
    // A failed read has left its own error text.
    return read ? ConversionFailed(index, field, "text") : 0;
}

int KTAdo::GetFieldValue(_variant_t index, long& value)
{
    _variant_t field;
    const int read = GetFieldValue(index, field);
    if (VariantToInteger(field, value))
        return 1;
    return read ? ConversionFailed(index, field, "a whole number") : 0;
}

int KTAdo::GetFieldValue(_variant_t index, int& value)
{
    long wide = 0;
    const int result = GetFieldValue(index, wide);
    value = static_cast<int>(wide);
    return result;
}

int KTAdo::GetFieldValue(_variant_t index, float& value)
{
    _variant_t field;
    const int read = GetFieldValue(index, field);
    double number = 0;
    if (!VariantToDecimal(field, number))
        return read ? ConversionFailed(index, field, "a number") : 0;
    value = static_cast<float>(number);
    return 1;
}

int KTAdo::GetFieldValue(_variant_t index, double& value)
{
    _variant_t field;
    const int read = GetFieldValue(index, field);
    if (VariantToDecimal(field, value))
        return 1;
    return read ? ConversionFailed(index, field, "a number") : 0;
}

int KTAdo::GetFieldValue(_variant_t index, COleDateTime& value)
{
    _variant_t field;
    const int read = GetFieldValue(index, field);
    if (field.vt != VT_DATE) {
        value.SetStatus(COleDateTime::null);
        return read ? ConversionFailed(index, field, "a date") : 0;
    }
    value = COleDateTime(field.date);
    return 1;
}

int KTAdo::AddNew(const _variant_t& fields, const _variant_t& values)
{
    try {
        Recordset().AddNew(fields, values);
        return 1;
    } catch (_com_error& error) {
        Error(error);
        return 0;
    }
}

int KTAdo::Update(const _variant_t& fields, const _variant_t& values)
{
    try {
        Recordset().Update(fields, values);
        return 1;
    } catch (_com_error& error) {
        Error(error);
        return 0;
    }
}

int KTAdo::Delete(AffectEnum affect)
{
    try {
        Recordset().Delete(affect);
        return 1;
    } catch (_com_error& error) {
        Error(error);
        return 0;
    }
}

int KTAdo::SetRowValue(_variant_t& values)
{
    _variant_t names;
    GetFieldList(names);
    return AddNew(names, values);
}

int KTAdo::SetFieldValue(_variant_t index, _variant_t value)
{
    try {
        Recordset().SetValue(index, value);
        return 1;
    } catch (_com_error& error) {
        Error(error);
        return 0;
    }
}

int KTAdo::SetFieldValue(_variant_t index, const CString& value)
{
    return SetFieldValue(std::move(index), _variant_t(value));
}

int KTAdo::SetFieldValue(_variant_t index, const char* value)
{
    return SetFieldValue(std::move(index), _variant_t(value));
}

int KTAdo::SetFieldValue(_variant_t index, long value)
{
    return SetFieldValue(std::move(index), _variant_t(value));
}

int KTAdo::SetFieldValue(_variant_t index, int value)
{
    return SetFieldValue(std::move(index), _variant_t(value));
}

int KTAdo::SetFieldValue(_variant_t index, float value)
{
    return SetFieldValue(std::move(index), _variant_t(value));
}

int KTAdo::SetFieldValue(_variant_t index, double value)
{
    return SetFieldValue(std::move(index), _variant_t(value));
}

int KTAdo::SetFieldValue(_variant_t index, const COleDateTime& value)
{
    // A date without a value is stored as NULL, so that it reads back as a null date and not as
    // whatever day count the object happens to hold.
    if (value.GetStatus() == COleDateTime::null)
        return SetFieldValue(std::move(index), _variant_t::Null());
    return SetFieldValue(std::move(index), _variant_t(value.m_dt, VT_R8));
}

// ---- conversions ----------------------------------------------------------------------------

int KTAdo::VariantToDecimal(_variant_t& value, double& target)
{
    target = 0;
    switch (value.vt) {
    case VT_NULL: target = 0.0; return 1;
    case VT_I2: target = value.iVal; return 1;
    case VT_I4: target = value.lVal; return 1;
    case VT_R4: target = value.fltVal; return 1;
    case VT_R8: target = value.dblVal; return 1;
    case VT_BOOL: target = value.boolVal ? -1.0 : 0.0; return 1;
    case VT_I1: target = value.cVal; return 1;
    case VT_UI1: target = value.bVal; return 1;
    case VT_UI2: target = value.uiVal; return 1;
    case VT_UI4: target = value.ulVal; return 1;
    case VT_INT: target = value.intVal; return 1;
    case VT_UINT: target = value.uintVal; return 1;
    default: return 0;
    }
}

int KTAdo::VariantToInteger(_variant_t& value, long& target)
{
    target = 0;
    double number = 0;
    if (!VariantToDecimal(value, number))
        return 0;
    // A long is 32 bits for the system; a number beyond that range is no integer of its.
    const double whole = std::trunc(number);
    if (whole < std::numeric_limits<LONG>::min() || whole > std::numeric_limits<LONG>::max())
        return 0;
    target = static_cast<long>(whole);
    return 1;
}

int KTAdo::VariantToBool(_variant_t& value, int& target)
{
    target = 0;
    double number = 0;
    if (!VariantToDecimal(value, number))
        return 0;
    target = number != 0.0 ? 1 : 0;
    return 1;
}

int KTAdo::VariantToString(_variant_t& value, CString& target)
{
    target.Empty();
    if (value.vt == VT_BSTR) {
        target = value.GetText();
        return 1;
    }
    return value.vt == VT_NULL ? 1 : 0;
}
