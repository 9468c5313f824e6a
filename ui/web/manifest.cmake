# Writes OUTPUT from TEMPLATE: the web app manifest, with the shortcuts that PROGRAM,
# run by EMULATOR, prints for the TOOLS named (comma-separated).
string(REPLACE "," ";" TOOLS "${TOOLS}")
execute_process(COMMAND ${EMULATOR} ${PROGRAM} ${TOOLS} OUTPUT_VARIABLE SHORTCUTS RESULT_VARIABLE failed
                OUTPUT_STRIP_TRAILING_WHITESPACE)
if(failed)
    message(FATAL_ERROR "${PROGRAM} could not write the shortcuts of ${TOOLS}")
endif()
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
