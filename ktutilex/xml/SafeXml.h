// Reading XML from outside without trusting it: no network, no external DTD or entity is
// loaded, and a document that declares any entity is refused outright, so neither an external
// entity nor an entity expansion ("billion laughs") can reach the tree. The parser's messages
// are kept out of the standard error stream.
#pragma once

#include <memory>
#include <string_view>

struct _xmlDoc;

namespace ktutilex::xml {

struct DocFree
{
    void operator()(_xmlDoc* doc) const;
};
using DocPtr = std::unique_ptr<_xmlDoc, DocFree>;

// The parsed file or bytes; null when they are not well-formed or declare an entity.
// Text nodes of white space only are dropped, as the classic document object drops them.
DocPtr ParseFile(const char* path);
DocPtr ParseMemory(std::string_view bytes);

} // namespace ktutilex::xml
