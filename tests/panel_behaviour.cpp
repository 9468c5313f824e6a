#include "tests/panel_behaviour.h"

#include <algorithm>

#include "core/toolbox/tool_panel.h"
#include "tests/memory_panel.h"

namespace quorran::testing {

using Texts = std::vector<std::string>;

namespace {

int index_of(std::string_view name) {
    const Tool* tool = find_tool(name);
    return static_cast<int>(tool - tools().data());
}

int entry_of(std::string_view tool, std::string_view param) {
    const auto fields = entry_fields(*find_tool(tool));
    return static_cast<int>(std::find_if(fields.begin(), fields.end(), [&](const EntryField& f) { return f.name == param; }) -
                            fields.begin());
}

// What the table's tool answers for these entries, as the window should show it.
Report answer(std::string_view tool, const Entries& entries) { return run_tool(*find_tool(tool), entries).report; }

// The main answer of a report, blanks around it left out.
std::string main_of(const Report& report) {
    const Headline* h = report.main_headline();
    if (!h) return {};
    const std::string& text = h->cell.text;
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

Texts check_panel_behaviour(PanelProbe& p) {
    Texts failures;
    const auto check = [&failures](bool ok, const std::string& what) { if (!ok) failures.push_back(what); };

    // Every tool of the table, by title; the first is shown at first. The units: miles,
    // whatever the locale of the machine running the suite.
    Texts titles;
    for (const Tool& t : tools()) titles.emplace_back(t.title);
    check(p.tools() == titles, "the tools listed");
    check(p.chosen_tool() == 0, "the first tool shown");
    p.choose_units(Units::Miles);

    // Predict: its entries by label with their defaults, nothing to show until the
    // race is entered, then the table's answer, following the entries as they change.
    const int predict = index_of("predict"), distance = entry_of("predict", "distance"), time = entry_of("predict", "time"),
              model = entry_of("predict", "model"), exponent = entry_of("predict", "exponent");
    p.choose_tool(predict);
    Texts labels;
    for (const EntryField& f : entry_fields(*find_tool("predict"), Units::Miles)) labels.push_back(without_mnemonic(f.label));
    check(p.chosen_tool() == predict && p.labels() == labels, "predict's entries");
    check(p.entry_shown(model) == "riegel" && p.entry_shown(exponent) == "1.06" && p.entry_shown(distance).empty(),
          "predict's defaults");
    check(p.report().empty(), "no report before the race is entered");
    p.enter(distance, "5k");
    check(p.mark(distance).empty() && p.mark(time).empty(), "an entry yet to come is not marked");
    p.enter(time, "20:00");
    const Texts five_k = report_texts(answer("predict", {{"distance", "5k"}, {"time", "20:00"}}));
    check(p.report() == five_k && p.report_current(), "a 20:00 5 km predicts as the table does");
    // The tool shown chosen again, or no tool chosen: it stays as it is, entries and
    // report, and the list highlights it again.
    p.choose_tool(predict);
    check(p.chosen_tool() == predict && p.entry_shown(distance) == "5k" && p.report() == five_k, "predict chosen again");
    p.choose_no_tool();
    check(p.chosen_tool() == predict && p.entry_shown(distance) == "5k" && p.report() == five_k, "no tool chosen");

    // A wrong entry is marked in words; the last good report stays, greyed, until it is mended.
    p.enter(time, "0:00");
    check(p.mark(time) == "must be above zero" && !p.report_current() && p.report() == five_k, "a zero time");
    p.enter(time, "20:61");
    check(p.mark(time).starts_with("is not a time") && p.report() == five_k, "a time with 61 seconds");
    p.enter(time, "19:30");
    check(p.mark(time).empty() && p.report_current() &&
              p.report() == report_texts(answer("predict", {{"distance", "5k"}, {"time", "19:30"}})),
          "a mended time");
    // A refusal that two entries make together marks the one given last in the table.
    p.enter(model, "cameron");
    p.enter(exponent, "1.1");
    check(p.mark(exponent) == "is for Riegel's model only" && !p.report_current(), "an exponent with Cameron");
    p.enter(exponent, "1.06");
    check(p.mark(exponent).empty() &&
              p.report() == report_texts(answer("predict", {{"distance", "5k"}, {"time", "19:30"}, {"model", "cameron"}})),
          "Cameron's curve, the exponent back at its default");

    // Copy gives the report shown as tab-separated text.
    p.copy();
    check(p.clipboard() == report_tsv(answer("predict", {{"distance", "5k"}, {"time", "19:30"}, {"model", "cameron"}})),
          "copy");

    check(p.main_answer() == main_of(answer("predict", {{"distance", "5k"}, {"time", "19:30"}, {"model", "cameron"}})),
          "the marathon's prediction, the main answer");

    // The race carries from tool to tool by its entries' names: Pace, VDOT and Split plan
    // show the 5 km in 19:30 typed in Race prediction, and answer for it.
    const int pace = index_of("pace"), pace_distance = entry_of("pace", "distance"), pace_time = entry_of("pace", "time");
    p.choose_tool(pace);
    check(p.entry_shown(pace_distance) == "5k" && p.entry_shown(pace_time) == "19:30" &&
              p.report() == report_texts(answer("pace", {{"distance", "5k"}, {"time", "19:30"}})),
          "the race carried to Pace");
    check(p.main_answer() == "3:54.0 per km", "a race in km: the pace per km, the main answer");
    for (const char* tool : {"vdot", "plan"}) {
        p.choose_tool(index_of(tool));
        check(p.entry_shown(entry_of(tool, "distance")) == "5k" && p.entry_shown(entry_of(tool, "time")) == "19:30" &&
                  p.report() == report_texts(answer(tool, {{"distance", "5k"}, {"time", "19:30"}})),
              std::string("the race carried to ") + tool);
    }
    // Age grading takes the race's distance as its event, and waits for the runner.
    const int grading = index_of("agegrade");
    p.choose_tool(grading);
    check(p.entry_shown(entry_of("agegrade", "distance")) == "5k" && p.mark(entry_of("agegrade", "sex")).empty() &&
              p.report().empty(),
          "the race carried to Age grading, which waits for the runner");

    // Distance: a speed beyond the world record is flagged in the value itself, with its note.
    const int how_far = index_of("distance");
    p.choose_tool(how_far);
    p.enter(entry_of("distance", "time"), "1:00:00");
    p.enter(entry_of("distance", "pace"), "1:30/km");
    const Texts flagged = report_texts(answer("distance", {{"time", "1:00:00"}, {"pace", "1:30/km"}}));
    check(p.report() == flagged && p.report().at(1) == "24.85 !" &&
              p.report().back().find("is faster than the world record") != std::string::npos,
          "a flagged distance");
    p.enter(entry_of("distance", "pace"), "3:00/km");
    check(p.report() == report_texts(answer("distance", {{"time", "1:00:00"}, {"pace", "3:00/km"}})) &&
              p.report().at(1) == "12.43" && p.main_answer() == "20.00",
          "a distance within the record, in km as its pace");

    // Pace: the dialog's texts, its marathon shortcut, a zero time refused beside the entry.
    p.choose_tool(pace);
    p.enter(pace_distance, "10km");
    p.enter(pace_time, "45:00");
    check(p.report() == report_texts(answer("pace", {{"distance", "10km"}, {"time", "45:00"}})) &&
              p.report().front() == " 7:14.5 per mile",
          "10 km in 45:00");
    p.press_shortcut(pace_distance, 0);
    p.enter(pace_time, "3:30:00");
    check(p.entry_shown(pace_distance) == "marathon" && p.report().front() == " 8:00.6 per mile", "the marathon shortcut");
    p.enter(pace_time, "0:00:00");
    check(p.mark(pace_time) == "must be above zero" && !p.report_current(), "a zero time");
    p.enter(pace_time, "3:30:00");

    // One unit setting: shown beside each entry a bare value takes it, and read so.
    check(p.units() == Units::Miles && p.unit_beside(pace_distance) == "mi" && p.unit_beside(pace_time).empty(),
          "miles, beside the distance");
    const int laps = index_of("laps"), lap_pace = entry_of("laps", "pace");
    p.choose_tool(laps);
    p.enter(lap_pace, "4:00");
    check(p.unit_beside(lap_pace) == "/mi" && p.report() == report_texts(answer("laps", {{"pace", "4:00"}})),
          "a bare pace per mile");
    p.choose_units(Units::Km);
    check(p.units() == Units::Km && p.unit_beside(lap_pace) == "/km" && p.entry_shown(lap_pace) == "4:00" &&
              p.report() == report_texts(answer("laps", {{"pace", "4:00"}, {"per_km", ""}, {"km", ""}})),
          "a bare pace per km, once km are the units");
    for (const std::string& label : p.labels()) check(label.find("Bare") == std::string::npos, "no unit flag among the entries");

    // What the window keeps stays for the next run: the units and the entries.
    p.restart(laps);
    check(p.units() == Units::Km && p.chosen_tool() == laps && p.entry_shown(lap_pace) == "4:00" &&
              p.report() == report_texts(answer("laps", {{"pace", "4:00"}, {"per_km", ""}, {"km", ""}})),
          "the units and the entries kept from one run to the next");
    // Clear forgets the entries, not the units.
    p.clear();
    check(p.entry_shown(lap_pace).empty() && p.report().empty() && p.units() == Units::Km, "clear");
    p.choose_tool(pace);
    check(p.entry_shown(pace_distance).empty() && p.entry_shown(pace_time).empty(), "clear, for every tool");

    // A recorded run, 10.25 km by its watch: dropped on the window from Pace, the run tool
    // takes it, and the split plan made last, for 10 km, is offered as its goal.
    const int run = index_of("run"), run_file = entry_of("run", "file"), goal = entry_of("run", "plan"),
              run_negative = entry_of("run", "negative"), plan = index_of("plan");
    const std::string sample = p.sample_run("fit/compressed-speed-distance.fit");
    const auto run_answer = [&](Entries entries) {
        entries.insert(entries.begin(), {{"file", sample}, {"km", ""}});
        return answer("run", entries);
    };
    p.choose_tool(plan);
    p.enter(entry_of("plan", "distance"), "10k");
    p.enter(entry_of("plan", "time"), "50:00");
    p.enter(entry_of("plan", "negative"), "2");
    p.choose_tool(pace);
    p.drop_files({sample});
    const Report planned = run_answer({{"plan", "50:00"}, {"negative", "2"}});
    check(p.chosen_tool() == run && p.entry_shown(run_file) == sample && p.entry_shown(goal) == "50:00" &&
              p.entry_shown(run_negative) == "2" && p.report() == report_texts(planned) &&
              p.main_answer() == main_of(planned) && p.main_answer() == "10.25 km",
          "a run dropped, with the plan for its race");
    // The runner clears the goal: the run alone, the splits as the table makes them.
    p.enter(goal, "");
    p.enter(run_negative, "");
    const Report alone = run_answer({});
    check(p.entry_shown(goal).empty() && p.report() == report_texts(alone) && p.main_answer() == main_of(alone),
          "the plan cleared");
    // Open… cancelled changes nothing; the run opened again, with Open…, dropped on its own
    // tool or its name typed, is offered the plan again while its goal is empty.
    p.open_file(run_file, "");
    check(p.entry_shown(run_file) == sample && p.entry_shown(goal).empty(), "Open… cancelled");
    if (p.opens_files_by_name()) p.enter(run_file, "");
    p.open_file(run_file, sample);
    check(p.entry_shown(run_file) == sample && p.entry_shown(goal) == "50:00" && p.report() == report_texts(planned),
          "a run opened with Open…");
    p.enter(goal, "");
    p.drop_files({sample});
    check(p.chosen_tool() == run && p.entry_shown(goal) == "50:00", "a run dropped on its own tool");
    if (p.opens_files_by_name()) {
        p.enter(goal, "");
        p.enter(run_file, "");
        p.enter(run_file, sample);
        check(p.entry_shown(goal) == "50:00" && p.report() == report_texts(planned), "a run by its name");
    }
    p.enter(goal, "49:00");
    p.drop_files({sample});
    check(p.entry_shown(goal) == "49:00", "a goal typed is kept");
    // A plan for another race is not offered; one with no negative split is offered so.
    p.enter(goal, "");
    p.enter(run_negative, "");
    p.choose_tool(plan);
    p.enter(entry_of("plan", "distance"), "5k");
    p.enter(entry_of("plan", "time"), "20:00");
    p.drop_files({sample});
    check(p.entry_shown(goal).empty() && p.report() == report_texts(alone), "a plan for another race is not offered");
    p.choose_tool(plan);
    p.enter(entry_of("plan", "distance"), "10km");
    p.enter(entry_of("plan", "time"), "50:00");
    p.drop_files({sample});
    check(p.entry_shown(goal) == "50:00" && p.entry_shown(run_negative) == "0", "a plan with an even split");
    // Two files dropped at once open neither; Clear forgets the plan too.
    p.choose_tool(pace);
    p.drop_files({sample, sample});
    check(p.chosen_tool() == pace, "two files dropped");
    p.clear();
    p.drop_files({sample});
    check(p.chosen_tool() == run && p.entry_shown(goal).empty() && p.report() == report_texts(alone), "the plan cleared with Clear");
    p.clear();  // the window left as the suite found it: no file kept
    return failures;
}

}  // namespace quorran::testing
