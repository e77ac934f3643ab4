// What a section name or a comment line becomes in each output syntax. The
// reader has made them plain text already (control characters but the tab
// are blanks); these rules hold for any text a caller puts into a section, so
// that no name or comment ends its field and turns into commands, group codes
// or markup of the output.
#pragma once

#include <string>
#include <string_view>

namespace tarvex::writers {

// A field of a line-based syntax: the classic formats' lines and "; "
// comments, the scripts, a Gmsh "//" comment, a DXF group value. A line end,
// NUL or any other control character but the tab, and DEL, becomes a blank.
std::string lineText(std::string_view text);

// The text of a string literal between its quotes, on one line: a quote
// inside is doubled (FORTRAN/BASIC) or, with backslash escapes (C/Java), it
// and the backslash are escaped.
std::string stringLiteralBody(std::string_view text, char quote, bool backslashEscapes);

// Character data of an ISO 8859-1 XML document: &, < and > as references,
// control characters as blanks; other bytes stay (each is a Latin-1 letter).
std::string latin1XmlText(std::string_view text);

// Text as UTF-8: kept when it is UTF-8 already, else read as ISO 8859-1;
// control characters and what XML forbids become '?'.
std::string utf8Text(std::string_view text);
// The same with &, <, > and " as XML references.
std::string xmlText(std::string_view text);
// A line inside an XML comment: UTF-8, and never "--".
std::string xmlCommentText(std::string_view text);

}  // namespace tarvex::writers
