// Temporary stand-in; being replaced by the exact scanner and two-stage formatter.
#include "core/number_text.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace quorran {

double scan_number(std::string_view text) {
    std::string s(text);
    return std::strtod(s.c_str(), nullptr);
}

std::string format_text(std::string_view format, std::initializer_list<FormatArg> args,
                        std::size_t limit) {
    std::string out;
    auto arg = args.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') { out += format[i]; continue; }
        std::size_t j = i + 1;
        while (j < format.size() && format[j] != 'f' && format[j] != 's') ++j;
        std::string spec(format.substr(i, j - i + 1));
        char buf[512];
        if (arg != args.end()) {
            if (arg->is_text()) out += arg->text();
            else { std::snprintf(buf, sizeof buf, spec.c_str(), arg->number()); out += buf; }
            ++arg;
        }
        i = j;
    }
    if (out.size() > limit) out.resize(limit);
    return out;
}

}  // namespace quorran
