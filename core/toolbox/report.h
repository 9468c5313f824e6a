#pragma once

#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/drawing/drawing.h"

// What a tool answers, free of any way of showing it: headline values, tables and
// notes. Every number comes twice: unrounded, in a named unit, for programs, and as the
// text a runner reads. The command line prints it as aligned text or JSON; the windows
// and the page draw it.
namespace quorran {

struct Param;
enum class Audience;

// The unit of a number in a report. Each has one short name, used by JSON and by headers.
enum class Unit {
    None,             // a name or a text: the cell has no number
    Seconds,          // s
    Metres,           // m
    Miles,            // mi
    Kilometres,       // km
    SecondsPerKm,     // s/km
    SecondsPerMile,   // s/mi
    MinutesPerMile,   // min/mi
    KmPerHour,        // km/h
    MilesPerHour,     // mph
    MetresPerSecond,  // m/s
    MetresPerMinute,  // m/min
    FeetPerSecond,    // ft/s
    FeetPerMinute,    // ft/min
    Percent,          // %
    BeatsPerMinute,   // bpm: a heart rate
    StepsPerMinute,   // spm: a cadence
    MlPerKgMin,       // ml/kg/min: oxygen per kilogram a minute (a VDOT)
    Count,            // a plain number: a lane, a factor
};

// The unit's short name, as JSON and headers give it; empty for None.
std::string_view unit_name(Unit unit);

inline constexpr double NO_NUMBER = std::numeric_limits<double>::quiet_NaN();

struct Cell {
    std::string text{};            // as shown
    double value = NO_NUMBER;    // unrounded, in the column's (or headline's) unit
    std::string_view flag = {};  // the key of the note that applies to this cell, if any
};

struct Headline {
    std::string_view key{};  // JSON key, and the name a screen reader gives the value
    std::string label{};     // "VDOT"
    Unit unit{};
    Cell cell{};
    // The text already says what it is (" 8:00.6 per mile"): shown without its label.
    bool self_described = false;
    // The tool's main answer: what a runner asked it for, shown first and largest. A
    // report has at most one.
    bool main = false;
};

struct Column {
    std::string_view key{};    // JSON key
    std::string label{};       // header, naming the unit: "time", "per mile", "metres"
    Unit unit{};
    bool names = false;        // its cells are names ("5 km"), read from the left
};

struct Table {
    std::string_view key{};
    std::string title{};  // may be empty
    std::vector<Column> columns{};
    std::vector<std::vector<Cell>> rows{};
    // Each row as one line of its own, when the rows have a layout of their own (the
    // dialog's Splits rows); empty otherwise.
    std::vector<std::string> lines{};
};

enum class NoteKind {
    Flag,     // a value runners should doubt: outside a model's range, faster than a record
    Credit,   // where figures come from
    Reading,  // how an entry was read, when that may surprise
};

struct Note {
    std::string_view key{};
    NoteKind kind{};
    std::string text{};
    std::string_view mark = {};  // the sign flagged cells carry in text ("*"), if any
};

// A file a tool makes besides its report, to be saved or printed as it is (a pace band).
struct Document {
    std::string_view key{};  // "svg", "csv", "text": what a param that chooses documents names
    std::string file_name{};   // "pace-band.svg"
    std::string media_type{};  // "image/svg+xml", "text/csv", "text/plain"
    std::string text{};
    bool printable = false;    // drawn to its true size on paper (an SVG in mm)
};

struct Report {
    // Its texts are the pace dialog's own: the command line prints them as they are, with
    // no mark, and its notes apart, on standard error.
    bool notes_apart = false;
    std::vector<Headline> headlines{};
    std::vector<Table> tables{};
    std::vector<Note> notes{};
    std::vector<Document> documents{};
    // Pictures of what the tables hold (a pace band, a run's chart), which each front end
    // paints with its own toolkit; a printable SVG of each is among the documents.
    std::vector<Drawing> drawings{};

    bool has_note(std::string_view key) const;
    // The main answer, if the report has one.
    const Headline* main_headline() const;
    // The note that flags the cell, if any.
    const Note* note_flagging(const Cell& cell) const;
};

// The report with its notes said to the audience: the entries they name as {name} said as
// the command line or a window names them (words.h).
Report said_to(const Report& report, std::span<const Param> params, Audience audience);

// A value as every front end shows and copies it: with the mark of the note that flags
// it ("24.85 !"), so a flag reaches a reader whatever the window.
std::string shown_text(const Cell& cell, const Report& report);
// A note as shown, its mark first: "! faster than the world record ...".
std::string shown_text(const Note& note);

}  // namespace quorran
