# Writes OUTPUT, a C++ source that holds the files of ASSETS as byte arrays:
# ASSETS holds "url-path|file" entries separated by "!"; the content type
# follows from the file's extension. Run by cmake -P at
# build time, so the program carries its web page and needs no files beside it.
set(body "")
set(table "")
set(index 0)
string(REPLACE "!" ";" entries "${ASSETS}")
foreach(entry ${entries})
  string(REPLACE "|" ";" parts "${entry}")
  list(GET parts 0 url)
  list(GET parts 1 file)
  get_filename_component(ext "${file}" LAST_EXT)
  if(ext STREQUAL ".html")
    set(type "text/html; charset=utf-8")
  elseif(ext STREQUAL ".js")
    set(type "text/javascript; charset=utf-8")
  elseif(ext STREQUAL ".css")
    set(type "text/css; charset=utf-8")
  elseif(ext STREQUAL ".svg")
    set(type "image/svg+xml")
  else()
    message(FATAL_ERROR "no content type for ${file}")
  endif()
  file(READ "${file}" hex HEX)
  string(LENGTH "${hex}" hexLength)
  math(EXPR size "${hexLength} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(APPEND body "const unsigned char kAsset${index}[] = {${bytes}0x00};\n")
  string(APPEND table "    {\"${url}\", \"${type}\", kAsset${index}, ${size}},\n")
  math(EXPR index "${index} + 1")
endforeach()
file(WRITE "${OUTPUT}.tmp"
"// Generated from resources/web at build time; do not edit.
#include \"core/publish/http/web_assets.h\"

namespace skyvane {
namespace {
${body}
constexpr WebAsset kAssets[] = {
${table}};
}  // namespace

std::span<const WebAsset> WebAssets() { return kAssets; }

}  // namespace skyvane
")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
