# Writes a C++ source holding raw data files as byte arrays, registered by name.
# -DGROUP=<name> -DOUT=<file> -DITEMS="NAME=path|NAME=path"
string(REPLACE "|" ";" items "${ITEMS}")
set(body "")
set(table "")
set(i 0)
foreach(item IN LISTS items)
  string(FIND "${item}" "=" eq)
  string(SUBSTRING "${item}" 0 ${eq} rname)
  math(EXPR from "${eq} + 1")
  string(SUBSTRING "${item}" ${from} -1 rfile)
  file(READ "${rfile}" hex HEX)
  string(LENGTH "${hex}" hexlen)
  math(EXPR size "${hexlen} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "((0x..,){32})" "\\1\n" bytes "${bytes}")
  string(APPEND body "static const unsigned char kData${i}[] = {\n${bytes}0};\n")
  string(APPEND table "  zemblo::RegisterResource(\"${rname}\", std::string_view(reinterpret_cast<const char*>(kData${i}), ${size}));\n")
  math(EXPR i "${i} + 1")
endforeach()
file(WRITE "${OUT}.tmp"
"// Generated from the data files at build time; do not edit.\n"
"#include \"platform/Resources.h\"\n"
"namespace {\n${body}}\n"
"namespace zemblo {\nvoid RegisterResources_${GROUP}() {\n  static bool done = false;\n  if (done) return;\n  done = true;\n${table}}\n}\n")
file(COPY_FILE "${OUT}.tmp" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.tmp")
