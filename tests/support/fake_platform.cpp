// SPDX-License-Identifier: MIT
#include "support/fake_platform.h"

#include <algorithm>

namespace ravolin::ui {

MessageAnswer FakeMessageBoxes::show(QWidget*, const MessageRequest& request) {
  MessageAnswer answer = MessageAnswer::Ok;
  if (!answers_.empty()) {
    answer = answers_.front();
    answers_.pop_front();
  }
  if (request.buttons == MessageButtons::Ok) answer = MessageAnswer::Ok;
  shown_.push_back({request, message_title(request.kind), answer});
  return answer;
}

int FakeHelpViewer::count(const std::string& what) const {
  return static_cast<int>(
      std::count_if(calls_.begin(), calls_.end(), [&](const Call& c) { return c.what == what; }));
}

bool FakePrinter::end_doc(std::string& error) {
  if (!end_failure_.empty()) {
    error = end_failure_;
    return false;
  }
  ++documents_;
  return true;
}

}  // namespace ravolin::ui
