// CXMLWriter: builds a flowchart document element by element and turns it
// into indented UTF-8 text.
#pragma once

#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Attribute names are the format's fixed names; values are any text.
using XmlAttributes = std::vector<std::pair<const char*, std::string>>;

class CXMLWriter {
public:
    // Starts a new document from the template text; false when it does not parse.
    bool Start(std::string_view templateText);
    // The template's root element.
    pugi::xml_node Root() const;
    // Appends an element with the attributes in list order and, when text is
    // not empty, a text content. Characters that XML cannot carry are left
    // out of both, so that the written document is well-formed.
    pugi::xml_node AppendElement(pugi::xml_node parent, const char* name,
                                 std::string_view text = {}, const XmlAttributes& attributes = {});
    // The document as XML 1.0, UTF-8, indented.
    std::string Serialize() const;

private:
    pugi::xml_document document_;
};
