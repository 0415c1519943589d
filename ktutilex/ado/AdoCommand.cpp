// AdoCommand: a statement with parameters, run on a connection.
#include "ktutilex/ado/AdoCommand.h"

#include "ktutilex/ado/AdoConnection.h"
#include "ktutilex/ado/AdoRecordset.h"
#include "ktutilex/ado/SqlText.h"
#include "ktutilex/ado/SqliteSupport.h"

#include <cctype>

namespace {

constexpr const char* kCommandSource = "KTAdo.Command";

[[noreturn]] void ThrowItemNotFound()
{
    throw _com_error::ItemNotFound(kCommandSource);
}

bool IsPlainName(const CString& text)
{
    if (text.IsEmpty())
        return false;
    for (int i = 0; i < text.GetLength(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (!std::isalnum(c) && c != '_' && c != '[' && c != ']' && c < 0x80)
            return false;
    }
    return true;
}

} // namespace

void AdoCommand::Append(AdoParameter parameter)
{
    m_parameters.push_back(std::move(parameter));
}

std::size_t AdoCommand::Position(const _variant_t& index) const
{
    if (index.vt == VT_BSTR) {
        for (std::size_t i = 0; i < m_parameters.size(); ++i) {
            if (m_parameters[i].name.CompareNoCase(index.GetText()) == 0)
                return i;
        }
        ThrowItemNotFound();
    }
    const _variant_t asNumber = index;
    double number = -1;
    switch (asNumber.vt) {
    case VT_I2: number = asNumber.iVal; break;
    case VT_I4: case VT_INT: number = asNumber.lVal; break;
    case VT_UI1: number = asNumber.bVal; break;
    case VT_R8: number = asNumber.dblVal; break;
    default: ThrowItemNotFound();
    }
    if (number < 0 || number >= static_cast<double>(m_parameters.size()))
        ThrowItemNotFound();
    return static_cast<std::size_t>(number);
}

void AdoCommand::Delete(const _variant_t& index)
{
    m_parameters.erase(m_parameters.begin() + static_cast<std::ptrdiff_t>(Position(index)));
}

AdoParameter& AdoCommand::Item(const _variant_t& index)
{
    return m_parameters[Position(index)];
}

std::shared_ptr<AdoRecordset> AdoCommand::Execute(long options)
{
    if (!m_connection || m_connection->GetState() != adStateOpen)
        throw _com_error::ObjectClosed(kCommandSource);
    sqlite3* db = m_connection->Handle();

    CString sql;
    if ((options & adCmdStoredProc) && IsPlainName(m_commandText))
        sql = "SELECT * FROM " + ktado::QuoteTableName(m_commandText);
    else
        sql = ktado::TranslateDateLiterals(m_commandText);
    ktado::Statement statement = ktado::PrepareSingle(db, sql);

    BindParameters(statement.get());
    if (sqlite3_column_count(statement.get()) == 0) {
        ktado::StepToDone(db, statement.get());
        return nullptr;
    }
    // Rows come back read-only, as a procedure's.
    auto recordset = std::make_shared<AdoRecordset>();
    recordset->OpenPrepared(m_connection, statement.release());
    return recordset;
}

void AdoCommand::BindParameters(sqlite3_stmt* statement) const
{
    // Input parameters bind by name where the statement names its markers, else in order.
    int nextPosition = 1;
    const int markers = sqlite3_bind_parameter_count(statement);
    for (const AdoParameter& parameter : m_parameters) {
        if (parameter.direction == adParamOutput || parameter.direction == adParamReturnValue)
            continue;
        int index = 0;
        for (const char* prefix : { ":", "@", "$" }) {
            if (!index && !parameter.name.IsEmpty())
                index = sqlite3_bind_parameter_index(statement, CString(prefix) + parameter.name);
        }
        if (!index)
            index = nextPosition++;
        if (index > markers)
            throw _com_error(ADO_E_ARGUMENTS, "The command has more parameters than the statement has markers.",
                             kCommandSource);
        ktado::BindVariant(statement, index, parameter.value);
    }
}
