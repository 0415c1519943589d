// _variant_t: a tagged value as the database layer hands it in and out (a type tag and a value).
//
// The tags are the classic ones, with their classic numbers, because the system's code tests
// them (`value.vt == VT_DATE`). A value is one of: empty, null, a number of one of the integer
// or floating types, a date (a day count, see COleDateTime), a boolean (-1 true, 0 false, as
// the classic VARIANT_BOOL), a text (UTF-8), an error code (used for the "missing" argument)
// or a one-dimensional array of values (VT_ARRAY | VT_VARIANT).
#pragma once

#include "platform/core/CString.h"
#include "platform/core/OleDateTime.h"
#include "platform/core/Types.h"

#include <memory>
#include <vector>

using VARTYPE = unsigned short;
using VARIANT_BOOL = short;
using SCODE = std::int32_t;

constexpr VARIANT_BOOL VARIANT_TRUE = -1;
constexpr VARIANT_BOOL VARIANT_FALSE = 0;

enum VARENUM : VARTYPE {
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R4 = 4,
    VT_R8 = 5,
    VT_CY = 6,
    VT_DATE = 7,
    VT_BSTR = 8,
    VT_ERROR = 10,
    VT_BOOL = 11,
    VT_VARIANT = 12,
    VT_I1 = 16,
    VT_UI1 = 17,
    VT_UI2 = 18,
    VT_UI4 = 19,
    VT_INT = 22,
    VT_UINT = 23,
    VT_ARRAY = 0x2000,
};

// The error code an optional argument carries when it is left out.
constexpr SCODE DISP_E_PARAMNOTFOUND = static_cast<SCODE>(0x80020004u);

class _variant_t
{
public:
    VARTYPE vt { VT_EMPTY };
    union {
        std::int8_t cVal;
        BYTE bVal;
        SHORT iVal;
        USHORT uiVal;
        LONG lVal;
        ULONG ulVal;
        INT intVal;
        UINT uintVal;
        float fltVal;
        double dblVal;
        DATE date;
        VARIANT_BOOL boolVal;
        SCODE scode;
    };

    _variant_t() : dblVal(0) {}
    _variant_t(short value) : vt(VT_I2), dblVal(0) { iVal = value; }
    _variant_t(int value) : vt(VT_I4), dblVal(0) { lVal = value; }
    // A long is a 32-bit value here, as on the classic platform.
    _variant_t(long value) : vt(VT_I4), dblVal(0) { lVal = static_cast<LONG>(value); }
    _variant_t(unsigned char value) : vt(VT_UI1), dblVal(0) { bVal = value; }
    _variant_t(float value) : vt(VT_R4), dblVal(0) { fltVal = value; }
    _variant_t(double value) : vt(VT_R8), dblVal(value) {}
    _variant_t(bool value) : vt(VT_BOOL), dblVal(0) { boolVal = value ? VARIANT_TRUE : VARIANT_FALSE; }
    _variant_t(const char* text) : vt(VT_BSTR), dblVal(0), m_text(text) {}
    _variant_t(const CString& text) : vt(VT_BSTR), dblVal(0), m_text(text) {}
    // A number with an explicit tag: VT_DATE with a day count, VT_R8, VT_I4 ...
    _variant_t(double value, VARTYPE type);
    _variant_t(const COleDateTime& date) : vt(VT_DATE), dblVal(date.m_dt) {}

    // ---- typed access ----------------------------------------------------------------
    bool IsArray() const { return (vt & VT_ARRAY) != 0; }
    bool IsMissing() const { return vt == VT_ERROR && scode == DISP_E_PARAMNOTFOUND; }
    // The text of a VT_BSTR value (empty for every other type).
    const CString& GetText() const { return m_text; }
    void SetText(const CString& text);

    // The elements of a VT_ARRAY value (none for every other type).
    const std::vector<_variant_t>& GetArray() const;
    // Makes this an array of `values` (VT_ARRAY | VT_VARIANT).
    void SetArray(std::vector<_variant_t> values);

    // Back to VT_EMPTY.
    void Clear();

    // A null value (VT_NULL) and the "missing" value of an optional argument.
    static _variant_t Null();
    static _variant_t Missing();

    friend bool operator==(const _variant_t& a, const _variant_t& b);

private:
    CString m_text;
    std::shared_ptr<const std::vector<_variant_t>> m_array;
};

// The "missing" value, for AddNew and Update without field lists.
extern const _variant_t vtMissing;
