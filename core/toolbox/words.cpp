#include "core/toolbox/words.h"

#include <algorithm>

#include "core/toolbox/param_kinds.h"
#include "core/toolbox/tool.h"

namespace quorran {

std::string entry_name(const Param& param, Audience audience) {
    if (audience == Audience::Window) return std::string(param.label);
    if (param.positional) return std::string(param.metavar);
    std::string option = "--" + std::string(param.name);
    std::replace(option.begin(), option.end(), '_', '-');
    return option;
}

std::string escaped(std::string_view typed) {
    std::string out;
    for (const char c : typed) {
        out += c;
        if (c == '{' || c == '}') out += c;
    }
    return out;
}

std::string in_words(std::string_view text, std::span<const Param> params, Audience audience) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if ((c == '{' || c == '}') && i + 1 < text.size() && text[i + 1] == c) {
            out += c;
            ++i;
            continue;
        }
        const std::size_t close = c == '{' ? text.find('}', i) : std::string_view::npos;
        if (close == std::string_view::npos) {
            out += c;
            continue;
        }
        const std::string_view name = text.substr(i + 1, close - i - 1);
        const auto at = std::find_if(params.begin(), params.end(), [name](const Param& p) { return p.name == name; });
        out += at == params.end() ? std::string(text.substr(i, close - i + 1)) : entry_name(*at, audience);
        i = close;
    }
    return out;
}

std::string forms_text(const Param& param, std::span<const Param> params, Audience audience, bool km_setting) {
    std::string text = in_words(param.forms, params, audience);
    const KindDescription& kind = kind_description(param.kind);
    if (kind.bare_subject.empty()) return text;
    const std::string subject(kind.bare_subject);
    if (audience == Audience::Window) return text + "; " + subject + " " + std::string(kind.bare_units[km_setting ? 1 : 0]);
    const auto flag = std::find_if(params.begin(), params.end(), [&](const Param& p) { return p.name == param.bare_km_flag; });
    if (flag == params.end()) return text + "; " + subject + " " + std::string(kind.bare_units[0]);
    return text + "; " + subject + " " + std::string(kind.bare_units[0]) + ", or " + std::string(kind.bare_units[1]) + " with " +
           entry_name(*flag, audience);
}

}  // namespace quorran
