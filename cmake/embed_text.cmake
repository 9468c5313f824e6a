# A text file as a C++ constant, for tests that run where no file can be read (the core
# suite under Wine and under Node.js): quorran_embed_text(TARGET NAME FILE HEADER) writes
# HEADER, holding `inline constexpr std::string_view NAME`, into the build folder, made
# again whenever FILE changes, and puts it on TARGET's include path.
function(quorran_embed_text target name file header)
    file(READ ${file} text)
    set(folder ${CMAKE_CURRENT_BINARY_DIR}/embedded)
    file(CONFIGURE OUTPUT ${folder}/${header} CONTENT
        "#pragma once\n#include <string_view>\ninline constexpr std::string_view ${name} = R\"quorran_text(${text})quorran_text\";\n")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${file})
    target_include_directories(${target} PRIVATE ${folder})
endfunction()
