// SPDX-License-Identifier: MIT
// The help-file parser on any bytes: no crash, and a file it accepts, written out again
// from what was parsed, parses to the same preface and topics.
#include "gui/common/help_file.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string write_back(const ravolin::ui::HelpFile& f) {
  std::string out = "\xEF\xBB\xBF" + f.preface + "\n";
  for (const auto& t : f.topics) {
    out += "@topic " + std::to_string(t.number) + " " + t.title + "\n";
    out += t.text + "\n";
  }
  return out;
}

bool same(const ravolin::ui::HelpFile& a, const ravolin::ui::HelpFile& b) {
  if (a.preface != b.preface || a.topics.size() != b.topics.size()) return false;
  for (std::size_t i = 0; i < a.topics.size(); ++i) {
    const auto& x = a.topics[i];
    const auto& y = b.topics[i];
    if (x.number != y.number || x.title != y.title || x.text != y.text) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ravolin::ui;
  HelpFile first;
  ravolin::text::Message error;
  if (!parse_help_file(std::string_view(reinterpret_cast<const char*>(data), size), first, error)) {
    if (error.empty()) std::abort();  // a refusal always says why
    return 0;
  }
  HelpFile again;
  if (!parse_help_file(write_back(first), again, error) || !same(first, again)) {
    std::fprintf(stderr, "parse -> write -> parse changed the help file: %s\n",
                 error.in(ravolin::text::Language::kEnglish).c_str());
    std::abort();
  }
  return 0;
}
