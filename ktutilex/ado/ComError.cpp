// _com_error: code meanings.
#include "ktutilex/ado/ComError.h"

#include <cstdint>

namespace {

struct SystemText
{
    HRESULT code;
    const char* text;
};

// The system codes the layer raises that carry a message text of their own; provider and
// record-set codes have none, as on the classic platform, and get the generic forms.
constexpr SystemText kSystemTexts[] = {
    { E_FAIL, "Unspecified error" },
    { E_POINTER, "Invalid pointer" },
    { E_OUTOFMEMORY, "Not enough storage is available to complete this operation." },
    { E_INVALIDARG, "The parameter is incorrect." },
};

} // namespace

CString _com_error::SystemMessage(HRESULT code)
{
    for (const SystemText& entry : kSystemTexts) {
        if (entry.code == code)
            return entry.text;
    }
    return CString();
}

CString _com_error::ErrorMessage() const
{
    CString text = SystemMessage(m_code);
    if (!text.IsEmpty())
        return text;
    const auto code = static_cast<std::uint32_t>(m_code);
    if (code >= 0x80040200u && code <= 0x8004FFFFu)
        return FormatString("IDispatch error #%d", static_cast<int>((code - 0x200u) & 0xFFFFu));
    return FormatString("Unknown error 0x%0lX", static_cast<unsigned long>(code));
}

_com_error _com_error::ObjectClosed(const char* source)
{
    return _com_error(ADO_E_OBJECTCLOSED, "Operation is not allowed when the object is closed.", source);
}

_com_error _com_error::ItemNotFound(const char* source)
{
    return _com_error(ADO_E_ITEMNOTFOUND,
                      "Item cannot be found in the collection corresponding to the requested name or ordinal.", source);
}

_com_error _com_error::BadArguments(const char* source)
{
    return _com_error(ADO_E_ARGUMENTS,
                      "Arguments are of the wrong type, are out of acceptable range, or are in conflict with one "
                      "another.",
                      source);
}
