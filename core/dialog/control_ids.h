#pragma once

// Identifiers of the dialog's controls that the command flows address.
namespace quorran {

inline constexpr int IDC_ABOUT = 1000;
inline constexpr int IDC_CLOSE = 1001;

inline constexpr int IDC_PACE_DISTANCE = 1002;
inline constexpr int IDC_PACE_MILES = 1004;
inline constexpr int IDC_PACE_KM = 1005;
inline constexpr int IDC_PACE_HOURS = 1006;
inline constexpr int IDC_PACE_MINUTES = 1008;
inline constexpr int IDC_PACE_SECONDS = 1010;
inline constexpr int IDC_PACE_CALCULATE = 1012;
inline constexpr int IDC_PACE_RESULT = 1013;

inline constexpr int IDC_FINISH_DISTANCE = 1014;
inline constexpr int IDC_FINISH_MILES = 1016;
inline constexpr int IDC_FINISH_KM = 1017;
inline constexpr int IDC_FINISH_PACE_MINUTES = 1020;
inline constexpr int IDC_FINISH_PACE_SECONDS = 1022;
inline constexpr int IDC_FINISH_CALCULATE = 1024;
inline constexpr int IDC_FINISH_RESULT = 1025;
inline constexpr int IDC_SPLITS = 1027;
inline constexpr int IDC_PER_MILE = 1029;
inline constexpr int IDC_PER_KM = 1030;
inline constexpr int IDC_OTHER_FORMATS = 1031;

}  // namespace quorran
