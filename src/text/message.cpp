// SPDX-License-Identifier: MIT
#include "text/message.h"

namespace ravolin::text {

std::string Message::in(Language language) const {
  if (wording_ == nullptr) return verbatim_;
  const std::string pattern =
      language == Language::kEnglish ? wording_->english : wording_->japanese;
  std::string out;
  out.reserve(pattern.size());
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '{' && i + 2 < pattern.size() && pattern[i + 1] >= '1' &&
        pattern[i + 1] <= '9' && pattern[i + 2] == '}') {
      const auto n = static_cast<std::size_t>(pattern[i + 1] - '1');
      if (n < particulars_.size()) out += particulars_[n].in(language);
      i += 2;
      continue;
    }
    out += pattern[i];
  }
  return out;
}

Message number(long long n) { return Message(std::to_string(n)); }

}  // namespace ravolin::text
