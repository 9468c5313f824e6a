# Writes SITE/sw.js from TEMPLATE: the cache is named after a digest of the FILES of
# the site (comma-separated, relative to SITE), which it holds; the page, index.html,
# is fetched as "./", the address a visit has just fetched it by.
string(REPLACE "," ";" files "${FILES}")
set(digests "")
set(quoted "")
foreach(file IN LISTS files)
    file(SHA256 ${SITE}/${file} digest)
    string(APPEND digests "${file} ${digest}\n")
    if(file STREQUAL "index.html")
        set(file "./")
    endif()
    list(APPEND quoted "\"${file}\"")
endforeach()
string(SHA256 SITE_DIGEST "${digests}")
string(SUBSTRING "${SITE_DIGEST}" 0 16 SITE_DIGEST)
list(JOIN quoted ", " SITE_FILES)
configure_file(${TEMPLATE} ${SITE}/sw.js @ONLY)
