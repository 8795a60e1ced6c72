# Writes a C++ source that carries a file's bytes, for a raw-data resource compiled into the
# program. Run as: cmake -DINPUT=<file> -DOUTPUT=<source> -DHEADER=<header to include>
#                        -DFUNCTION=<function in namespace zeft> -P EmbedResource.cmake
foreach(var INPUT OUTPUT HEADER FUNCTION)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "EmbedResource.cmake needs -D${var}=...")
    endif()
endforeach()

file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hexLength)
math(EXPR size "${hexLength} / 2")
# Every byte as a \xHH escape; a backslash always follows two digits, so no escape runs on.
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "\\\\x\\1" escaped "${hex}")
# 64 bytes to a line.
string(REPEAT "." 256 line)
string(REGEX REPLACE "(${line})" "\\1\"\n    \"" escaped "${escaped}")
get_filename_component(inputName "${INPUT}" NAME)

file(WRITE "${OUTPUT}.tmp" "// Generated at build time from ${inputName}; do not edit.
#include \"${HEADER}\"

namespace zeft {

namespace {

const char Bytes[] =
    \"${escaped}\";

} // namespace

std::span<const std::uint8_t> ${FUNCTION}() {
    return {reinterpret_cast<const std::uint8_t*>(Bytes), ${size}u};
}

} // namespace zeft
")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
