// What every output of a conversion must be, whatever the input: checked by
// the fuzz target on each output it makes. Each check gives the first fault
// it finds as text, empty when there is none.
#pragma once

#include <string>
#include <string_view>

namespace tarvex::fuzz {

// No NUL and no carriage return outside a CR LF line end.
std::string lineFault(std::string_view text);

// A well-formed XML document: one root element, matching tags, quoted
// attributes, known references, comments without "--", only characters
// XML allows (valid UTF-8 when utf8, else any byte but control characters).
std::string xmlFault(std::string_view text, bool utf8);

// A DXF file as a reader takes it in: pairs of a group-code line and a value
// line, numbers where the code asks for them, sections opened and closed,
// and EOF at the end.
std::string dxfFault(std::string_view text);

}  // namespace tarvex::fuzz
