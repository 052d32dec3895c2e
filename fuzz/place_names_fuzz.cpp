// SPDX-License-Identifier: MIT
// The English place-name reader on any bytes: no crash; a refusal says why, names the line
// and leaves the names read before untouched; every name it accepts is found again by its
// English form.
#include "data/place_names.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ravolin;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  data::PlaceNames names;
  names.add("東京", "Tokyo");  // read before: a refusal must leave it as it is
  data::PlaceNamesError error;
  if (!data::read_place_names(text, "names.txt", names, error)) {
    if (error.reason.empty() || error.line < 1) std::abort();
    if (names.size() != 1 || names.japanese_of("tokyo") != "東京") std::abort();
    return 0;
  }
  // Typed text of any kind is looked up without harm.
  (void)names.japanese_of(std::string(text.substr(0, 64)));
  (void)names.shown(std::string(text.substr(0, 64)), text::Language::kEnglish);
  return 0;
}
