#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/program.h"

namespace quorran {
namespace {

// What a user typed cannot break a message into lines: control characters are written out.
TEST(Program, EveryMessageIsOneLine) {
    const struct { std::vector<std::string_view> args; int status; const char* err; } cases[] = {
        {{"predict", "5\nk", "20:00"}, 2, "quorran-cli: predict: DISTANCE '5\\x0ak' is not a distance"},
        {{"no\rsuch"}, 2, "quorran-cli: unknown subcommand 'no\\x0dsuch'"},
        {{"pace", "--dialog", "10\tkm", "1"}, 0, "quorran-cli: note: DISTANCE '10\\x09km' was read as 10"},
        {{"pace", "10", "1", "\x7f"}, 2, "quorran-cli: pace: MINUTES '\\x7f' is read by the dialog as 0 (no number)"},
    };
    for (const auto& c : cases) {
        std::ostringstream out, err;
        EXPECT_EQ(cli::run_program(c.args, out, err), c.status) << c.err;
        EXPECT_TRUE(err.str().starts_with(c.err)) << err.str();
        EXPECT_EQ(err.str().find('\n'), err.str().size() - 1) << err.str();
    }
}

}  // namespace
}  // namespace quorran
