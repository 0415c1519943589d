// The guarded XML parser: options, the entity refusal and quiet errors.
#include "ktutilex/xml/SafeXml.h"

#include <libxml/parser.h>
#include <libxml/xmlerror.h>

#include <cstring>
#include <mutex>
#include <string>

namespace ktutilex::xml {

namespace {

// No network, no DTD loading or defaults, no entity substitution, no white-space-only text.
constexpr int kOptions = XML_PARSE_NONET | XML_PARSE_NOBLANKS | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;

void InitOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { xmlInitParser(); });
}

void Quiet(void*, const char*, ...) {}
void QuietStructured(void*, xmlErrorPtr) {}

// Any entity declaration stops the parse: the document is refused.
void RefuseEntity(void* context, const xmlChar*, int, const xmlChar*, const xmlChar*, xmlChar*)
{
    auto* parser = static_cast<xmlParserCtxtPtr>(context);
    parser->_private = parser; // marks the refusal
    xmlStopParser(parser);
}

class Parser
{
public:
    Parser()
    {
        InitOnce();
        // Errors of the input layer (an encoding that fails part-way) go to the thread's own
        // handlers rather than the context's.
        xmlSetGenericErrorFunc(nullptr, &Quiet);
        xmlSetStructuredErrorFunc(nullptr, &QuietStructured);
        m_context = xmlNewParserCtxt();
        if (!m_context)
            return;
        m_context->sax->entityDecl = &RefuseEntity;
        m_context->sax->error = &Quiet;
        m_context->sax->warning = &Quiet;
        m_context->sax->serror = &QuietStructured;
        m_context->vctxt.error = &Quiet;
        m_context->vctxt.warning = &Quiet;
    }
    ~Parser()
    {
        if (m_context)
            xmlFreeParserCtxt(m_context);
    }
    Parser(const Parser&) = delete;
    Parser& operator=(const Parser&) = delete;

    xmlParserCtxtPtr Context() const { return m_context; }

    DocPtr Result(xmlDocPtr doc) const
    {
        DocPtr owned(doc);
        if (!owned || m_context->_private != nullptr || !m_context->wellFormed)
            return nullptr;
        return owned;
    }

private:
    xmlParserCtxtPtr m_context { nullptr };
};

} // namespace

void DocFree::operator()(_xmlDoc* doc) const { xmlFreeDoc(doc); }

DocPtr ParseFile(const char* path)
{
    Parser parser;
    if (!parser.Context() || !path || !*path)
        return nullptr;
    // The parser reads "-" as its standard input; here it names a file like any other.
    const std::string file = std::strcmp(path, "-") == 0 ? std::string("./-") : std::string(path);
    return parser.Result(xmlCtxtReadFile(parser.Context(), file.c_str(), nullptr, kOptions));
}

DocPtr ParseMemory(std::string_view bytes)
{
    Parser parser;
    if (!parser.Context() || bytes.size() > static_cast<std::size_t>(INT_MAX))
        return nullptr;
    return parser.Result(
        xmlCtxtReadMemory(parser.Context(), bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr, kOptions));
}

} // namespace ktutilex::xml
