#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

#include "core/numbers/text_limit.h"

// The system's own number scanner and printer. Both differ in detail from the C
// library's: entries are read from at most 24 significant digits with e/E/d/D
// exponents and no locale, and numbers print with a two-stage rounding.
namespace quorran {

// The longest leading decimal number of text (after leading white space), correctly
// rounded to the nearest double from its first 24 significant digits; 0.0 when the
// text has none. An exponent beyond the range of a double gives infinity or zero.
double scan_number(std::string_view text);
// The same, and how many characters of text it read (white space included); 0 when
// the text has no number.
double scan_number(std::string_view text, std::size_t& length);

// One argument of format_text: a number for a %W.Pf conversion or a text for %s.
class FormatArg {
public:
    FormatArg(double number) : number_(number), is_text_(false) {}
    FormatArg(std::string_view text) : text_(text), is_text_(true) {}
    FormatArg(const char* text) : text_(text), is_text_(true) {}
    FormatArg(const std::string& text) : text_(text), is_text_(true) {}

    bool is_text() const { return is_text_; }
    double number() const { return number_; }
    std::string_view text() const { return text_; }

private:
    double number_ = 0.0;
    std::string_view text_;
    bool is_text_;
};

// Builds a text from a printf-style format that uses only %W.Pf (with an optional 0
// flag for zero padding), %s and %%. Numbers round in two stages: first to 17
// significant digits of their exact decimal expansion (half up on the 18th digit),
// then that digit string to P decimals, half up. The text is cut to limit characters.
std::string format_text(std::string_view format, std::initializer_list<FormatArg> args,
                        std::size_t limit = TEXT_LIMIT);

// A number with the fewest decimals (up to max_decimals) that read back as it: 1.06, 5,
// 0.4, as a person writes them.
std::string decimal_text(double value, int max_decimals = 6);

}  // namespace quorran
