#pragma once

#include <string>
#include <string_view>
#include <vector>

// Texts on a drawing: a runner's own text made safe to draw, and its width estimated
// for laying out, before any toolkit measures it.
namespace quorran {

// The characters of a text as UTF-8: a byte that starts no valid character becomes
// U+FFFD, a control character a blank. What is left is text XML can hold.
std::vector<std::string> characters(std::string_view text);
// The text of those characters.
std::string clean_text(std::string_view text);
// Cleaned, and &, <, >, " and ' written as XML's references.
std::string xml_escaped(std::string_view text);

// A character's advance in em, at or a little above Arial's and Helvetica's, so a text
// measured by it never runs wider than drawn.
double em_width(std::string_view character);
// A text's width at a font size, in the size's unit.
double text_width(std::string_view text, double size);

}  // namespace quorran
