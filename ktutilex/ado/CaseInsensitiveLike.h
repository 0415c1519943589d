// LIKE that ignores case for every letter, not only for ASCII as the engine's own does, so that
// a search for "müller" finds "MÜLLER" as the classic engine did. Wildcards: % and _, with an
// optional ESCAPE character.
#pragma once

struct sqlite3;

namespace ktado {

// Replaces like() on the connection (both the two- and the three-argument form).
void RegisterCaseInsensitiveLike(sqlite3* db);

// The match itself, for tests: `pattern` against `text`, both UTF-8; `escape` 0 for none.
bool LikeMatches(const char* pattern, const char* text, char32_t escape);

} // namespace ktado
