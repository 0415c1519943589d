// The connection text of the system's database ("Provider=...;Data Source=...;Jet OLEDB:Database
// Password=...") built and read back. The data source names the database file and the password
// is checked against the hash that file holds; the other keys are accepted and ignored.
#pragma once

#include "platform/core/CString.h"

namespace ktado {

// The classic provider name the stations' connection text carries.
inline constexpr const char* kJetProvider = "Microsoft.Jet.OLEDB.4.0";

// "Provider=...;Persist Security Info=False;" + "Data Source=%s;" + "Jet OLEDB:Database
// Password=%s", with an empty password piece for a null password. A path or password that
// holds ';', starts with a quote or has blanks at an end is written in double quotes (a quote
// inside doubled), so that ParseConnectionString gives it back as it is.
CString BuildJetConnectionString(const char* path, const char* password);

struct ConnectionSettings
{
    CString provider;
    CString dataSource;
    CString password;
    CString extendedProperties;
};

// Reads "key=value" pairs separated by ';'. Keys compare without case; a value may be quoted
// with '"' or '\''. Unknown keys are ignored.
ConnectionSettings ParseConnectionString(const char* text);

} // namespace ktado
