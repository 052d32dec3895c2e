// SPDX-License-Identifier: MIT
// A temporary program folder for tests: ravolinh.dat compiled from text sources and,
// optionally, the edition's settings file; the folder is removed on destruction.
//
//   test_support::ProgramFolder dir(test_support::small_sources(1),
//                                   "[Keiyo_line]\nkeiyo_use=1\n");
//   dir.path();            // "/tmp/ravolin-test-XXXXXX"
//   dir.settings_path();   // ".../ravolin2.ini" (edition 1), ravolin3.ini, ravolin4.ini
//
// Settings text is given as UTF-8 with "\n" line ends and written as CP932 with CR LF.
#pragma once

#include "data/sources.h"

#include <optional>
#include <string>

namespace ravolin::test_support {

class ProgramFolder {
 public:
  // Compiles `sources` into <folder>/ravolinh.dat (a test failure if they do not compile)
  // and writes the settings file when `settings_utf8` is given.
  explicit ProgramFolder(const data::SourceFiles& sources,
                         std::optional<std::string> settings_utf8 = std::nullopt);
  // An empty folder (no data file).
  ProgramFolder();
  ~ProgramFolder();
  ProgramFolder(const ProgramFolder&) = delete;
  ProgramFolder& operator=(const ProgramFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }
  std::string data_path() const { return file("ravolinh.dat"); }
  // ravolin2.ini / ravolin3.ini / ravolin4.ini after the sources' edition.
  std::string settings_path() const { return file(settings_name_); }
  const std::string& settings_name() const { return settings_name_; }

  // Writes the settings file (UTF-8 -> CP932, "\n" -> CR LF).
  void write_settings(const std::string& utf8);
  // Writes any file byte for byte.
  void write_file(const std::string& name, const std::string& bytes);
  // The bytes of a file ("" when missing); read_text converts CP932 to UTF-8.
  std::string read_file(const std::string& name) const;
  std::string read_text(const std::string& name) const;
  bool exists(const std::string& name) const;

 private:
  std::string path_;
  std::string settings_name_ = "ravolin2.ini";
};

// The bytes of any file; empty when it cannot be read.
std::string read_whole_file(const std::string& path);

// "\n" -> "\r\n" (existing CR LF kept) and UTF-8 -> CP932.
std::string to_cp932_crlf(const std::string& utf8);

}  // namespace ravolin::test_support
