# Writes SITE/sw.js from TEMPLATE: the cache is named after a digest of the FILES of
# the site (comma-separated, relative to SITE), which it holds together with "./".
string(REPLACE "," ";" files "${FILES}")
set(digests "")
set(quoted "\"./\"")
foreach(file IN LISTS files)
    file(SHA256 ${SITE}/${file} digest)
    string(APPEND digests "${file} ${digest}\n")
    string(APPEND quoted ", \"${file}\"")
endforeach()
string(SHA256 SITE_DIGEST "${digests}")
string(SUBSTRING "${SITE_DIGEST}" 0 16 SITE_DIGEST)
set(SITE_FILES "${quoted}")
configure_file(${TEMPLATE} ${SITE}/sw.js @ONLY)
