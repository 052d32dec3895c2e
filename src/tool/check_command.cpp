// SPDX-License-Identifier: MIT
// ravolin-tool check: the plausibility of the timetables of a data file or of its sources.
#include "data/plausibility.h"
#include "data/raw_data.h"
#include "data/sources.h"
#include "tool/commands.h"

#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

namespace ravolin::tool {

void print_findings(const std::vector<data::Finding>& findings, const std::string& where,
                    const char* prefix, std::FILE* to) {
  std::map<std::string, int> per_kind;
  for (const auto& f : findings) {
    std::fprintf(to, "%s%s: %s\n", prefix, where.c_str(), f.text.c_str());
    ++per_kind[data::finding_kind_name(f.kind)];
  }
  if (findings.empty()) return;
  std::string summary;
  for (const auto& [kind, n] : per_kind)
    summary += (summary.empty() ? "" : ", ") + std::to_string(n) + " " + kind;
  std::fprintf(to, "%s%s: %zu finding(s): %s\n", prefix, where.c_str(), findings.size(),
               summary.c_str());
}

int cmd_check(const Args& args) {
  if (args.size() != 1) {
    std::fputs("ravolin-tool check: usage: ravolin-tool check FILE.dat|SRC_DIR\n", stderr);
    return 2;
  }
  const std::string& path = args[0];
  auto raw = std::make_unique<data::RawData>();
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) {
    data::SourceFiles files;
    std::string error;
    if (!data::read_source_dir(path, files, error)) {
      std::fprintf(stderr, "ravolin-tool check: %s\n", error.c_str());
      return 2;
    }
    std::vector<data::SourceError> errors;
    if (!data::parse_sources(files, *raw, errors)) {
      for (const auto& e : errors)
        std::fprintf(stderr, "ravolin-tool check: %s/%s\n", path.c_str(), e.message().c_str());
      std::fprintf(stderr, "ravolin-tool check: %zu error(s) in %s\n", errors.size(), path.c_str());
      return 2;
    }
  } else {
    data::DataError err;
    data::DataFile file;
    if (!file.open(path, err) || !data::read_image(file, *raw, err)) {
      std::fprintf(stderr, "ravolin-tool check: %s\n", err.message().c_str());
      return 2;
    }
  }
  auto findings = data::check_plausibility(*raw);
  print_findings(findings, path, "", stdout);
  if (findings.empty()) std::fprintf(stdout, "%s: no findings\n", path.c_str());
  return findings.empty() ? 0 : 1;
}

}  // namespace ravolin::tool
