#include "core/drawing/text.h"

namespace quorran {
namespace {

constexpr std::string_view REPLACEMENT = "\xEF\xBF\xBD";  // U+FFFD

// Whether a character is drawn a full em wide: the wide scripts of East Asia (Hangul,
// the CJK blocks, full-width forms) and the emoji.
bool full_width(std::string_view c) {
    char32_t code = static_cast<unsigned char>(c[0]) & (c.size() == 2 ? 0x1Fu : c.size() == 3 ? 0x0Fu : 0x07u);
    for (std::size_t k = 1; k < c.size(); ++k) code = (code << 6) | (static_cast<unsigned char>(c[k]) & 0x3Fu);
    return (code >= 0x1100 && code <= 0x115F) || (code >= 0x2E80 && code <= 0xA4CF) || (code >= 0xAC00 && code <= 0xD7A3) ||
           (code >= 0xF900 && code <= 0xFAFF) || (code >= 0xFF00 && code <= 0xFF60) || code >= 0x1F000;
}

}  // namespace

std::vector<std::string> characters(std::string_view text) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t n = lead < 0x80 ? 1 : lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                              : lead >= 0xF0 && lead <= 0xF4                ? 4
                                                                            : 0;
        bool valid = n > 0 && i + n <= text.size();
        char32_t code = n == 1 ? lead : n == 2 ? lead & 0x1Fu : n == 3 ? lead & 0x0Fu : lead & 0x07u;
        for (std::size_t k = 1; valid && k < n; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            valid = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3Fu);
        }
        // Overlong forms, surrogates, beyond U+10FFFF and the two non-characters XML refuses.
        valid = valid && !(n == 3 && code < 0x800) && !(n == 4 && (code < 0x10000 || code > 0x10FFFF)) &&
                !(code >= 0xD800 && code <= 0xDFFF) && code != 0xFFFE && code != 0xFFFF;
        if (!valid) {
            out.emplace_back(REPLACEMENT);
            ++i;
            continue;
        }
        out.push_back(code < 0x20 || code == 0x7F ? " " : std::string(text.substr(i, n)));
        i += n;
    }
    return out;
}

std::string clean_text(std::string_view text) {
    std::string out;
    for (const std::string& c : characters(text)) out += c;
    return out;
}

std::string xml_escaped(std::string_view text) {
    std::string out;
    for (const std::string& c : characters(text)) {
        out += c == "&" ? "&amp;" : c == "<" ? "&lt;" : c == ">" ? "&gt;" : c == "\"" ? "&quot;" : c == "'" ? "&#39;" : c;
    }
    return out;
}

double em_width(std::string_view c) {
    if (c.size() > 1) return full_width(c) ? 1.0 : 0.78;
    const char ch = c.front();
    if (ch >= '0' && ch <= '9') return 0.56;
    if (std::string_view(" .,:;!'|iljtf()[]I").find(ch) != std::string_view::npos) return 0.3;
    if (ch == 'W' || ch == '@') return 1.02;
    if (ch == '%') return 0.9;
    if (ch == 'm' || ch == 'w' || ch == 'M') return 0.85;
    if (ch >= 'A' && ch <= 'Z') return 0.78;
    return 0.56;
}

double text_width(std::string_view text, double size) {
    double em = 0;
    for (const std::string& c : characters(text)) em += em_width(c);
    return em * size;
}

}  // namespace quorran
