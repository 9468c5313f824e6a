# Runs quorran-cli once and checks what it printed and how it ended.
#   CLI            the program
#   ARGS           its arguments, separated by '|' (a field may then be empty)
#   LONG_ARG       if set, one more argument: this text repeated to 10,000 characters
#   EXIT           the expected exit status
#   STDOUT_FILE    if set, standard output must equal this file
#   LAST_LINE      if set, the last line of standard output
#   STDERR         if set, standard error must be exactly this line
#   STDERR_MATCH   if set, standard error must match this regular expression
# A refused call (exit 2) prints nothing on standard output; JSON output must parse.
string(REPLACE "|" ";" args "${ARGS}")
if(DEFINED LONG_ARG)
    string(REPEAT "${LONG_ARG}" 10000 long)
    string(SUBSTRING "${long}" 0 10000 long)
    list(APPEND args "${long}")
endif()
execute_process(COMMAND ${CLI} ${args} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)

if(NOT status STREQUAL EXIT)
    message(FATAL_ERROR "exit status ${status}, expected ${EXIT}\nstdout:\n${out}\nstderr:\n${err}")
endif()
if(DEFINED STDOUT_FILE)
    file(READ "${STDOUT_FILE}" expected)
    if(NOT out STREQUAL expected)
        message(FATAL_ERROR "stdout differs from ${STDOUT_FILE}:\n${out}")
    endif()
endif()
if(DEFINED LAST_LINE)
    string(REGEX REPLACE "\n$" "" trimmed "${out}")
    string(REGEX REPLACE ".*\n" "" last "${trimmed}")
    if(NOT last STREQUAL LAST_LINE)
        message(FATAL_ERROR "last line '${last}', expected '${LAST_LINE}'")
    endif()
endif()
if(DEFINED STDERR AND NOT err STREQUAL "${STDERR}\n")
    message(FATAL_ERROR "stderr '${err}', expected '${STDERR}'")
endif()
if(DEFINED STDERR_MATCH AND NOT err MATCHES "${STDERR_MATCH}")
    message(FATAL_ERROR "stderr '${err}' does not match '${STDERR_MATCH}'")
endif()
if(EXIT STREQUAL "2" AND NOT out STREQUAL "")
    message(FATAL_ERROR "a refused call printed on standard output:\n${out}")
endif()
if(out MATCHES "^{")
    string(JSON type ERROR_VARIABLE json_error TYPE "${out}")
    if(json_error)
        message(FATAL_ERROR "not JSON: ${json_error}\n${out}")
    endif()
endif()
