// SPDX-License-Identifier: MIT
// Read-only access to the data file ravolinh.dat: the whole file is held in memory and
// every read is bounds-checked, so a short or damaged file becomes a DataError naming
// the file, the section and the reason instead of a read outside the buffer.
#pragma once

#include "text/message.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace ravolin::data {

inline constexpr std::size_t kBlockSize = 1024;

struct DataError {
  std::string file;       // path or name of the data file
  text::Message section;  // e.g. "京葉線列車の部（目次の 4 番）"
  text::Message reason;
  // "データファイル <file> の <section> が不正です: <reason>", or without a section
  // (a missing or unreadable file) "データファイル <file>: <reason>"; in English for the
  // English windows and tool.
  std::string message(text::Language language = text::Language::kJapanese) const;
};

class DataFile {
 public:
  DataFile() = default;
  // A file held in memory (tests, the tool); `name` is used in error messages.
  DataFile(std::string name, std::vector<std::uint8_t> bytes);

  // Reads the whole file. A missing or unreadable file is an error.
  bool open(const std::string& path, DataError& err);
  void close();

  const std::string& name() const { return name_; }
  std::size_t size() const { return bytes_.size(); }
  const std::vector<std::uint8_t>& bytes() const { return bytes_; }
  // True when [offset, offset + n) lies inside the file.
  bool has(std::size_t offset, std::size_t n) const {
    return offset <= bytes_.size() && n <= bytes_.size() - offset;
  }
  const std::uint8_t* at(std::size_t offset) const { return bytes_.data() + offset; }

  // Called by the readers once per block they finish, so a window can process pending
  // events during loading. Empty by default.
  std::function<void()> block_hook;

 private:
  std::string name_;
  std::vector<std::uint8_t> bytes_;
};

// Float-coded count: the float's value when its magnitude is in [1, 2^24), rounded to the
// nearest integer with ties to even; 0 for anything else (0.0, |x| < 1, huge, NaN, inf).
std::int32_t float_count(float f);

// A positioned reader over a DataFile for one section. Every method returns false after
// filling the DataError (file, section, reason) when the read would leave the file or the
// data does not decode.
class Cursor {
 public:
  Cursor(const DataFile& file, text::Message section, DataError& err)
      : file_(file), section_(std::move(section)), err_(err) {}

  bool seek(std::size_t offset);
  bool seek_block(std::int64_t block);
  std::size_t pos() const { return pos_; }
  // The first block boundary at or after the current position.
  std::int64_t block_at_or_after() const {
    return static_cast<std::int64_t>((pos_ + kBlockSize - 1) / kBlockSize);
  }

  bool u8(std::uint8_t& v);
  bool u16(std::uint16_t& v);
  bool i32(std::int32_t& v);
  bool u32(std::uint32_t& v);
  bool f32(float& v);
  // A packed 32-bit record: the top byte must be below 128.
  bool packed(std::int32_t& v);
  // n single-byte characters, converted to UTF-8 (kept with their blanks).
  bool fixed_text(std::size_t n, std::string& utf8);
  // Type tag 8, 16-bit length, CP932 text; converted to UTF-8.
  bool framed(std::string& utf8);

  bool fail(text::Message reason) const;
  void block_done() const {
    if (file_.block_hook) file_.block_hook();
  }
  const DataFile& file() const { return file_; }

 private:
  bool need(std::size_t n, const text::Wording& what);
  const DataFile& file_;
  text::Message section_;
  DataError& err_;
  std::size_t pos_ = 0;
};

// True when v fits a 16-bit signed integer.
inline bool fits16(std::int64_t v) { return v >= -32768 && v <= 32767; }

}  // namespace ravolin::data
