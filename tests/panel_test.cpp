// The toolbox window's behaviour on the in-memory panel: the panel-behaviour suite, then
// what the core decides alone: the entries' mnemonics and what is copied.
#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "core/recorded/run_files.h"
#include "core/toolbox/entry_forms.h"
#include "tests/embedded_files.h"

#include "core/toolbox/tool_panel.h"
#include "tests/memory_panel.h"
#include "tests/panel_behaviour.h"

namespace quorran {
namespace {

using testing::MemoryPanel;

// The samples of tests/runs by their path there, built into the test; no XML parser.
class SampleRuns final : public RunFiles {
public:
    FileBytes read(std::string_view name, std::string& why_not) override {
        const std::string_view bytes = testing::embedded_file(name);
        if (bytes.empty()) return why_not = "cannot be found", nullptr;
        return std::make_shared<const std::string>(bytes);
    }
    XmlParser* xml() override { return nullptr; }
};

// The in-memory panel driven as a user drives a window: every change goes to the commands.
// What it keeps outlives the window, as a program's settings outlive it.
class MemoryProbe final : public testing::PanelProbe {
public:
    MemoryProbe() {
        use_run_files(&runs_);
        restart(0);
    }
    ~MemoryProbe() override { use_run_files(nullptr); }
    std::vector<std::string> tools() override { return panel_->titles; }
    int chosen_tool() override { return panel_->highlighted_tool == panel_->shown_tool ? panel_->shown_tool : -1; }
    void choose_tool(int index) override {
        panel_->highlighted_tool = index;
        commands_->on_tool_chosen(index);
    }
    void choose_no_tool() override { choose_tool(-1); }
    std::vector<std::string> labels() override {
        std::vector<std::string> all;
        for (const EntryField& f : panel_->entries) all.push_back(without_mnemonic(f.label));
        return all;
    }
    void enter(int entry, std::string_view text) override {
        panel_->set_entry_text(entry, text);
        commands_->on_entry_changed(entry);
    }
    std::string entry_shown(int entry) override { return panel_->entry_text(entry); }
    void press_shortcut(int entry, int shortcut) override { commands_->on_shortcut(entry, shortcut); }
    std::string mark(int entry) override { return panel_->marks.at(static_cast<std::size_t>(entry)); }
    std::vector<std::string> report() override { return testing::report_texts(panel_->report); }
    bool report_current() override { return panel_->current; }
    void copy() override { commands_->on_copy(); }
    std::string clipboard() override { return panel_->clipboard; }
    std::string main_answer() override {
        const Headline* h = panel_->report.main_headline();
        return h ? std::string(trimmed(h->cell.text)) : std::string();
    }
    Units units() override { return panel_->units; }
    void choose_units(Units units) override { commands_->on_units_chosen(units); }
    std::string unit_beside(int entry) override { return panel_->entries.at(static_cast<std::size_t>(entry)).unit; }
    void clear() override { commands_->on_clear(); }
    std::string sample_run(std::string_view name) override { return std::string(name); }
    void open_file(int entry, std::string_view name) override {
        panel_->file_chosen = name.empty() ? std::nullopt : std::optional<std::string>(name);
        commands_->on_open(entry);
    }
    void drop_files(const std::vector<std::string>& names) override { commands_->on_files_dropped(names); }
    void restart(int tool) override {
        commands_.reset();
        panel_ = std::make_unique<MemoryPanel>();
        commands_ = std::make_unique<ToolboxCommands>(*panel_, memory_);
        commands_->open(quorran::tools()[static_cast<std::size_t>(tool)].name, Units::Km);
        panel_->highlighted_tool = panel_->shown_tool;
    }

private:
    SampleRuns runs_;
    KeptInMemory memory_;
    std::unique_ptr<MemoryPanel> panel_;
    std::unique_ptr<ToolboxCommands> commands_;
};

TEST(Panel, Behaviour) {
    MemoryProbe probe;
    for (const auto& failure : testing::check_panel_behaviour(probe)) ADD_FAILURE() << failure;
}

// Alt+letter reaches every entry of every tool, each by a letter of its own, none of
// them the window's own (Tool, Result, Print…); the command line's own fields are not shown.
TEST(Panel, EveryEntryHasAMnemonicOfItsOwn) {
    const auto letter = [](std::string_view label) { return static_cast<char>(std::tolower(label[label.find('&') + 1])); };
    std::set<char> own;
    for (const std::string_view label : PANEL_OWN_LABELS) EXPECT_TRUE(own.insert(letter(label)).second) << label;
    for (const Tool& tool : tools()) {
        std::set<char> letters = own;
        for (const EntryField& f : entry_fields(tool)) {
            const auto at = f.label.find('&');
            ASSERT_NE(at, std::string::npos) << tool.name << " " << f.label;
            EXPECT_TRUE(letters.insert(letter(f.label)).second) << tool.name << " " << f.label;
        }
    }
    EXPECT_EQ(entry_fields(*find_tool("pace")).size(), 2u);  // distance and time: not the unit flag
    // The window offers the band's every document, so --band, which picks one to print, is no entry.
    for (const EntryField& f : entry_fields(*find_tool("plan"))) EXPECT_NE(f.name, "band");
    // A word's first letter first: "Riegel exponent" takes the e of exponent, its R being Result's.
    std::vector<std::string> predict;
    for (const EntryField& f : entry_fields(*find_tool("predict"))) predict.push_back(f.label);
    EXPECT_EQ(predict, (std::vector<std::string>{"&Distance", "T&ime", "&Model", "Riegel &exponent", "&Predict for"}));
}

// A phone's number pad for a number that cannot be negative; the full keyboard for a
// negative split, a time or a distance.
TEST(Panel, InputHints) {
    std::vector<std::string> hints;
    for (const std::string_view tool : {"predict", "plan"})
        for (const EntryField& f : entry_fields(*find_tool(tool)))
            if (f.kind == EntryKind::Text) hints.push_back(f.name + " " + f.input_hint);
    EXPECT_EQ(hints, (std::vector<std::string>{"distance text", "time text", "exponent decimal", "for text", "distance text",
                                               "time text", "every text", "negative text", "title text"}));
}

// An empty entry is yet to come: the window opens with no mark, and marks a zero once
// it is typed.
TEST(Panel, AnEmptyEntryIsNotMarkedButAZeroIs) {
    MemoryProbe probe;
    EXPECT_EQ(probe.mark(0), "");
    probe.enter(0, "0");
    EXPECT_EQ(probe.mark(0), "must be at least 100 m");
}

// A run is its race within 3 % of the race's distance either way, and not beyond.
TEST(Panel, ARunIsItsRaceWithinThreePerCent) {
    const struct {
        double run, race;
        bool same;
    } cases[] = {{10300, 10000, true},  {10300.5, 10000, false}, {9700, 10000, true}, {9699.5, 10000, false},
                 {43460, 42195, true}, {21097.5, 20000, false}, {16093.44, 15000, false}, {NO_NUMBER, 10000, false}};
    for (const auto& c : cases) EXPECT_EQ(run_is_the_race(c.run, c.race), c.same) << c.run << " " << c.race;
}

TEST(Panel, CopiesTheReportAsTabSeparatedText) {
    const Report r = run_tool(*find_tool("distance"), {{"time", "1:00:00"}, {"pace", "1:30/km"}}).report;
    EXPECT_EQ(report_tsv(r), "miles\t24.85 !\nkm\t40.00 !\n\n! 1:00:00 at 1:30 /km is faster than the world record over its "
                             "distance (1:53:46)\n");
    const Report laps = run_tool(*find_tool("laps"), {{"pace", "4:00/km"}}).report;
    EXPECT_TRUE(report_tsv(laps).starts_with("pace\t4:00 /km\nlap in lane 1\t1:36.0\n\nLanes\nlane\tmetres\tlap\n1\t400.00\t1:36.0\n2\t407.04\t1:37.7\n"));
}

}  // namespace
}  // namespace quorran
