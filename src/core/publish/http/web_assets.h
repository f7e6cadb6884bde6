#pragma once
// The dashboard's files, built into the program from resources/web (and the
// chart library) so that nothing is read from the disk or fetched from
// anywhere when the page is served.
#include <cstddef>
#include <span>
#include <string_view>

namespace skyvane {

struct WebAsset {
  std::string_view path;  // the URL path it is served at, e.g. "/app.js"
  std::string_view contentType;
  const unsigned char* data;
  std::size_t size;
  std::string_view Text() const { return {reinterpret_cast<const char*>(data), size}; }
};

std::span<const WebAsset> WebAssets();

}  // namespace skyvane
