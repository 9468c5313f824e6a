# Writes the core's age-grading table from the council's files, at build time:
#   cmake -DDATA=data/age-grade-2025 -DOUTPUT=age_grade_table.cpp -P age_grade_table.cmake
# Each AgeGrade.<event> file holds the men's and the women's open standard (H:MM:SS) and
# then one factor per sex and age, 5 to 99 (SOURCE.md there). Every line is checked;
# anything else stops the build. The two marathon files (26m, 42k) must agree and
# make one event. Blanks at the end of a line are allowed (the revised men's mile has them).
cmake_minimum_required(VERSION 3.25)

set(youngest 5)
set(oldest 99)

# The distance and name of an event from its file suffix.
function(event_of suffix metres_var name_var)
    if(suffix STREQUAL "26m" OR suffix STREQUAL "42k")
        set(metres "MARATHON_METRES")
        set(name "marathon")
    elseif(suffix STREQUAL "hm")
        set(metres "HALF_MARATHON_METRES")
        set(name "half marathon")
    elseif(suffix MATCHES "^([1-9][0-9]*)k$")
        set(metres "${CMAKE_MATCH_1} * METRES_PER_KM")
        set(name "${CMAKE_MATCH_1} km")
    elseif(suffix MATCHES "^([1-9][0-9]*)mi$")
        set(metres "${CMAKE_MATCH_1} * METRES_PER_MILE")
        if(CMAKE_MATCH_1 EQUAL 1)
            set(name "1 mile")
        else()
            set(name "${CMAKE_MATCH_1} miles")
        endif()
    else()
        message(FATAL_ERROR "${DATA}/AgeGrade.${suffix}: no event of that name")
    endif()
    set(${metres_var} "${metres}" PARENT_SCOPE)
    set(${name_var} "${name}" PARENT_SCOPE)
endfunction()

# "M  0:26:24" as seconds.
function(open_standard file line sex seconds_var)
    if(NOT line MATCHES "^${sex} +([0-9]+):([0-5][0-9]):([0-5][0-9]) *$")
        message(FATAL_ERROR "${file}: '${line}' is not the ${sex} open standard as H:MM:SS")
    endif()
    math(EXPR seconds "${CMAKE_MATCH_1} * 3600 + ${CMAKE_MATCH_2} * 60 + ${CMAKE_MATCH_3}")
    set(${seconds_var} ${seconds} PARENT_SCOPE)
endfunction()

# The factors of one sex, ages 5 to 99 in order, as ten-thousandths.
function(factors file lines first sex factors_var)
    set(values "")
    set(at ${first})
    foreach(age RANGE ${youngest} ${oldest})
        list(GET lines ${at} line)
        if(NOT line MATCHES "^${sex} +${age} +([01])\\.([0-9][0-9][0-9][0-9]) *$")
            message(FATAL_ERROR "${file}: line ${at} '${line}' is not the ${sex} factor at ${age} as 0.NNNN")
        endif()
        math(EXPR value "${CMAKE_MATCH_1}${CMAKE_MATCH_2}")
        if(value EQUAL 0 OR value GREATER 10000)
            message(FATAL_ERROR "${file}: the ${sex} factor at ${age} is outside (0, 1]")
        endif()
        list(APPEND values ${value})
        math(EXPR at "${at} + 1")
    endforeach()
    list(JOIN values ", " joined)
    set(${factors_var} "${joined}" PARENT_SCOPE)
endfunction()

file(GLOB files LIST_DIRECTORIES false "${DATA}/AgeGrade.*")
list(SORT files)
if(NOT files)
    message(FATAL_ERROR "${DATA}: no AgeGrade files")
endif()
math(EXPR ages "${oldest} - ${youngest} + 1")
math(EXPR lines_wanted "2 + 2 * ${ages}")

set(events "")
set(seen_metres "")
set(seen_files "")
foreach(file IN LISTS files)
    get_filename_component(name "${file}" NAME)
    string(REGEX REPLACE "^AgeGrade\\." "" suffix "${name}")
    event_of(${suffix} metres event_name)
    list(FIND seen_metres "${metres}" seen)
    if(NOT seen EQUAL -1)
        list(GET seen_files ${seen} twin)
        file(READ "${twin}" twin_text)
        file(READ "${file}" text)
        if(NOT text STREQUAL twin_text)
            message(FATAL_ERROR "${file} and ${twin} are the same event but differ")
        endif()
        continue()
    endif()
    list(APPEND seen_metres "${metres}")
    list(APPEND seen_files "${file}")

    file(STRINGS "${file}" lines)  # carriage returns are dropped
    list(LENGTH lines count)
    if(NOT count EQUAL lines_wanted)
        message(FATAL_ERROR "${file}: ${count} lines, not ${lines_wanted}")
    endif()
    list(GET lines 0 men_line)
    list(GET lines 1 women_line)
    open_standard("${file}" "${men_line}" M men_open)
    open_standard("${file}" "${women_line}" F women_open)
    factors("${file}" "${lines}" 2 M men)
    math(EXPR women_first "2 + ${ages}")
    factors("${file}" "${lines}" ${women_first} F women)
    string(APPEND events
        "    {\"${event_name}\", \"${suffix}\", ${metres}, {${men_open}, ${women_open}},\n"
        "     {{{${men}},\n"
        "       {${women}}}}},\n")
endforeach()

file(RELATIVE_PATH data_name "${CMAKE_CURRENT_LIST_DIR}/.." "${DATA}")
set(source "// Made from ${data_name}/ by cmake/age_grade_table.cmake when the program is built:
// do not edit. The factors are the tables' own, in ten-thousandths.
#include \"core/running/age_grade.h\"
#include \"core/running/race_distances.h\"

namespace quorran {
namespace {

static_assert(AGE_GRADE_YOUNGEST == ${youngest} && AGE_GRADE_OLDEST == ${oldest}, \"the tables' ages\");

constexpr AgeGradeEvent EVENTS[] = {
${events}};

}  // namespace

std::span<const AgeGradeEvent> age_grade_events() { return EVENTS; }

}  // namespace quorran
")
file(WRITE "${OUTPUT}" "${source}")
