// SPDX-License-Identifier: MIT
#include "data/data_file.h"

#include "files/replace_file.h"
#include "text/text.h"

#include <cmath>
#include <cstring>
#include <utility>

namespace ravolin::data {
namespace {

constexpr text::Wording kFileReason{"データファイル {1}: {2}", "Data file {1}: {2}"};
constexpr text::Wording kSectionReason{"データファイル {1} の {2} が不正です: {3}",
                                       "Data file {1}: {2} is damaged: {3}"};
constexpr text::Wording kCannotOpen{"ファイルを開けません（{1}）", "cannot open the file ({1})"};
constexpr text::Wording kCannotRead{"ファイルを読めません（{1}）", "cannot read the file ({1})"};
constexpr text::Wording kRecord{"レコード", "a record"};
constexpr text::Wording kFixedField{"固定長フィールド", "a fixed-length field"};
constexpr text::Wording kFramedText{"文字列", "a text"};
constexpr text::Wording kPastEnd{"{1} がファイルの終わりを越えています（先頭から {2} バイト目）",
                                 "{1} runs past the end of the file (at byte {2})"};
constexpr text::Wording kOutside{"先頭から {1} バイト目はファイルの外です（ファイルは {2} バイト）",
                                 "byte {1} lies outside the file (the file has {2} bytes)"};
constexpr text::Wording kNegativeBlock{"ブロック番号 {1} が負です", "block number {1} is negative"};
constexpr text::Wording kPackedTopByte{
    "圧縮レコードの最上位バイトが 128 以上です（先頭から {1} バイト目）",
    "the top byte of a packed record is 128 or more (at byte {1})"};
constexpr text::Wording kFixedNotText{
    "文字コードを変換できない固定長フィールドがあります（先頭から {1} バイト目）",
    "a fixed-length field is not Shift-JIS text (at byte {1})"};
constexpr text::Wording kBadTag{"文字列の型タグが 8 ではありません（先頭から {1} バイト目）",
                                "the type tag of a text is not 8 (at byte {1})"};
constexpr text::Wording kFramedNotText{
    "文字コードを変換できない文字列があります（先頭から {1} バイト目）",
    "a text is not Shift-JIS (at byte {1})"};

text::Message at_byte(std::size_t offset) { return text::number(static_cast<long long>(offset)); }

}  // namespace

std::string DataError::message(text::Language language) const {
  if (section.empty()) return text::Message(kFileReason, {file, reason}).in(language);
  return text::Message(kSectionReason, {file, section, reason}).in(language);
}

DataFile::DataFile(std::string name, std::vector<std::uint8_t> bytes)
    : name_(std::move(name)), bytes_(std::move(bytes)) {}

bool DataFile::open(const std::string& path, DataError& err) {
  name_ = path;
  bytes_.clear();
  const settings::FileRead r = settings::read_regular_file(path, settings::kMaxDataFileBytes);
  if (!r.ok) {
    const text::Wording& failure =
        r.failure == &settings::kCannotReadFile ? kCannotRead : kCannotOpen;
    err = {path, {}, {failure, {r.reason}}};
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

bool Cursor::fail(text::Message reason) const {
  err_ = {file_.name(), section_, std::move(reason)};
  return false;
}

bool Cursor::need(std::size_t n, const text::Wording& what) {
  if (file_.has(pos_, n)) return true;
  return fail({kPastEnd, {what, at_byte(pos_)}});
}

bool Cursor::seek(std::size_t offset) {
  if (offset > file_.size()) return fail({kOutside, {at_byte(offset), at_byte(file_.size())}});
  pos_ = offset;
  return true;
}

bool Cursor::seek_block(std::int64_t block) {
  if (block < 0) return fail({kNegativeBlock, {text::number(block)}});
  return seek(static_cast<std::size_t>(block) * kBlockSize);
}

bool Cursor::u8(std::uint8_t& v) {
  if (!need(1, kRecord)) return false;
  v = *file_.at(pos_);
  pos_ += 1;
  return true;
}

bool Cursor::u16(std::uint16_t& v) {
  if (!need(2, kRecord)) return false;
  const std::uint8_t* p = file_.at(pos_);
  v = static_cast<std::uint16_t>(p[0] | (p[1] << 8));
  pos_ += 2;
  return true;
}

bool Cursor::u32(std::uint32_t& v) {
  if (!need(4, kRecord)) return false;
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
  if (u >= 0x80000000u) return fail({kPackedTopByte, {at_byte(at)}});
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
  if (!need(n, kFixedField)) return false;
  std::string_view raw(reinterpret_cast<const char*>(file_.at(pos_)), n);
  auto conv = text::cp932_to_utf8(raw);
  if (!conv) return fail({kFixedNotText, {at_byte(pos_)}});
  utf8 = std::move(*conv);
  pos_ += n;
  return true;
}

bool Cursor::framed(std::string& utf8) {
  std::size_t at = pos_;
  std::uint16_t tag = 0, len = 0;
  if (!u16(tag) || !u16(len)) return false;
  if (tag != 8) return fail({kBadTag, {at_byte(at)}});
  if (!need(len, kFramedText)) return false;
  std::string_view raw(reinterpret_cast<const char*>(file_.at(pos_)), len);
  auto conv = text::cp932_to_utf8(raw);
  if (!conv) return fail({kFramedNotText, {at_byte(at)}});
  utf8 = std::move(*conv);
  pos_ += len;
  return true;
}

}  // namespace ravolin::data
