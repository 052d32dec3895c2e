// SPDX-License-Identifier: MIT
// Building data files for tests from text sources written in the test (the format of
// docs/data-format.md).
//
//   auto src = test_support::small_sources();          // a small valid corridor, edition 1
//   src["trains-down.txt"] = "train N001\n東京 06:00\n新大阪 08:30\n";
//   std::vector<std::uint8_t> bytes = test_support::build_data(src);
//   data::DataFile file = test_support::as_file(bytes);
//
// build_data reports source errors as a test failure (ADD_FAILURE) and returns no bytes.
#pragma once

#include "data/data_file.h"
#include "data/sources.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ravolin::test_support {

// A small, valid edition (1 = 東海道・山陽新幹線, 2, 3) with every file present:
// areas 東京／羽田, 東京／成田, 名古屋, 新大阪; districts 京橋, 名駅, 梅田;
// stations 東京, 品川, 名古屋 (着/発), 新大阪 in direction 1 and the reverse in direction 2;
// three down and two up trains; Keiyo schedules 1 and 2 with two trains each; one fare of
// each kind; three hotels. In editions 2 and 3 there is no [nozomi] section and car types
// are "M". Tests replace single files to get what they need.
data::SourceFiles small_sources(int edition = 1);

// Only the required files, all empty except edition.txt: a file without any data.
data::SourceFiles empty_sources(int edition = 1);

// Compiles sources; on an error adds a test failure naming it and returns {}.
std::vector<std::uint8_t> build_data(const data::SourceFiles& files);
// Compiles sources; returns the errors ("file:line: reason") instead of failing.
std::vector<std::string> build_errors(const data::SourceFiles& files);
// Compiles and writes `path`; false (and a test failure) on any error.
bool write_data_file(const std::string& path, const data::SourceFiles& files);

data::DataFile as_file(std::vector<std::uint8_t> bytes, std::string name = "ravolinh.dat");

// Byte patches for damaged-file tests (little-endian, offsets are byte offsets).
void put_u32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t v);
void put_f32(std::vector<std::uint8_t>& bytes, std::size_t offset, float v);
std::uint32_t get_u32(const std::vector<std::uint8_t>& bytes, std::size_t offset);
// Directory slots 1..24 (in the last block).
std::int32_t get_slot(const std::vector<std::uint8_t>& bytes, int slot);
void set_slot(std::vector<std::uint8_t>& bytes, int slot, std::int32_t v);
// Byte offset of block `block` + `offset`.
inline std::size_t at_block(std::int64_t block, std::size_t offset = 0) {
  return static_cast<std::size_t>(block) * data::kBlockSize + offset;
}

}  // namespace ravolin::test_support
