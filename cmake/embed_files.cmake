# Writes a C++ source that holds files as bytes, so that a test program finds them on
# every platform it runs on (under Wine, under Node.js) without a file system path.
#   cmake -DROOT=dir -DOUTPUT=file.cpp -P embed_files.cmake
# Every file under ROOT becomes a quorran::testing::EmbeddedFile named by its path there.
file(GLOB_RECURSE files RELATIVE ${ROOT} ${ROOT}/*)
list(SORT files)
set(arrays "")
set(entries "")
set(index 0)
foreach(name IN LISTS files)
    file(READ ${ROOT}/${name} hex HEX)
    string(LENGTH "${hex}" digits)
    math(EXPR size "${digits} / 2")
    # A byte more than the file's, so that an empty file still makes an array.
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    string(REGEX REPLACE "((0x..,){24})" "\\1\n" bytes "${bytes}")
    string(APPEND arrays "const unsigned char file_${index}[] = {\n${bytes}0};\n")
    string(APPEND entries "    {\"${name}\", {reinterpret_cast<const char*>(file_${index}), ${size}}},\n")
    math(EXPR index "${index} + 1")
endforeach()
set(text "// Written by cmake/embed_files.cmake from ${ROOT}: do not edit.\n#include \"tests/embedded_files.h\"\n\nnamespace quorran::testing {\nnamespace {\n\n${arrays}\n}  // namespace\n\nconst std::vector<EmbeddedFile>& embedded_files() {\n    static const std::vector<EmbeddedFile> files{\n${entries}    };\n    return files;\n}\n\n}  // namespace quorran::testing\n")
# Rewritten only when it changes, so that nothing rebuilds for nothing.
if(EXISTS ${OUTPUT})
    file(READ ${OUTPUT} old)
    if(old STREQUAL text)
        return()
    endif()
endif()
file(WRITE ${OUTPUT} "${text}")
