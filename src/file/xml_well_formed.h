// The well-formedness check a flowchart file passes before it is read: a
// conforming XML 1.0 parser, so that no malformed file is half understood.
#pragma once

#include <string>
#include <string_view>

// True when text is a well-formed XML document in an encoding the parser
// knows (UTF-8, UTF-16, ISO-8859-1, US-ASCII) with its byte-order mark and
// declaration honoured. Entities that the document declares are checked and
// expanded with the parser's amplification limits; external entities and DTDs
// are never fetched.
bool IsWellFormedXml(std::string_view text);

// text without the characters that XML 1.0 cannot carry in any form: the
// control characters other than tab, line feed and carriage return,
// U+FFFE, U+FFFF, and bytes that are not UTF-8.
std::string XmlCharactersOnly(std::string_view text);
