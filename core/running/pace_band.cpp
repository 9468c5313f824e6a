#include "core/running/pace_band.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "core/drawing/svg.h"
#include "core/drawing/text.h"
#include "core/numbers/number_text.h"
#include "core/running/clock_time.h"

namespace quorran {
namespace {

// ---- Paper, in mm ------------------------------------------------------------------

constexpr double MARGIN = 5;        // around the sheet
constexpr double STRIP_WIDTH = 25;  // a strip's width, unless its texts need more
constexpr double STRIP_GAP = 5;     // between strips, to cut along
constexpr double PAD = 1;           // inside a strip's edge
constexpr double COLUMN_GAP = 1.5;  // at least, between a marker and its time
// Digits in common sans-serif faces are about 0.72 em high: 4.4 mm gives 3.2 mm.
constexpr double FONT = 4.4;
constexpr double WORD_FONT = 3;  // words alone, no digits: "mile", "half"
constexpr double LINE = 5.6;     // a header line
constexpr double WORD_LINE = 4.2;
constexpr double ROW = 6.4;
constexpr std::size_t ROWS_PER_STRIP = 24;
constexpr std::size_t TITLE_LINES = 3;

constexpr std::string_view ELLIPSIS = "\xE2\x80\xA6";     // U+2026

// ---- The runner's own text ---------------------------------------------------------

// A CSV field (RFC 4180): quoted when it holds a comma, a quote, a line break or blanks at
// an end, its quotes doubled. A text a spreadsheet would take for a formula (= + - @ first)
// gets an apostrophe before it, so it stays text.
std::string csv_field(std::string_view typed) {
    std::string text = clean_text(typed);
    if (!text.empty() && std::string_view("=+-@").find(text.front()) != std::string_view::npos) text.insert(0, "'");
    const bool quoted = text.find_first_of(",\"\r\n") != std::string::npos ||
                        (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quoted) return text;
    std::string out = "\"";
    for (const char c : text) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

// ---- Widths, estimated ---------------------------------------------------------------

// Words in lines no wider than width at that font, a word too long cut; at most
// max_lines, the last ending in an ellipsis when text is left over.
std::vector<std::string> wrapped(std::string_view text, double width, double font, std::size_t max_lines) {
    std::vector<std::string> lines{""};
    double used = 0;
    bool cut = false;
    for (const std::string& c : characters(text)) {
        const double w = em_width(c) * font;
        if (c == " ") {
            if (!lines.back().empty()) lines.back() += c, used += w;
            continue;
        }
        if (used + w > width) {
            // Back to the last blank, if any, and carry the word begun to the next line.
            const std::size_t blank = lines.back().rfind(' ');
            std::string carried = blank == std::string::npos ? "" : lines.back().substr(blank + 1);
            if (blank != std::string::npos) lines.back().erase(blank);
            if (lines.size() == max_lines) {
                cut = true;
                break;
            }
            lines.push_back(carried);
            used = text_width(carried, font);
        }
        lines.back() += c;
        used += w;
    }
    for (std::string& line : lines) line.erase(line.find_last_not_of(' ') + 1);
    if (cut) lines.back() += ELLIPSIS;
    return lines;
}

// ---- Rows ----------------------------------------------------------------------------

// A number to two decimals, without the zeros at its end: 7, 13.11, 21.1.
std::string short_number(double v) {
    std::string text = format_text("%.2f", {v});
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
    return text;
}

std::string at_text(const BandRow& row) { return short_number(row.at); }
std::string time_text(const BandRow& row) { return clock_text(row.seconds, 0); }
std::string mark_word(BandMark mark) {
    return mark == BandMark::Halfway ? "half" : mark == BandMark::Finish ? "finish" : "";
}
std::string unit_word(const PaceBand& band) { return band.by_km ? "km" : "mile"; }
std::string goal_text(const PaceBand& band) { return clock_text(band.goal_seconds, 0); }

// What a strip shows left of a time: the marker, or in words a marked row's meaning.
std::string strip_label(const BandRow& row) {
    return row.mark == BandMark::Halfway ? "half" : row.mark == BandMark::Finish ? "fin" : at_text(row);
}
double strip_label_font(const BandRow& row) { return row.mark == BandMark::None ? FONT : WORD_FONT; }

struct HeaderLine {
    std::string text;
    bool bold;
};

std::vector<HeaderLine> header_lines(const PaceBand& band, double inner_width) {
    std::vector<HeaderLine> lines;
    for (std::string& line : wrapped(band.title, inner_width, FONT, TITLE_LINES)) lines.push_back({std::move(line), false});
    lines.push_back({goal_text(band), true});
    for (const std::string& strategy : strategy_lines(band.negative_percent)) {
        for (std::string& line : wrapped(strategy, inner_width, FONT, 2)) lines.push_back({std::move(line), false});
    }
    return lines;
}

}  // namespace

std::vector<BandRow> band_rows(std::span<const PlannedSplit> plan, double metres, double halfway_seconds,
                               double unit_metres) {
    std::vector<BandRow> rows;
    const double half = metres / 2;
    bool halfway_shown = false;
    for (const PlannedSplit& s : plan) {
        const bool at_half = std::fabs(s.metres - half) <= 1e-9 * metres;
        if (!halfway_shown && !at_half && s.metres > half) {
            rows.push_back({half / unit_metres, halfway_seconds, BandMark::Halfway});
            halfway_shown = true;
        }
        const BandMark mark = at_half ? BandMark::Halfway : &s == &plan.back() ? BandMark::Finish : BandMark::None;
        halfway_shown = halfway_shown || at_half;
        rows.push_back({s.metres / unit_metres, s.cumulative_seconds, mark});
    }
    return rows;
}

std::vector<std::string> strategy_lines(double negative_percent) {
    if (negative_percent == 0) return {"even pace"};
    return {"2nd half", decimal_text(std::fabs(negative_percent), 2) + "% " + (negative_percent > 0 ? "faster" : "slower")};
}

std::string strategy_text(double negative_percent) {
    const std::vector<std::string> lines = strategy_lines(negative_percent);
    if (lines.size() == 1) return lines.front();
    return (negative_percent > 0 ? "negative split: " : "positive split: ") + lines[0] + " " + lines[1];
}

BandLayout band_layout(const PaceBand& band) {
    BandLayout l{};
    l.strips = std::max<std::size_t>(1, (band.rows.size() + ROWS_PER_STRIP - 1) / ROWS_PER_STRIP);
    l.rows_per_strip = (band.rows.size() + l.strips - 1) / l.strips;
    double label = text_width(unit_word(band), WORD_FONT), time = 0;
    for (const BandRow& row : band.rows) {
        label = std::max(label, text_width(strip_label(row), strip_label_font(row)));
        time = std::max(time, text_width(time_text(row), FONT));
    }
    l.strip_width = std::max(STRIP_WIDTH, std::ceil(2 * PAD + label + COLUMN_GAP + time));
    const double header = static_cast<double>(header_lines(band, l.strip_width - 2 * PAD).size()) * LINE;
    l.strip_height = PAD + header + WORD_LINE + static_cast<double>(l.rows_per_strip) * ROW + PAD;
    l.width = 2 * MARGIN + static_cast<double>(l.strips) * l.strip_width + static_cast<double>(l.strips - 1) * STRIP_GAP;
    l.height = 2 * MARGIN + l.strip_height;
    return l;
}

std::string band_text(const PaceBand& band) {
    std::string out = clean_text(band.title) + "\n" + goal_text(band) + ", " + strategy_text(band.negative_percent) + "\n\n";
    std::size_t at_width = unit_word(band).size(), time_width = 4;
    for (const BandRow& row : band.rows) {
        at_width = std::max(at_width, at_text(row).size());
        time_width = std::max(time_width, time_text(row).size());
    }
    const auto line = [&](const std::string& at, const std::string& time, const std::string& mark) {
        std::string text = std::string(at_width - at.size(), ' ') + at + "  " + std::string(time_width - time.size(), ' ') + time;
        return text + (mark.empty() ? "" : "  " + mark) + "\n";
    };
    out += line(unit_word(band), "time", "");
    for (const BandRow& row : band.rows) out += line(at_text(row), time_text(row), mark_word(row.mark));
    return out;
}

std::string band_csv(const PaceBand& band) {
    std::string out = "race,goal,strategy\r\n" + csv_field(band.title) + "," + goal_text(band) + "," +
                      csv_field(strategy_text(band.negative_percent)) + "\r\n\r\n";
    out += unit_word(band) + ",time,mark\r\n";
    for (const BandRow& row : band.rows) out += at_text(row) + "," + time_text(row) + "," + mark_word(row.mark) + "\r\n";
    return out;
}

Drawing band_drawing(const PaceBand& band) {
    const BandLayout l = band_layout(band);
    const std::vector<HeaderLine> header = header_lines(band, l.strip_width - 2 * PAD);
    Drawing d{.key = "band",
              .title = "Pace band",
              .text_alternative = "Pace band: " + clean_text(band.title) + ", " + goal_text(band) + ", " +
                                  strategy_text(band.negative_percent),
              .width = l.width,
              .height = l.height};
    const auto text = [&d](std::string_view cls, double x, double y, double font, Anchor anchor, std::string content,
                           bool bold = false) {
        d.text({x, y}, std::move(content), {.size = font, .anchor = anchor, .bold = bold}, cls);
    };
    const auto outline = [](double weight) { return Style{.stroke = BLACK, .stroke_width = weight}; };
    const auto rule = [&](double x1, double x2, double y, double weight) { d.lines({{x1, y}, {x2, y}}, outline(weight)); };
    for (std::size_t strip = 0; strip < l.strips; ++strip) {
        const double left = MARGIN + static_cast<double>(strip) * (l.strip_width + STRIP_GAP), right = left + l.strip_width;
        const double top = MARGIN;
        d.begin_group("strip");
        d.rect({left, top, l.strip_width, l.strip_height}, outline(0.3), "strip");
        double y = top + PAD;
        for (const HeaderLine& h : header) {
            text("head", (left + right) / 2, y + 4.3, FONT, Anchor::Middle, h.text, h.bold);
            y += LINE;
        }
        text("unit", left + PAD, y + 3.2, WORD_FONT, Anchor::Start, unit_word(band));
        text("unit", right - PAD, y + 3.2, WORD_FONT, Anchor::End, "time");
        y += WORD_LINE;
        rule(left, right, y, 0.4);
        const std::size_t first = strip * l.rows_per_strip, last = std::min(band.rows.size(), first + l.rows_per_strip);
        for (std::size_t i = first; i < last; ++i) {
            const BandRow& row = band.rows[i];
            if (i > first) rule(left, right, y, row.mark == BandMark::Finish ? 0.6 : 0.1);
            if (row.mark == BandMark::Halfway)
                d.rect({left + 0.4, y + 0.3, l.strip_width - 0.8, ROW - 0.6}, outline(0.5), "halfway");
            text("at", left + PAD, y + 4.7, strip_label_font(row), Anchor::Start, strip_label(row));
            text("time", right - PAD, y + 4.7, FONT, Anchor::End, time_text(row), row.mark != BandMark::None);
            y += ROW;
        }
        d.end_group();
    }
    return d;
}

std::string band_svg(const PaceBand& band) { return svg_document(band_drawing(band)); }

}  // namespace quorran
