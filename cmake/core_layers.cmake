# Checks which folders of the core include which: each domain may include itself and the
# domains listed for it, and nothing else, so no arrow runs back up.
#   cmake -DCORE=core -P core_layers.cmake
cmake_minimum_required(VERSION 3.25)

# Each domain and the domains below it that it may include.
set(numbers_may "")
set(dialog_may numbers)
set(drawing_may numbers)
set(running_may numbers dialog drawing)    # dialog: its ClockTime record
set(recorded_may numbers running drawing)
set(toolbox_may numbers running drawing)   # the machinery: never a single tool
set(tools_may numbers dialog drawing running recorded toolbox)
set(domains numbers dialog drawing running recorded toolbox tools)

file(GLOB folders LIST_DIRECTORIES true RELATIVE ${CORE} ${CORE}/*)
set(problems "")
foreach(folder IN LISTS folders)
    if(IS_DIRECTORY ${CORE}/${folder} AND NOT folder IN_LIST domains)
        string(APPEND problems "core/${folder}/ is no known domain: give it a line in cmake/core_layers.cmake\n")
    endif()
endforeach()
foreach(domain IN LISTS domains)
    file(GLOB files ${CORE}/${domain}/*.h ${CORE}/${domain}/*.cpp)
    foreach(file IN LISTS files)
        file(STRINGS ${file} includes REGEX "^#include \"core/")
        foreach(line IN LISTS includes)
            string(REGEX REPLACE "^#include \"core/([a-z_]+)/.*" "\\1" target "${line}")
            if(NOT target STREQUAL domain AND NOT target IN_LIST ${domain}_may)
                file(RELATIVE_PATH shown ${CORE}/.. ${file})
                string(APPEND problems "${shown}: ${line} (core/${domain}/ may include only ${${domain}_may})\n")
            endif()
        endforeach()
    endforeach()
endforeach()
if(problems)
    message(FATAL_ERROR "Includes against the core's layers:\n${problems}")
endif()
message(STATUS "The core's folders include only the domains below them")
