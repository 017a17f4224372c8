# Turns the resources listed in a .rc file (lines `<number> PNG "<path from the source top>"`)
# into a C++ table of bytes, so non-Windows builds carry the same images as a Windows library.
#   cmake -DRC_FILE=<rc> -DSOURCE_DIR=<source top> -DOUTPUT=<cpp> -P EmbedResources.cmake
file(STRINGS "${RC_FILE}" entries REGEX "^[0-9]+[ \t]+PNG[ \t]+\"[^\"]+\"")
set(arrays "")
set(table "")
string(REPEAT "[0-9a-f]" 48 line_of_digits)  # 24 bytes to a line
foreach(entry IN LISTS entries)
  string(REGEX MATCH "^([0-9]+)[ \t]+PNG[ \t]+\"([^\"]+)\"" _ "${entry}")
  set(id ${CMAKE_MATCH_1})
  set(name ${CMAKE_MATCH_2})
  set(path "${SOURCE_DIR}/${name}")
  if(NOT EXISTS "${path}")
    message(FATAL_ERROR "resource ${id}: ${path} does not exist")
  endif()
  file(READ "${path}" hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR size "${digits} / 2")
  string(REGEX REPLACE "(${line_of_digits})" "\\1\n    " bytes "${hex}")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${bytes}")
  string(APPEND arrays "// ${name}\nconst uint8_t kResource${id}[${size}] = {\n    ${bytes}\n};\n\n")
  string(APPEND table "    {${id}, kResource${id}, ${size}},\n")
endforeach()

file(WRITE "${OUTPUT}.tmp" "// Generated from ${RC_FILE}; do not edit.
#include \"resources/EmbeddedResources.h\"

namespace {

${arrays}const EmbeddedResource kResources[] = {
${table}};

}  // namespace

const EmbeddedResource* FindEmbeddedResource(int32_t id) {
  for (const EmbeddedResource& resource : kResources) {
    if (resource.id == id) return &resource;
  }
  return nullptr;
}
")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
