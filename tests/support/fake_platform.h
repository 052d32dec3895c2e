// SPDX-License-Identifier: MIT
// Fakes of the platform services for window tests: message boxes answered from a
// queue, a help viewer and a printer that only record what they are asked; the fixed
// clock comes with them.
#pragma once

#include "state/platform.h"
#include "state/tray.h"
#include "support/fixed_clock.h"

#include <deque>
#include <string>
#include <vector>

namespace ravolin::ui {

class FakeMessageBoxes final : public MessageBoxes {
 public:
  struct Shown {
    MessageRequest request;
    std::string title;
    MessageAnswer answer;
  };
  // The answer to the next box; boxes without a queued answer get OK.
  void set_next_answer(MessageAnswer answer) { answers_.push_back(answer); }
  MessageAnswer show(QWidget* parent, const MessageRequest& request) override;

  const std::vector<Shown>& shown() const { return shown_; }
  std::size_t pending_answers() const { return answers_.size(); }
  void clear() {
    shown_.clear();
    answers_.clear();
  }

 private:
  std::deque<MessageAnswer> answers_;
  std::vector<Shown> shown_;
};

class FakeHelpViewer final : public HelpViewer {
 public:
  struct Call {
    std::string what;  // "contents", "topic", "close"
    std::string path;
    int topic = 0;
  };
  void show_contents(const std::string& help_path) override {
    calls_.push_back({"contents", help_path, 0});
  }
  void show_topic(const std::string& help_path, int topic) override {
    calls_.push_back({"topic", help_path, topic});
  }
  void close() override { calls_.push_back({"close", {}, 0}); }
  const std::vector<Call>& calls() const { return calls_; }
  int count(const std::string& what) const;
  void clear() { calls_.clear(); }

 private:
  std::vector<Call> calls_;
};

class FakePrinter final : public Printer {
 public:
  void set_choose_answer(bool ok) { choose_answer_ = ok; }
  void set_end_failure(std::string reason) { end_failure_ = std::move(reason); }
  bool choose(QWidget*) override {
    ++choose_calls_;
    return choose_answer_;
  }
  void set_font(const std::string& face, int point_size) override {
    face_ = face;
    point_size_ = point_size;
  }
  void print_line(const std::string& line) override { lines_.push_back(line); }
  bool end_doc(std::string& error) override;

  const std::vector<std::string>& lines() const { return lines_; }
  const std::string& face() const { return face_; }
  int point_size() const { return point_size_; }
  int choose_calls() const { return choose_calls_; }
  int documents() const { return documents_; }

 private:
  bool choose_answer_ = true;
  std::string end_failure_;
  std::vector<std::string> lines_;
  std::string face_;
  int point_size_ = 0;
  int choose_calls_ = 0;
  int documents_ = 0;
};

class FakeTray final : public Tray {
 public:
  explicit FakeTray(bool available = true) : available_(available) {}
  bool available() const override { return available_; }
  void show(const std::vector<TrayEntry>& entries) override {
    entries_ = entries;
    shown_ = true;
  }
  void hide() override { shown_ = false; }
  void set_tooltip(const std::string& text) override { tooltip_ = text; }
  void notify(const std::string& title, const std::string& text) override {
    notifications_.push_back(title + "\n" + text);
  }
  // Runs a menu entry as a click would (a checkable one toggles).
  bool trigger(const std::string& id) {
    for (auto& e : entries_)
      if (e.id == id) {
        if (e.checkable) e.checked = !e.checked;
        if (e.run) e.run(e.checked);
        return true;
      }
    return false;
  }
  const std::vector<TrayEntry>& entries() const { return entries_; }
  bool shown() const { return shown_; }
  const std::string& tooltip() const { return tooltip_; }
  const std::vector<std::string>& notifications() const { return notifications_; }

 private:
  bool available_;
  bool shown_ = false;
  std::vector<TrayEntry> entries_;
  std::string tooltip_;
  std::vector<std::string> notifications_;
};

}  // namespace ravolin::ui
