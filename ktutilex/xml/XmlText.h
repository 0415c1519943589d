// Whether a text can stand in an XML document as character data: UTF-8 of the characters XML
// allows (no control characters but tab and the line ends, no unpaired surrogates, no U+FFFE
// or U+FFFF). Anything else would be written into a file that no parser reads again.
#pragma once

#include <string_view>

namespace ktutilex::xml {

bool IsXmlText(std::string_view text);

} // namespace ktutilex::xml
