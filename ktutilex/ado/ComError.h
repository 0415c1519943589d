// _com_error: the error of the database layer, with an HRESULT-style code, the system's text
// for the code, a source and a description.
//
// Most KTAdo operations catch it and turn it into a failure result and a last-error text. The
// few that let errors through to their caller (see KTAdo.h) throw it as a C++ exception of this
// type, so a caller that wants to survive them writes `catch (const _com_error&)`.
#pragma once

#include "platform/core/CString.h"
#include "platform/core/Types.h"

#include <exception>

// Codes the database layer raises. The engine's own failures use the classic provider codes so
// that callers that compare codes keep working.
constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003u);
constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
constexpr HRESULT DB_E_CANTCONVERTVALUE = static_cast<HRESULT>(0x80040E07u);
constexpr HRESULT DB_E_ERRORSINCOMMAND = static_cast<HRESULT>(0x80040E14u);
constexpr HRESULT DB_E_DELETEDROW = static_cast<HRESULT>(0x80040E23u);
constexpr HRESULT DB_E_INTEGRITYVIOLATION = static_cast<HRESULT>(0x80040E2Fu);
constexpr HRESULT DB_E_NOTABLE = static_cast<HRESULT>(0x80040E37u);
constexpr HRESULT DB_SEC_E_AUTH_FAILED = static_cast<HRESULT>(0x80040E4Du);
constexpr HRESULT XACT_E_NOTRANSACTION = static_cast<HRESULT>(0x8004D00Eu);
// Errors of the record set and command objects themselves (0x800A0000 + the classic number).
constexpr HRESULT ADO_E_ARGUMENTS = static_cast<HRESULT>(0x800A0BB9u);      // 3001
constexpr HRESULT ADO_E_NOCURRENTRECORD = static_cast<HRESULT>(0x800A0BCDu); // 3021
constexpr HRESULT ADO_E_FEATURENOTAVAILABLE = static_cast<HRESULT>(0x800A0CB3u); // 3251
constexpr HRESULT ADO_E_ITEMNOTFOUND = static_cast<HRESULT>(0x800A0CC1u);   // 3265
constexpr HRESULT ADO_E_OBJECTCLOSED = static_cast<HRESULT>(0x800A0E78u);   // 3704
constexpr HRESULT ADO_E_PROVIDERNOTFOUND = static_cast<HRESULT>(0x800A0E7Au); // 3706

class _com_error : public std::exception
{
public:
    explicit _com_error(HRESULT code, CString description = CString(), CString source = CString())
        : m_code(code), m_description(std::move(description)), m_source(std::move(source)) {}

    HRESULT Error() const { return m_code; }
    // The system's text for the code: a fixed text for the common system codes,
    // "IDispatch error #n" for the interface range and "Unknown error 0x..." otherwise.
    CString ErrorMessage() const;
    CString Source() const { return m_source; }
    CString Description() const { return m_description; }

    const char* what() const noexcept override { return m_description.GetString(); }

    // The system's message text for a code, empty when it has none.
    static CString SystemMessage(HRESULT code);

    // The record set, command and connection objects' own common errors.
    static _com_error ObjectClosed(const char* source);
    static _com_error ItemNotFound(const char* source);
    static _com_error BadArguments(const char* source);

private:
    HRESULT m_code;
    CString m_description;
    CString m_source;
};
