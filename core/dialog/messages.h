#pragma once

#include <string_view>

// Every text the program says to the user in a message box.
namespace quorran {

inline constexpr std::string_view MESSAGE_CAPTION = "Quorix";
inline constexpr std::string_view DISTANCE_ZERO_WARNING = "Distance cannot be zero.";
inline constexpr std::string_view TIME_ZERO_WARNING = "Time cannot be zero.";

inline constexpr std::string_view ABOUT_TEXT =
    "Quorran Time Calculator, 03 Jan 2003\n"
    "Written by the Quorran team for runners\n"
    "who check their numbers against a watch.\n"
    "Paces, finish times and splits, to the tenth.\n"
    "Free to use, copy and share.\n"
    "\n"
    "Use m for marathon, h for half-marathon\n"
    "Fractional times and distances are allowed\n"
    "Empty fields are treated as zero";

// The placeholders the two lists hold until the first result.
inline constexpr std::string_view SPLITS_PLACEHOLDER = "Splits";
inline constexpr std::string_view OTHER_FORMATS_PLACEHOLDER = "Other Formats";

}  // namespace quorran
