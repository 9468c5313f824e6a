# Writes OUTPUT: the module's LOADER with its WebAssembly (WASM) in hexadecimal digits,
# as the global quorranRunWasm, which the page hands the module as its binary.
file(READ ${LOADER} loader)
file(READ ${WASM} wasm HEX)
file(WRITE ${OUTPUT} "${loader}\nvar quorranRunWasm = '${wasm}';\n")
