// SPDX-License-Identifier: MIT
#include "data/data_file.h"

#include "files/replace_file.h"
#include "text/text.h"

#include <cmath>
#include <cstring>
#include <utility>

namespace ravolin::data {

std::string DataError::message() const {
  if (section.empty()) return "データファイル " + file + ": " + reason;
  return "データファイル " + file + " の " + section + " が不正です: " + reason;
}

DataFile::DataFile(std::string name, std::vector<std::uint8_t> bytes)
    : name_(std::move(name)), bytes_(std::move(bytes)) {}

bool DataFile::open(const std::string& path, DataError& err) {
  name_ = path;
  bytes_.clear();
  const settings::FileRead r = settings::read_regular_file(path, settings::kMaxDataFileBytes);
  if (!r.ok) {
    std::string reason = r.failure;
    reason += "（";
    reason += r.reason;
    reason += "）";
    err = {path, "", std::move(reason)};
    return false;
  }
  bytes_.assign(r.bytes.begin(), r.bytes.end());
  return true;
}

void DataFile::close() {
  bytes_.clear();
  bytes_.shrink_to_fit();
}

std::int32_t float_count(float f) {
  if (!std::isfinite(f)) return 0;
  float a = std::fabs(f);
  if (a < 1.0f || a >= 16777216.0f) return 0;
  return static_cast<std::int32_t>(std::nearbyint(static_cast<double>(f)));
}

bool Cursor::fail(const std::string& reason) const {
  err_ = {file_.name(), section_, reason};
  return false;
}

bool Cursor::need(std::size_t n, const char* what) {
  if (file_.has(pos_, n)) return true;
  return fail(std::string(what) + " がファイルの終わりを越えています（先頭から " +
              std::to_string(pos_) + " バイト目）");
}

bool Cursor::seek(std::size_t offset) {
  if (offset > file_.size())
    return fail("先頭から " + std::to_string(offset) + " バイト目はファイルの外です（ファイルは " +
                std::to_string(file_.size()) + " バイト）");
  pos_ = offset;
  return true;
}

bool Cursor::seek_block(std::int64_t block) {
  if (block < 0) return fail("ブロック番号 " + std::to_string(block) + " が負です");
  return seek(static_cast<std::size_t>(block) * kBlockSize);
}

bool Cursor::u8(std::uint8_t& v) {
  if (!need(1, "レコード")) return false;
  v = *file_.at(pos_);
  pos_ += 1;
  return true;
}

bool Cursor::u16(std::uint16_t& v) {
  if (!need(2, "レコード")) return false;
  const std::uint8_t* p = file_.at(pos_);
  v = static_cast<std::uint16_t>(p[0] | (p[1] << 8));
  pos_ += 2;
  return true;
}

bool Cursor::u32(std::uint32_t& v) {
  if (!need(4, "レコード")) return false;
  const std::uint8_t* p = file_.at(pos_);
  v = static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
      (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
  pos_ += 4;
  return true;
}

bool Cursor::i32(std::int32_t& v) {
  std::uint32_t u = 0;
  if (!u32(u)) return false;
  v = static_cast<std::int32_t>(u);
  return true;
}

bool Cursor::packed(std::int32_t& v) {
  std::size_t at = pos_;
  std::uint32_t u = 0;
  if (!u32(u)) return false;
  if (u >= 0x80000000u)
    return fail("圧縮レコードの最上位バイトが 128 以上です（先頭から " + std::to_string(at) +
                " バイト目）");
  v = static_cast<std::int32_t>(u);
  return true;
}

bool Cursor::f32(float& v) {
  std::uint32_t u = 0;
  if (!u32(u)) return false;
  std::memcpy(&v, &u, sizeof v);
  return true;
}

bool Cursor::fixed_text(std::size_t n, std::string& utf8) {
  if (!need(n, "固定長フィールド")) return false;
  std::string_view raw(reinterpret_cast<const char*>(file_.at(pos_)), n);
  auto conv = text::cp932_to_utf8(raw);
  if (!conv)
    return fail("文字コードを変換できない固定長フィールドがあります（先頭から " +
                std::to_string(pos_) + " バイト目）");
  utf8 = std::move(*conv);
  pos_ += n;
  return true;
}

bool Cursor::framed(std::string& utf8) {
  std::size_t at = pos_;
  std::uint16_t tag = 0, len = 0;
  if (!u16(tag) || !u16(len)) return false;
  if (tag != 8)
    return fail("文字列の型タグが 8 ではありません（先頭から " + std::to_string(at) +
                " バイト目）");
  if (!need(len, "文字列")) return false;
  std::string_view raw(reinterpret_cast<const char*>(file_.at(pos_)), len);
  auto conv = text::cp932_to_utf8(raw);
  if (!conv)
    return fail("文字コードを変換できない文字列があります（先頭から " + std::to_string(at) +
                " バイト目）");
  utf8 = std::move(*conv);
  pos_ += len;
  return true;
}

}  // namespace ravolin::data
