// KTAdo: the one database access class of the system: a connection, at most one command and at
// most one current record set, with fields by name or position and transactions.
//
// The database is an SQLite file reached through the system's connection text
// ("Provider=...;Data Source=<file>;Jet OLEDB:Database Password=<password>"); the data source
// names the file and the password must match the hash the file holds. SQL texts are the
// system's own: "#yyyy-mm-dd#" date literals are understood, dates are stored as day counts
// (so the year-1000 "no date" survives), and text compares without case ("=" on text columns,
// LIKE everywhere). Values a caller puts into an SQL text must go through EscapeString.
//
// Results: 1 for success and 0 for failure, or a count. A failure stores a readable text as the
// last-error text, which begins "COM ERROR\n" and is kept until the next failure.
//
// Errors let through: Disconnect, CloseRecordset, IsConnected, IsRecordsetOpened, IsBOF, IsEOF
// and the BOF/EOF test at the start of the four Move operations (and so of GetRecordCount)
// catch nothing; an error there reaches the caller as a C++ exception of type _com_error. The
// one a caller meets in practice: IsBOF, IsEOF, the Moves and GetRecordCount throw
// _com_error(E_POINTER) when no record set was opened. The destructor never throws.
//
// A copy shares the connection, command and record set of its original; each is closed when
// the last object holding it lets go (Disconnect, CloseRecordset, CloseCommand, destruction).
//
// One object belongs to the thread that uses it; there are no locks inside.
#pragma once

#include "ktutilex/ado/AdoCommand.h"
#include "ktutilex/ado/AdoConnection.h"
#include "ktutilex/ado/AdoEnums.h"
#include "ktutilex/ado/AdoRecordset.h"
#include "ktutilex/ado/ComError.h"
#include "ktutilex/ado/Variant.h"

#include "platform/core/CString.h"
#include "platform/core/Collections.h"
#include "platform/core/OleDateTime.h"

class KTAdo
{
public:
    KTAdo();
    KTAdo(const KTAdo& other);
    KTAdo& operator=(const KTAdo& other);
    virtual ~KTAdo();

    // ---- connection -----------------------------------------------------------------------
    int ConnectDB(const char* connectionText);
    int ConnectDB(const char* path, const char* password);
    void Disconnect();
    int IsConnected();
    // How long statements wait for a lock that another program holds before they fail
    // (AdoConnection::kBusyTimeoutMs after ConnectDB): 1, or 0 without a connection.
    int SetBusyTimeout(int ms);
    _ConnectionPtr& GetConnection() { return m_pConnection; }
    _CommandPtr& GetCommand() { return m_pCommand; }
    _RecordsetPtr& GetRecordset() { return m_pRecordset; }
    int IsCommandCreated() { return m_pCommand ? 1 : 0; }
    CString GetLastErrorString() const { return m_strLastError; }

    // The connection text of the stations' database for a file and a password (null: empty).
    static CString JetConnectionString(const char* path, const char* password);
    // A value ready to stand between single quotes in an SQL text: every ' doubled.
    static CString EscapeString(const char* text);

    // ---- record sets ----------------------------------------------------------------------
    int OpenRecordset(const char* sql, CursorTypeEnum cursor, LockTypeEnum lock);
    int OpenTable(const char* table, CursorTypeEnum cursor, LockTypeEnum lock);
    // The user tables of the database (field 2, TABLE_NAME, holds each name).
    int OpenSchema();
    void CloseRecordset();
    int IsRecordsetOpened();
    int IsBOF();  // -1 true, 0 false
    int IsEOF();  // -1 true, 0 false

    // ---- statements and commands ----------------------------------------------------------
    int ExecuteSQL(const char* sql);
    int CreateCommand();
    void CloseCommand();
    int ExecuteStoreProc(const char* name);
    void ClearParam();
    long GetParamCount();
    int AppendParam(const char* name, DataTypeEnum type, ParameterDirectionEnum direction, long size,
                    _variant_t& value);
    int GetParamValue(_variant_t index, _variant_t& value);
    int IsOupputParam(_variant_t index);

    // ---- transactions ---------------------------------------------------------------------
    int BeginTrans();
    int CommitTrans();
    int Rollback();

    // ---- cursor ---------------------------------------------------------------------------
    int MoveFirst();
    int MovePrevious();
    int MoveNext();
    int MoveLast();
    long GetRecordCount();

    // ---- rows and fields (an index is a position or a field name) --------------------------
    long GetFieldCount();
    long GetFieldList(_variant_t& names);
    long GetFieldList(CStringArray& names);
    int GetRowValue(_variant_t& values);

    int GetFieldValue(_variant_t index, _variant_t& value);
    int GetFieldValue(_variant_t index, CString& value);
    int GetFieldValue(_variant_t index, long& value);
    int GetFieldValue(_variant_t index, int& value);
    int GetFieldValue(_variant_t index, float& value);
    int GetFieldValue(_variant_t index, double& value);
    int GetFieldValue(_variant_t index, COleDateTime& value);

    int AddNew(const _variant_t& fields = vtMissing, const _variant_t& values = vtMissing);
    int Update(const _variant_t& fields = vtMissing, const _variant_t& values = vtMissing);
    int Delete(AffectEnum affect = adAffectCurrent);
    int SetRowValue(_variant_t& values);

    int SetFieldValue(_variant_t index, _variant_t value);
    int SetFieldValue(_variant_t index, const CString& value);
    int SetFieldValue(_variant_t index, const char* value);
    int SetFieldValue(_variant_t index, long value);
    int SetFieldValue(_variant_t index, int value);
    int SetFieldValue(_variant_t index, float value);
    int SetFieldValue(_variant_t index, double value);
    // Written as VT_R8 holding the day count; a date with the null status is written as NULL.
    int SetFieldValue(_variant_t index, const COleDateTime& value);

    // ---- conversions (1 success, 0 failure) -------------------------------------------------
    static int VariantToDecimal(_variant_t& value, double& target);
    static int VariantToInteger(_variant_t& value, long& target);
    static int VariantToBool(_variant_t& value, int& target);
    static int VariantToString(_variant_t& value, CString& target);

protected:
    // Builds the last-error text from an error.
    void Error(_com_error& error);
    // Sets the last-error text for a field whose value does not convert to the type asked
    // for, and returns 0.
    int ConversionFailed(const _variant_t& index, const _variant_t& field, const char* wanted);

private:
    AdoRecordset& Recordset();
    AdoConnection& Connection();
    AdoCommand& Command();

    _ConnectionPtr m_pConnection;
    _CommandPtr m_pCommand;
    _RecordsetPtr m_pRecordset;
    CString m_strLastError;
};
