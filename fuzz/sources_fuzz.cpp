// SPDX-License-Identifier: MIT
// The data compiler's source reader on any text: no crash, and sources it accepts build
// a file that the program's whole-file reader accepts and exports back to sources that
// build the same bytes. The input holds the source files one after another, separated by
// the byte 0x01, in the order of kNames.
#include "data/raw_data.h"
#include "data/sources.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

constexpr const char* kNames[] = {"edition.txt",  "areas.txt",       "districts.txt",
                                  "stations.txt", "trains-down.txt", "trains-up.txt",
                                  "keiyo.txt",    "fares.txt",       "hotels.txt"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ravolin::data;
  const std::string_view in(reinterpret_cast<const char*>(data), size);
  SourceFiles files;
  std::size_t pos = 0;
  for (const char* name : kNames) {
    if (pos > in.size()) break;
    const std::size_t end = std::min(in.find('\x01', pos), in.size());
    files[name] = std::string(in.substr(pos, end - pos));
    pos = end + 1;
  }
  auto raw = std::make_unique<RawData>();
  std::vector<SourceError> errors;
  if (!parse_sources(files, *raw, errors)) {
    if (errors.empty()) std::abort();  // a refusal always names at least one error
    return 0;
  }
  std::vector<std::uint8_t> bytes;
  std::string reason;
  if (!write_image(*raw, bytes, reason)) {
    // The source reader checks every bound of the layout first.
    std::fprintf(stderr, "accepted sources do not compile: %s\n", reason.c_str());
    std::abort();
  }
  const DataFile file("fuzz.dat", bytes);
  auto back = std::make_unique<RawData>();
  DataError err;
  if (!read_image(file, *back, err)) {
    std::fprintf(stderr, "the compiler's own file is refused: %s\n", err.message().c_str());
    std::abort();
  }
  auto again = std::make_unique<RawData>();
  std::vector<std::uint8_t> rebuilt;
  if (!parse_sources(write_sources(*back), *again, errors) ||
      !write_image(*again, rebuilt, reason) || rebuilt != bytes) {
    std::fprintf(stderr, "export -> build changed the file\n");
    std::abort();
  }
  return 0;
}
