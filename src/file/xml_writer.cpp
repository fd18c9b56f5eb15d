#include "xml_writer.h"

#include <sstream>

#include "xml_well_formed.h"

bool CXMLWriter::Start(std::string_view templateText) {
    const pugi::xml_parse_result parsed =
        document_.load_buffer(templateText.data(), templateText.size(),
                              pugi::parse_default | pugi::parse_declaration, pugi::encoding_utf8);
    return parsed && document_.document_element();
}

pugi::xml_node CXMLWriter::Root() const { return document_.document_element(); }

pugi::xml_node CXMLWriter::AppendElement(pugi::xml_node parent, const char* name,
                                         std::string_view text, const XmlAttributes& attributes) {
    // What XML cannot carry is left out, so that the file written reads back.
    pugi::xml_node element = parent.append_child(name);
    for (const auto& [key, value] : attributes) {
        const std::string kept = XmlCharactersOnly(value);
        element.append_attribute(key).set_value(kept.data(), kept.size());
    }
    const std::string content = XmlCharactersOnly(text);
    if (!content.empty())
        element.append_child(pugi::node_pcdata).set_value(content.data(), content.size());
    return element;
}

std::string CXMLWriter::Serialize() const {
    std::ostringstream out;
    document_.save(out, "  ", pugi::format_indent, pugi::encoding_utf8);
    return std::move(out).str();
}
