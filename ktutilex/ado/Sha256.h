// SHA-256 of a byte string, as 64 lower-case hexadecimal digits. Used for the database
// password's hash, which the database file holds in place of the password itself.
#pragma once

#include <string>
#include <string_view>

namespace ktado {

std::string Sha256Hex(std::string_view data);

} // namespace ktado
