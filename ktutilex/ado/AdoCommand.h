// AdoCommand: a statement with parameters, run on a connection.
//
// SQLite keeps no stored procedures. A command text that is a single name runs the saved query
// (view) of that name; any other command text is an SQL statement, and the parameters bind to
// its markers: "?" in order, or ":name" / "@name" / "$name" by name. Output parameters keep the
// values they were given. All methods report failures by throwing _com_error.
#pragma once

#include "ktutilex/ado/AdoEnums.h"
#include "ktutilex/ado/ComError.h"
#include "ktutilex/ado/Variant.h"

#include <memory>
#include <vector>

struct sqlite3_stmt;
class AdoConnection;
class AdoRecordset;

struct AdoParameter
{
    CString name;
    DataTypeEnum type { adEmpty };
    ParameterDirectionEnum direction { adParamInput };
    long size { 0 };
    _variant_t value;
};

class AdoCommand
{
public:
    void SetActiveConnection(const std::shared_ptr<AdoConnection>& connection) { m_connection = connection; }
    void SetCommandText(const CString& text) { m_commandText = text; }
    const CString& GetCommandText() const { return m_commandText; }

    // ---- parameters ---------------------------------------------------------------------
    long GetParameterCount() const { return static_cast<long>(m_parameters.size()); }
    void Append(AdoParameter parameter);
    // Removes the parameter at a position (a number) or with a name.
    void Delete(const _variant_t& index);
    AdoParameter& Item(const _variant_t& index);

    // Runs the command; the rows it returns (when it returns any) as an open record set.
    std::shared_ptr<AdoRecordset> Execute(long options);

private:
    std::size_t Position(const _variant_t& index) const;
    void BindParameters(sqlite3_stmt* statement) const;

    std::shared_ptr<AdoConnection> m_connection;
    CString m_commandText;
    std::vector<AdoParameter> m_parameters;
};

using _CommandPtr = std::shared_ptr<AdoCommand>;
