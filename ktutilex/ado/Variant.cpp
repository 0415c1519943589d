// _variant_t: tagged values of the database layer.
#include "ktutilex/ado/Variant.h"

_variant_t::_variant_t(double value, VARTYPE type) : vt(type), dblVal(0)
{
    switch (type) {
    case VT_EMPTY: case VT_NULL: break;
    case VT_I1: cVal = static_cast<std::int8_t>(value); break;
    case VT_UI1: bVal = static_cast<BYTE>(value); break;
    case VT_I2: iVal = static_cast<SHORT>(value); break;
    case VT_UI2: uiVal = static_cast<USHORT>(value); break;
    case VT_I4: lVal = static_cast<LONG>(value); break;
    case VT_UI4: ulVal = static_cast<ULONG>(value); break;
    case VT_INT: intVal = static_cast<INT>(value); break;
    case VT_UINT: uintVal = static_cast<UINT>(value); break;
    case VT_R4: fltVal = static_cast<float>(value); break;
    case VT_BOOL: boolVal = value != 0.0 ? VARIANT_TRUE : VARIANT_FALSE; break;
    case VT_ERROR: scode = static_cast<SCODE>(value); break;
    default:  // VT_R8, VT_DATE and anything else that holds a double
        dblVal = value;
        break;
    }
}

void _variant_t::SetText(const CString& text)
{
    Clear();
    vt = VT_BSTR;
    m_text = text;
}

const std::vector<_variant_t>& _variant_t::GetArray() const
{
    static const std::vector<_variant_t> none;
    return IsArray() && m_array ? *m_array : none;
}

void _variant_t::SetArray(std::vector<_variant_t> values)
{
    Clear();
    vt = VT_ARRAY | VT_VARIANT;
    m_array = std::make_shared<const std::vector<_variant_t>>(std::move(values));
}

void _variant_t::Clear()
{
    vt = VT_EMPTY;
    dblVal = 0;
    m_text.Empty();
    m_array.reset();
}

_variant_t _variant_t::Null()
{
    _variant_t v;
    v.vt = VT_NULL;
    return v;
}

_variant_t _variant_t::Missing()
{
    _variant_t v;
    v.vt = VT_ERROR;
    v.scode = DISP_E_PARAMNOTFOUND;
    return v;
}

bool operator==(const _variant_t& a, const _variant_t& b)
{
    if (a.vt != b.vt)
        return false;
    switch (a.vt) {
    case VT_EMPTY: case VT_NULL: return true;
    case VT_BSTR: return a.m_text == b.m_text;
    case VT_I1: return a.cVal == b.cVal;
    case VT_UI1: return a.bVal == b.bVal;
    case VT_I2: return a.iVal == b.iVal;
    case VT_UI2: return a.uiVal == b.uiVal;
    case VT_BOOL: return a.boolVal == b.boolVal;
    case VT_I4: case VT_INT: return a.lVal == b.lVal;
    case VT_UI4: case VT_UINT: return a.ulVal == b.ulVal;
    case VT_R4: return a.fltVal == b.fltVal;
    case VT_ERROR: return a.scode == b.scode;
    case VT_R8: case VT_DATE: return a.dblVal == b.dblVal;
    default: return a.GetArray() == b.GetArray();
    }
}

const _variant_t vtMissing = _variant_t::Missing();
