#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/toolbox/json_writer.h"

namespace quorran {
namespace {

TEST(JsonWriter, EscapesStringsAndPrintsNumbersThatReadBack) {
    const struct { const char* text; const char* json; } strings[] = {
        {"plain", R"("plain")"}, {"say \"10km\"", R"("say \"10km\"")"}, {"C:\\run", R"("C:\\run")"},
        {"a\nb\tc\x1f", R"("a\u000ab\u0009c\u001f")"}, {"caf\xc3\xa9", "\"caf\xc3\xa9\""},
        // Bytes that are no UTF-8 character (a lone byte, a cut one, an overlong form, a
        // surrogate) become U+FFFD, beside whole characters of 2, 3 and 4 bytes.
        {"\xff" "1", R"("\ufffd1")"}, {"\xc3", R"("\ufffd")"}, {"\xc0\xaf", R"("\ufffd\ufffd")"},
        {"\xed\xa0\x80", R"("\ufffd\ufffd\ufffd")"}, {"\xe2\x82\xac\xf0\x9f\x8f\x83", "\"\xe2\x82\xac\xf0\x9f\x8f\x83\""},
    };
    for (const auto& c : strings) EXPECT_EQ(JsonWriter().value(c.text).text(), c.json);

    const struct { double number; const char* json; } numbers[] = {
        {0.1, "0.1"}, {6.2137119223733395, "6.2137119223733395"}, {42195, "42195"}, {1e300, "1e+300"},
        {5e-324, "5e-324"}, {HUGE_VAL, "null"}, {-HUGE_VAL, "null"}, {NAN, "null"},
    };
    for (const auto& c : numbers) EXPECT_EQ(JsonWriter().value(c.number).text(), c.json);

    JsonWriter j;
    j.begin_object().field("a", 1).key("b").begin_array().value(true).begin_object().end_object().end_array();
    EXPECT_EQ(j.field("c", "x").end_object().text(), R"({"a":1,"b":[true,{}],"c":"x"})");
}

}  // namespace
}  // namespace quorran
