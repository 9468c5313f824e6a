#include "core/drawing/svg.h"

#include "core/drawing/painter.h"
#include "core/drawing/text.h"
#include "core/numbers/number_text.h"

namespace quorran {
namespace {

// A length to the hundredth, without the zeros at its end: 7, 13.11, 21.1.
std::string mm(double v) {
    std::string text = format_text("%.2f", {v});
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
    return text == "-0" ? "0" : text;
}

// #rgb where each channel's two digits are the same, else #rrggbb.
std::string colour(Rgb rgb) {
    static constexpr char HEX[] = "0123456789abcdef";
    std::string text = "#";
    for (int shift = 20; shift >= 0; shift -= 4) text += HEX[(rgb >> shift) & 0xFu];
    if (text[1] == text[2] && text[3] == text[4] && text[5] == text[6]) return {'#', text[1], text[3], text[5]};
    return text;
}

class SvgPainter final : public Painter {
public:
    std::string out;

    void begin(const Drawing& d) override {
        out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
              mm(d.width) + "mm\" height=\"" + mm(d.height) + "mm\" viewBox=\"0 0 " + mm(d.width) + " " + mm(d.height) +
              "\" font-family=\"Liberation Sans, Arial, Helvetica, sans-serif\">\n<title>" +
              xml_escaped(d.text_alternative) + "</title>\n<rect width=\"" + mm(d.width) + "\" height=\"" + mm(d.height) +
              "\" fill=\"" + colour(d.background) + "\"/>\n";
    }
    void lines(std::span<const Point> points, const Style& style, std::string_view name) override {
        if (points.size() == 2) {
            open("line", name);
            out += " x1=\"" + mm(points[0].x) + "\" y1=\"" + mm(points[0].y) + "\" x2=\"" + mm(points[1].x) + "\" y2=\"" +
                   mm(points[1].y) + "\"";
        } else {
            open("polyline", name);
            point_list(points);
            out += " fill=\"none\"";
        }
        stroke(style);
        out += "/>\n";
    }
    void polygon(std::span<const Point> points, const Style& style, std::string_view name) override {
        open("polygon", name);
        point_list(points);
        fill_and_stroke(style);
    }
    void rect(const Box& b, const Style& style, std::string_view name) override {
        open("rect", name);
        out += " x=\"" + mm(b.x) + "\" y=\"" + mm(b.y) + "\" width=\"" + mm(b.width) + "\" height=\"" + mm(b.height) + "\"";
        fill_and_stroke(style);
    }
    void text(std::string_view text, Point at, const TextStyle& s, std::string_view name) override {
        open("text", name);
        out += " x=\"" + mm(at.x) + "\" y=\"" + mm(at.y) + "\" font-size=\"" + mm(s.size) + "\"";
        if (s.anchor != Anchor::Start) out += s.anchor == Anchor::Middle ? " text-anchor=\"middle\"" : " text-anchor=\"end\"";
        if (s.bold) out += " font-weight=\"bold\"";
        if (s.colour != BLACK) out += " fill=\"" + colour(s.colour) + "\"";
        out += ">" + xml_escaped(text) + "</text>\n";
    }
    void begin_group(std::string_view name) override {
        open("g", name);
        out += ">\n";
    }
    void end_group() override { out += "</g>\n"; }
    void end() override { out += "</svg>\n"; }

private:
    void open(std::string_view element, std::string_view name) {
        out += "<" + std::string(element);
        if (!name.empty()) out += " class=\"" + xml_escaped(name) + "\"";
    }
    void point_list(std::span<const Point> points) {
        out += " points=\"";
        for (const Point& p : points) out += (&p == points.data() ? "" : " ") + mm(p.x) + "," + mm(p.y);
        out += "\"";
    }
    void stroke(const Style& style) {
        if (style.stroke) out += " stroke=\"" + colour(*style.stroke) + "\" stroke-width=\"" + mm(style.stroke_width) + "\"";
    }
    void fill_and_stroke(const Style& style) {
        out += " fill=\"" + (style.fill ? colour(*style.fill) : std::string("none")) + "\"";
        stroke(style);
        out += "/>\n";
    }
};

}  // namespace

std::string svg_document(const Drawing& drawing) {
    SvgPainter svg;
    paint(drawing, svg);
    return std::move(svg.out);
}

}  // namespace quorran
