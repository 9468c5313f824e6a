#pragma once

#include <span>
#include <string>
#include <string_view>

// Texts that name a tool's entries, said in the words of whoever reads them. A reason for
// a refusal, a note or the forms an entry takes may name another entry as {name}: the
// command line says its argument (TIME, --every), a window or the page its label (Time,
// Split every), with no option names. A text a runner typed goes in escaped, so its braces
// stay braces.
namespace quorran {

struct Param;

enum class Audience { CommandLine, Window };

// The text with every {name} said for the audience, and {{ and }} as braces.
std::string in_words(std::string_view text, std::span<const Param> params, Audience audience);

// A text a runner typed, to go inside such a text as it is.
std::string escaped(std::string_view typed);

// How the audience names an entry: TIME or --every; Time or Split every.
std::string entry_name(const Param& param, Audience audience);

// What the param accepts, for help, tooltips and refusals: its forms and, for a value that
// may be bare, in which unit a bare one is read: on the command line "... a bare number
// is in miles, or in km with --km", in a window by the unit setting ("... in km").
std::string forms_text(const Param& param, std::span<const Param> params, Audience audience, bool km_setting = false);

}  // namespace quorran
