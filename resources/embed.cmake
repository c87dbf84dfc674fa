# Writes OUTPUT: one byte array per resource and the table that resources.cpp searches.
# ENTRIES: TYPE:NUMBER:PATH items separated by "|"; PATH is relative to SOURCE_DIR.
string(REPLACE "|" ";" entries "${ENTRIES}")
set(arrays "")
set(table "")
set(index 0)
foreach(entry IN LISTS entries)
  string(REPLACE ":" ";" parts "${entry}")
  list(GET parts 0 type)
  list(GET parts 1 number)
  list(GET parts 2 path)
  file(READ "${SOURCE_DIR}/${path}" hex HEX)
  file(SIZE "${SOURCE_DIR}/${path}" size)
  string(REGEX REPLACE "(................................)" "\\1\n" hex "${hex}")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(APPEND arrays "// ${path}\nconst std::uint8_t data${index}[] = {\n${bytes}};\n\n")
  string(APPEND table "    {u\"${type}\", ${number}, data${index}, ${size}},\n")
  math(EXPR index "${index} + 1")
endforeach()
file(WRITE "${OUTPUT}" "// Generated from the files in resources/ by embed.cmake. Do not edit.
#include \"resource_table.h\"

namespace resources {
namespace {

${arrays}}  // namespace

const ResourceEntry resourceTable[] = {
${table}};
const std::size_t resourceCount = ${index};

}  // namespace resources
")
