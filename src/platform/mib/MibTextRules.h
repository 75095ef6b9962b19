#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "components/MibObject.h"

namespace linkwatch::mibtext {

// Small text rules shared by the catalogue reader, the index and the lookups.

// Upper-cased copy (ASCII), the form under which names are keyed.
std::string UpperCase(std::string_view text);
// Text without blanks (spaces, tabs, line ends) at either end.
std::string_view Trim(std::string_view text);
// Runs of blanks folded to one space, ends trimmed: one line of text.
std::string OneLine(std::string_view text);
// "1.3.6.1" or ".1.3.6.1" (one leading dot allowed) made canonical without the
// leading dot; nothing when the text is not a dotted list of decimal arcs.
std::optional<std::string> CanonicalOid(std::string_view text);
// The access word of a MIB definition ("read-write", "read-only", ...) as an
// access code; nothing for a word that is not one.
std::optional<MibAccess> AccessFromWord(std::string_view word);

}  // namespace linkwatch::mibtext
