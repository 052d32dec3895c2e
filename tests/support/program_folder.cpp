// SPDX-License-Identifier: MIT
#include "support/program_folder.h"

#include "data/tables.h"
#include "support/data_builder.h"
#include "text/text.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

namespace ravolin::test_support {
namespace fs = std::filesystem;

std::string to_cp932_crlf(const std::string& utf8) {
  std::string crlf;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if (utf8[i] == '\n' && (i == 0 || utf8[i - 1] != '\r')) crlf += '\r';
    crlf += utf8[i];
  }
  auto c = text::utf8_to_cp932(crlf);
  if (!c) {
    ADD_FAILURE() << "settings text does not convert to CP932";
    return crlf;
  }
  return *c;
}

ProgramFolder::ProgramFolder() {
  std::string tmpl = (fs::temp_directory_path() / "ravolin-test-XXXXXX").string();
  if (!mkdtemp(tmpl.data())) ADD_FAILURE() << "cannot create a temporary folder";
  path_ = tmpl;
}

ProgramFolder::ProgramFolder(const data::SourceFiles& sources,
                             std::optional<std::string> settings_utf8)
    : ProgramFolder() {
  auto raw = std::make_unique<data::RawData>();
  std::vector<data::SourceError> errors;
  if (data::parse_sources(sources, *raw, errors)) {
    if (const auto* ed = data::find_edition(raw->edition)) settings_name_ = ed->settings_file;
  }
  write_data_file(data_path(), sources);
  if (settings_utf8) write_settings(*settings_utf8);
}

ProgramFolder::~ProgramFolder() {
  std::error_code ec;
  if (!path_.empty()) fs::remove_all(path_, ec);
}

void ProgramFolder::write_settings(const std::string& utf8) {
  write_file(settings_name_, to_cp932_crlf(utf8));
}

void ProgramFolder::write_file(const std::string& name, const std::string& bytes) {
  std::ofstream out(file(name), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) ADD_FAILURE() << "cannot write " << file(name);
}

std::string read_whole_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

std::string ProgramFolder::read_file(const std::string& name) const {
  return read_whole_file(file(name));
}

std::string ProgramFolder::read_text(const std::string& name) const {
  return text::cp932_to_utf8_lossy(read_file(name));
}

bool ProgramFolder::exists(const std::string& name) const {
  std::error_code ec;
  return fs::exists(file(name), ec);
}

}  // namespace ravolin::test_support
