#include "tests/view_behaviour.h"

#include "core/dialog/control_ids.h"
#include "core/dialog/messages.h"

namespace quorran::testing {

using Texts = std::vector<std::string>;

Texts check_view_behaviour(DialogProbe& d) {
    Texts failures;
    const auto check = [&failures](bool ok, const std::string& what) { if (!ok) failures.push_back(what); };
    const auto box = [](std::string_view kind, std::string_view text) {
        return Texts{std::string(MESSAGE_CAPTION) + " | " + std::string(kind) + " | " + std::string(text)};
    };
    // What a command may change. Where the focus goes once a message box is closed is the
    // window system's business.
    const auto state = [&d] {
        Texts all{d.shown(IDC_PACE_RESULT), d.shown(IDC_FINISH_RESULT), d.shown(IDC_SPLITS), d.shown(IDC_OTHER_FORMATS)};
        for (const int list : {IDC_SPLITS, IDC_OTHER_FORMATS})
            for (const auto& item : d.items(list)) all.push_back(item);
        return all;
    };

    // As the dialog opens.
    for (const int id : {IDC_PACE_MILES, IDC_FINISH_MILES, IDC_PER_MILE, IDC_PACE_KM, IDC_FINISH_KM, IDC_PER_KM})
        check(d.checked(id) == (id == IDC_PACE_MILES || id == IDC_FINISH_MILES || id == IDC_PER_MILE), "radio " + std::to_string(id));
    check(d.items(IDC_SPLITS) == Texts{"Splits"} && d.items(IDC_OTHER_FORMATS) == Texts{"Other Formats"}, "placeholders");
    check(d.shown(IDC_SPLITS) + "|" + d.shown(IDC_OTHER_FORMATS) == "Splits|Other Formats", "placeholders shown");
    check(d.focus() == IDC_PACE_DISTANCE, "focus on opening");

    // A warning changes nothing else; About informs.
    d.type(IDC_PACE_HOURS, "1");
    const Texts before = state();
    d.command(IDC_PACE_CALCULATE);
    check(d.boxes() == box("warning", DISTANCE_ZERO_WARNING) && state() == before, "a warning and nothing else");
    d.command(IDC_ABOUT);
    check(d.boxes() == box("information", ABOUT_TEXT), "About box");

    // Each calculation shows its result and its list's chosen line, and takes the focus back.
    const struct {
        std::vector<std::pair<int, std::string>> entries;  // distance first
        int button, result, list;
        std::string text;
        std::size_t rows, shown_row;
    } runs[] = {
        {{{IDC_PACE_DISTANCE, "10"}, {IDC_PACE_HOURS, "1"}, {IDC_PACE_MINUTES, "21"}, {IDC_PACE_SECONDS, "52.5"}},
         IDC_PACE_CALCULATE, IDC_PACE_RESULT, IDC_OTHER_FORMATS, " 8:11.3 per mile", 9, 1},
        {{{IDC_FINISH_DISTANCE, "2.5"}, {IDC_FINISH_PACE_MINUTES, "6"}}, IDC_FINISH_CALCULATE, IDC_FINISH_RESULT, IDC_SPLITS,
         "15 mins, 0.0 secs", 3, 0},
    };
    for (const auto& run : runs) {
        for (const auto& [id, text] : run.entries) d.type(id, text);
        d.view().set_focus(IDC_ABOUT);
        d.command(run.button);
        const Texts items = d.items(run.list);
        check(d.shown(run.result) == run.text && items.size() == run.rows && d.shown(run.list) == items.at(run.shown_row) &&
                  d.focus() == run.entries[0].first && d.boxes().empty(),
              "command " + std::to_string(run.button));
    }
    // A race of 2 miles empties the Splits list, its edit field too.
    d.type(IDC_FINISH_DISTANCE, "2");
    d.command(IDC_FINISH_CALCULATE);
    check(d.shown(IDC_FINISH_RESULT) == "12 mins, 0.0 secs" && d.items(IDC_SPLITS).empty() && d.shown(IDC_SPLITS).empty(),
          "2 miles, no splits");

    // An entry is read as its first 79 characters.
    d.type(IDC_PACE_DISTANCE, std::string(100, '7'));
    check(d.view().get_text(IDC_PACE_DISTANCE) == std::string(79, '7'), "get_text, 79 characters");

    // The search starts after the index and wraps round, ignoring case; adding selects
    // nothing, and no match changes nothing.
    CalculatorView& view = d.view();
    view.list_clear(IDC_SPLITS);
    for (const char* item : {"Splits", "Other", "5 km", "sub-3"}) view.list_add(IDC_SPLITS, item);
    check(d.shown(IDC_SPLITS).empty(), "adding selects nothing");
    const struct { int after; std::string_view prefix; std::string shown; } searches[] = {
        {-1, "s", "Splits"}, {0, "S", "sub-3"}, {3, "sp", "Splits"}, {1, "O", "Other"}, {0, "x", "Other"}};
    for (const auto& s : searches) {
        view.list_select_prefix(IDC_SPLITS, s.after, s.prefix);
        check(d.shown(IDC_SPLITS) == s.shown, "select \"" + std::string(s.prefix) + "\" after " + std::to_string(s.after));
    }

    check(d.open(), "open before Close");
    d.command(IDC_CLOSE);
    check(!d.open(), "Close ends the dialog");
    return failures;
}

}  // namespace quorran::testing
