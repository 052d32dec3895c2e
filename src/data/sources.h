// SPDX-License-Identifier: MIT
// The text sources of a data file (format in docs/data-format.md): parsing them into the
// raw model, writing them from it, and the folder they live in.
#pragma once

#include "data/raw_data.h"

#include <map>
#include <string>
#include <vector>

namespace ravolin::data {

// File name ("stations.txt") -> UTF-8 text.
using SourceFiles = std::map<std::string, std::string>;

struct SourceError {
  std::string file;
  int line = 0;  // 0 when the error concerns the whole file
  std::string reason;
  std::string message() const;  // "stations.txt:12: reason"
};

// Parses every source file. Missing optional files (keiyo.txt, hotels.txt) mean empty
// tables. Returns false with at least one error (each with file and line) when anything is
// wrong; `raw` is then unspecified.
bool parse_sources(const SourceFiles& files, RawData& raw, std::vector<SourceError>& errors);

// The sources of a model; parse_sources of the result gives the same model back (up to
// pad blanks of fixed-width fields), so that compiling it again gives the same bytes.
SourceFiles write_sources(const RawData& raw);

// Reads the known source files of a folder (those that exist).
bool read_source_dir(const std::string& dir, SourceFiles& files, std::string& error);
// Writes every file into `dir` (created when missing).
bool write_source_dir(const std::string& dir, const SourceFiles& files, std::string& error);

// Writes bytes to `path` through a temporary file in the same folder and a rename, so
// that a failure never leaves a partial file behind.
bool write_file_atomic(const std::string& path, const std::string& bytes, std::string& error);

}  // namespace ravolin::data
