// The run tool on the watches' own files: its answers held to the records the files hold,
// and every way a file or an entry is refused said in words.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <sstream>

#include "core/recorded/run_files.h"
#include "core/toolbox/tool_list.h"
#include "core/toolbox/tool_runner.h"
#include "tests/embedded_files.h"

namespace quorran {
namespace {

using testing::embedded_file;

// The tests' files: the samples by their path under tests/runs, and no XML parser.
class SampleFiles : public RunFiles {
public:
    FileBytes read(std::string_view name, std::string& why_not) override {
        const std::string_view bytes = embedded_file(name);
        if (bytes.empty()) {
            why_not = missing;
            return nullptr;
        }
        return std::make_shared<const std::string>(bytes);
    }
    XmlParser* xml() override { return nullptr; }
    std::string missing = "cannot be found";
};

class RunTool : public ::testing::Test {
protected:
    void SetUp() override { use_run_files(&files); }
    void TearDown() override { use_run_files(nullptr); }
    static Outcome run(const Entries& entries) { return run_tool(*find_tool("run"), entries); }
    SampleFiles files;
};

const Headline* headline(const Report& r, std::string_view key) {
    for (const Headline& h : r.headlines)
        if (h.key == key) return &h;
    return nullptr;
}

const Table* table(const Report& r, std::string_view key) {
    for (const Table& t : r.tables)
        if (t.key == key) return &t;
    return nullptr;
}

// The last record's distance and the seconds from the first record to the last, from the
// CSV printed beside each file by another reader.
struct Recorded {
    double distance;
    double seconds;
};
Recorded last_record(std::string_view csv, int time_column, int distance_column, bool pacific_clock) {
    std::istringstream lines{std::string(csv)};
    std::string line, first, last;
    std::getline(lines, line);  // the header
    while (std::getline(lines, line))
        if (!line.empty()) (first.empty() ? first : last) = line;
    const auto field = [](const std::string& row, int column) {
        std::istringstream cells(row);
        std::string cell;
        for (int i = 0; i <= column; ++i) std::getline(cells, cell, ',');
        return cell;
    };
    const auto seconds = [&](const std::string& row) {
        const std::string t = field(row, time_column);
        if (!pacific_clock) return std::stod(t);
        // "Sun Jun 11 07:34:09 PDT 2017": one day, so the clock alone.
        const std::string clock = t.substr(11, 8);
        return std::stod(clock.substr(0, 2)) * 3600 + std::stod(clock.substr(3, 2)) * 60 + std::stod(clock.substr(6, 2));
    };
    return {std::stod(field(last, distance_column)), seconds(last) - seconds(first)};
}

// Each real watch's file: the distance is the watch's last record, the elapsed time runs
// from the first record to the last, the splits add up to the moving time and end at the
// finish, and none shows a clock of 60 seconds.
TEST_F(RunTool, WatchesFilesAgreeWithTheirRecords) {
    const struct {
        const char* file;
        const char* csv;
        int time_column, distance_column;
        bool pacific_clock;
        const char* every;
        std::size_t splits;
    } cases[] = {
        {"fit/garmin-fenix-5-run.fit", "fit/garmin-fenix-5-run-records.csv", 0, 4, true, "100m", 2},
        {"fit/garmin-fenix-5-walk.fit", "fit/garmin-fenix-5-walk-records.csv", 0, 4, true, "", 1},
        {"fit/compressed-speed-distance.fit", "fit/compressed-speed-distance-records.csv", 0, 3, false, "1km", 11},
        {"fit/compressed-speed-distance.fit", "fit/compressed-speed-distance-records.csv", 0, 3, false, "", 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " every " + c.every);
        const Recorded recorded = last_record(embedded_file(c.csv), c.time_column, c.distance_column, c.pacific_clock);
        Entries entries{{"file", c.file}};
        if (*c.every) entries.emplace_back("every", c.every);
        const Outcome o = run(entries);
        ASSERT_FALSE(o.refusal) << o.refusal->line();
        const Report& r = o.report;
        ASSERT_TRUE(r.main_headline());
        EXPECT_EQ(r.main_headline()->key, "distance");
        EXPECT_NEAR(r.main_headline()->cell.value, recorded.distance, 0.01);
        EXPECT_NEAR(headline(r, "elapsed")->cell.value, recorded.seconds, 1e-9);
        const Table* splits = table(r, "splits");
        ASSERT_TRUE(splits);
        ASSERT_EQ(splits->rows.size(), c.splits);
        double moving = 0;
        for (const auto& row : splits->rows) {
            moving += row[1].value;
            for (const Cell& cell : row) EXPECT_EQ(cell.text.find(":60"), std::string::npos) << cell.text;
        }
        EXPECT_NEAR(moving, headline(r, "moving")->cell.value, 1e-6);
        EXPECT_NEAR(splits->rows.back()[0].value, recorded.distance, 0.01);
        EXPECT_NEAR(splits->rows.back()[2].value, recorded.seconds, 1e-6);
    }
}

// The unit of the report: miles unless the split is in km or --km is given; a split in
// miles keeps miles even with --km.
TEST_F(RunTool, TheReportsUnit) {
    const std::string file = "fit/compressed-speed-distance.fit";
    const struct {
        Entries extra;
        const char* distance;
        const char* at_label;
        const char* pace;
    } units[] = {
        {{}, "6.37 mi", "miles", "pace /mi"},
        {{{"km", ""}}, "10.25 km", "km", "pace /km"},
        {{{"every", "2km"}}, "10.25 km", "km", "pace /km"},
        {{{"every", "2mi"}, {"km", ""}}, "6.37 mi", "miles", "pace /mi"},
        {{{"every", "800"}, {"km", ""}}, "10.25 km", "km", "pace /km"},
    };
    for (const auto& u : units) {
        Entries entries{{"file", file}};
        entries.insert(entries.end(), u.extra.begin(), u.extra.end());
        const Outcome o = run(entries);
        ASSERT_FALSE(o.refusal) << o.refusal->line();
        EXPECT_EQ(o.report.main_headline()->cell.text, u.distance);
        EXPECT_EQ(table(o.report, "splits")->columns[0].label, u.at_label);
        EXPECT_EQ(table(o.report, "splits")->columns[3].label, u.pace);
    }
}

// The plan for the run's own distance: its last marker is the goal at the finish, and a
// run ahead of it shows below zero.
TEST_F(RunTool, BesideThePlan) {
    const struct {
        const char* plan;
        const char* negative;
        const char* last_behind;
    } cases[] = {
        {"1:04:35", "", "+0:00"},
        {"1:00:00", "", "+4:35"},
        {"1:10:00", "", "-5:25"},
        {"1:04:35", "10", "+0:00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.plan) + " " + c.negative);
        Entries entries{{"file", "fit/compressed-speed-distance.fit"}, {"km", ""}, {"plan", c.plan}};
        if (*c.negative) entries.emplace_back("negative", c.negative);
        const Outcome o = run(entries);
        ASSERT_FALSE(o.refusal) << o.refusal->line();
        const Table* plan = table(o.report, "plan");
        ASSERT_TRUE(plan);
        ASSERT_EQ(plan->rows.size(), table(o.report, "splits")->rows.size());
        const auto& last = plan->rows.back();
        EXPECT_EQ(last[3].text, c.last_behind);
        EXPECT_NEAR(last[3].value, last[1].value - last[2].value, 1e-9);
    }
    // Without a plan there is no table for it.
    EXPECT_FALSE(table(run({{"file", "fit/compressed-speed-distance.fit"}}).report, "plan"));
}

// The splits as CSV: one line a split under its header, every line ended CRLF, numbers
// unrounded to the millimetre and blank where the file has nothing.
TEST_F(RunTool, SplitsAsCsv) {
    const Outcome o = run({{"file", "fit/compressed-speed-distance.fit"}, {"every", "5km"}});
    ASSERT_FALSE(o.refusal);
    ASSERT_EQ(o.report.documents.size(), 2u);  // and the chart's SVG
    const Document& csv = o.report.documents[0];
    EXPECT_EQ(csv.file_name, "splits.csv");
    EXPECT_EQ(csv.text,
              "at_m,time_s,cumulative_s,pace_s_per_km,gap_s_per_km,elevation_change_m,heart_rate_bpm\r\n"
              "5000,1972.914,2272.914,394.583,,,166.154\r\n"
              "10000,1475.494,3748.408,295.099,,,180.444\r\n"
              "10248.688,66.592,3875,267.775,,,181.819\r\n");
}

// Every way a file is refused, in words, with the entry named.
TEST_F(RunTool, Refusals) {
    const struct {
        Entries entries;
        const char* line;
    } cases[] = {
        {{{"file", "no/such.gpx"}}, "FILE 'no/such.gpx' cannot be found"},
        {{{"file", "xml/gpx10.gpx"}},
         "FILE 'xml/gpx10.gpx' cannot be read: the file is XML (GPX or TCX), and this program has no XML parser to "
         "read it"},
        {{{"file", "fit/activity-settings-corruptheader.fit"}},
         "FILE 'fit/activity-settings-corruptheader.fit' cannot be read: byte 771: the FIT header has no \".FIT\" at "
         "its bytes 8 to 11: the header is damaged"},
        {{{"file", "fit/SOURCE.md"}},
         "FILE 'fit/SOURCE.md' cannot be read: the file is neither FIT (no \".FIT\" at its bytes 8 to 11) nor XML "
         "such as GPX or TCX"},
        {{{"file", "fit/garmin-fenix-5-run.fit"}, {"negative", "2"}}, "--negative '2' goes with --plan: it is the plan's split"},
        {{{"file", "fit/garmin-fenix-5-run.fit"}, {"plan", "1:00:00"}, {"negative", "50"}},
         "--negative '50' must be between -50 and 50 %"},
        {{{"file", "fit/garmin-fenix-5-run.fit"}, {"every", "99m"}}, "--every '99m' must be at least 100 m: '99m' is metres; for miles type 99mi"},
    };
    for (const auto& c : cases) {
        const Outcome o = run(c.entries);
        ASSERT_TRUE(o.refusal) << c.line;
        EXPECT_EQ(o.refusal->line(), c.line);
    }
    // Beside each limit, what is taken.
    for (const Entries& taken : {Entries{{"file", "fit/garmin-fenix-5-run.fit"}, {"every", "100m"}},
                                 Entries{{"file", "fit/garmin-fenix-5-run.fit"}, {"plan", "1:00"}, {"negative", "49.9"}},
                                 Entries{{"file", "fit/garmin-fenix-5-run.fit"}, {"plan", "1:00"}, {"negative", "-49.9"}}})
        EXPECT_FALSE(run(taken).refusal) << taken.back().second;
}

// The reason a program gives is shown as it is, braces and all, not read as an entry's
// name; and a program that has said nothing of its files refuses every file, saying so.
TEST_F(RunTool, WhyNotIsShownAsGiven) {
    files.missing = "cannot be found in {the picked files}";
    EXPECT_EQ(run({{"file", "x.gpx"}}).refusal->line(), "FILE 'x.gpx' cannot be found in {the picked files}");
    use_run_files(nullptr);
    EXPECT_EQ(run({{"file", "fit/garmin-fenix-5-run.fit"}}).refusal->line(),
              "FILE 'fit/garmin-fenix-5-run.fit' cannot be read here");
}

}  // namespace
}  // namespace quorran
