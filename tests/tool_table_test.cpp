// The tool table as a whole: what every tool's description must hold for the command
// line, the windows and the page to draw it, and how entries are looked up.
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>

#include "core/toolbox/param_kinds.h"
#include "core/toolbox/tool_list.h"
#include "core/toolbox/tool_runner.h"

namespace quorran {
namespace {

// Names and menu places of their own; params of their own names; a bare unit switched
// only by a flag of the same tool; positionals that must be given come first.
TEST(ToolTable, EveryToolIsDescribedWhole) {
    std::set<std::string_view> names;
    std::set<int> places;
    int previous_place = 0;
    for (const Tool& tool : tools()) {
        EXPECT_TRUE(names.insert(tool.name).second) << tool.name;
        EXPECT_TRUE(places.insert(tool.menu_place).second) << tool.name;
        EXPECT_GT(tool.menu_place, previous_place) << tool.name << ": menus list the tools by their place";
        previous_place = tool.menu_place;
        EXPECT_FALSE(tool.title.empty() || tool.purpose.empty() || tool.examples.empty()) << tool.name;
        std::set<std::string_view> params;
        bool optional_seen = false;
        for (const Param& p : tool.params) {
            EXPECT_TRUE(params.insert(p.name).second) << tool.name << " " << p.name;
            if (!p.bare_km_flag.empty()) {
                const Param* flag = find_param(tool, p.bare_km_flag);
                EXPECT_TRUE(flag && flag->kind == ParamKind::Flag) << tool.name << " " << p.name << ": " << p.bare_km_flag;
            }
            if (p.positional) {
                EXPECT_FALSE(p.required && optional_seen) << tool.name << " " << p.name;
                optional_seen = optional_seen || !p.required;
            }
        }
    }
    EXPECT_EQ(tools().size(), listed_tools().size());
    EXPECT_EQ(find_tool("nosuch"), nullptr);
    for (const Tool& tool : tools()) EXPECT_EQ(&tools()[tool_index(tool)], &tool);
}

// Every number a tool reads names its unit: JSON and the refusals say it.
TEST(ToolTable, EveryNumberNamesItsUnit) {
    const struct { const char* tool; const char* param; Unit unit; } cases[] = {
        {"plan", "negative", Unit::Percent},     {"agegrade", "target", Unit::Percent},
        {"agegrade", "age", Unit::Count},        {"predict", "exponent", Unit::Count},
        {"plan", "distance", Unit::Metres},      {"plan", "every", Unit::Metres},
        {"distance", "time", Unit::Seconds},     {"laps", "pace", Unit::SecondsPerKm},
        {"predict", "model", Unit::None},        {"plan", "km", Unit::None},
    };
    for (const auto& c : cases) EXPECT_EQ(value_unit(*find_param(*find_tool(c.tool), c.param)), c.unit) << c.tool << " " << c.param;
}

// WebAssembly builds catch no exceptions (-fignore-exceptions): there the same lookup
// stops the program, as loudly.
#if defined(__cpp_exceptions) && !defined(__EMSCRIPTEN__)
// A tool that asks for an entry by a name it has not, or by another tool's handle, is
// stopped at once, whatever the build: never a read beyond the entries.
TEST(ToolTable, AnEntryLookedUpByAWrongNameFailsLoudly) {
    const Tool& predict = *find_tool("predict");
    const Outcome read = run_tool(predict, {{"distance", "5k"}, {"time", "20:00"}});
    const Inputs in(read.read, predict.params);
    EXPECT_EQ(in.named("distance").number, 5000);
    EXPECT_THROW(static_cast<void>(in.named("distanse")), std::out_of_range);
    EXPECT_THROW(static_cast<void>(in.named("")), std::out_of_range);
    EXPECT_EQ((in[Entry{1, "time"}].number), 1200);
    EXPECT_THROW(static_cast<void>(in[Entry{1, "pace"}]), std::out_of_range);    // another tool's handle
    EXPECT_THROW(static_cast<void>(in[Entry{99, "time"}]), std::out_of_range);   // beyond the entries
}
#endif

}  // namespace
}  // namespace quorran
