// A data file is accepted only in the form the data compiler writes, so that whatever
// dump and export accept can be rebuilt from its exported sources to the same bytes.
#include "data/raw_data.h"
#include "data/sources.h"

#include "support/data_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace ravolin::data {
namespace {

using namespace test_support;

struct Refusal {
  std::string section;
  std::string reason;
};

Refusal refusal_of(const std::vector<std::uint8_t>& bytes) {
  auto raw = std::make_unique<RawData>();
  DataError err;
  if (read_image(as_file(bytes), *raw, err)) return {"accepted", ""};
  return {err.section, err.reason};
}

void replace_text(std::vector<std::uint8_t>& bytes, std::string_view from, std::string_view to) {
  auto it = std::search(bytes.begin(), bytes.end(), from.begin(), from.end());
  ASSERT_NE(it, bytes.end()) << from;
  std::copy(to.begin(), to.end(), it);
}

TEST(StrictImage, WhatTheCompilerWouldNotWriteIsRefusedWithItsPlace) {
  const std::vector<std::uint8_t> good = build_data(small_sources(1));
  ASSERT_FALSE(good.empty());
  EXPECT_EQ(refusal_of(good).section, "accepted");
  const std::int32_t keiyo = get_slot(good, 4);

  // A Keiyo time of 05:64 (train 1501A, first station pair).
  auto bad_time = good;
  put_u32(bad_time, at_block(keiyo + 4), (564 + 1501) * 8192u + (512 + 1501));
  Refusal r = refusal_of(bad_time);
  EXPECT_EQ(r.section, "データの内容");
  EXPECT_NE(r.reason.find("keiyo.txt"), std::string::npos) << r.reason;
  EXPECT_NE(r.reason.find("05:64"), std::string::npos) << r.reason;

  // A Keiyo identifier without its letter: same train number, refused by the compiler.
  auto bad_id = good;
  replace_text(bad_id, "1501A", "15017");
  r = refusal_of(bad_id);
  EXPECT_NE(r.reason.find("列車番号"), std::string::npos) << r.reason;

  // A hotel without a phone number.
  auto no_phone = good;
  replace_text(no_phone, "03-1234-5678", "            ");
  r = refusal_of(no_phone);
  EXPECT_NE(r.reason.find("電話番号"), std::string::npos) << r.reason;

  // Stray bytes where the compiler writes none: named by section and place.
  auto stray = good;
  stray[stray.size() - 1024 + 500] = 0x41;
  r = refusal_of(stray);
  EXPECT_EQ(r.section, "セクション表");
  EXPECT_NE(r.reason.find("先頭から " + std::to_string(stray.size() - 1024 + 500) + " バイト目"),
            std::string::npos)
      << r.reason;
  auto stray_in_trains = good;
  stray_in_trains[at_block(get_slot(good, 6), 1021)] = 0x20;
  r = refusal_of(stray_in_trains);
  EXPECT_EQ(r.section, "新幹線列車の部（目次の 6 番）") << r.reason;
}

TEST(StrictImage, AcceptedFilesOfEveryEditionExportToSourcesThatRebuildTheSameBytes) {
  for (int edition : {1, 2, 3}) {
    const std::vector<std::uint8_t> bytes = build_data(small_sources(edition));
    auto raw = std::make_unique<RawData>();
    DataError err;
    ASSERT_TRUE(read_image(as_file(bytes), *raw, err)) << err.message();
    EXPECT_EQ(build_data(write_sources(*raw)), bytes) << "edition " << edition;
  }
}

}  // namespace
}  // namespace ravolin::data
