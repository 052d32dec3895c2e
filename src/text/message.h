// SPDX-License-Identifier: MIT
// What the core has to tell the user (a refusal, a file that cannot be read), kept as what
// it is and its particulars and worded only when a window shows it, in the window's
// language. The Japanese wording is the program's own and stays exact; the English one is
// for the English windows, so that no reason reaches them in Japanese.
#pragma once

#include "text/language.h"

#include <string>
#include <vector>

namespace ravolin::text {

// One kind of message in both languages. "{1}" … "{9}" stand for its particulars.
struct Wording {
  const char* japanese;
  const char* english;
};

class Message {
 public:
  Message() = default;
  // A message of a kind with its particulars (which may be messages in turn).
  Message(const Wording& wording, std::vector<Message> particulars = {})
      : wording_(&wording), particulars_(std::move(particulars)) {}
  // A particular that reads the same in either language: a path, a number, what another
  // program said.
  Message(std::string verbatim) : verbatim_(std::move(verbatim)) {}  // NOLINT: implicit
  Message(const char* verbatim) : verbatim_(verbatim) {}             // NOLINT: implicit

  bool empty() const { return wording_ == nullptr && verbatim_.empty(); }
  // True when the message is of that kind.
  bool is(const Wording& wording) const { return wording_ == &wording; }
  const std::vector<Message>& particulars() const { return particulars_; }

  // The message in `language`, its particulars filled in (each in the same language).
  std::string in(Language language) const;

 private:
  const Wording* wording_ = nullptr;
  std::string verbatim_;
  std::vector<Message> particulars_;
};

// A number as a particular.
Message number(long long n);

}  // namespace ravolin::text
