// SPDX-License-Identifier: MIT
// Platform services every window uses, as small interfaces: message boxes, the help
// viewer and the printer. main() hands the real ones to AppState; tests hand fakes
// (ui/fake_platform.h). The system clock seam is calendar::Clock.
#pragma once

#include <string>

class QWidget;

namespace ravolin::ui {

// Message boxes: title "エラーメッセージ" or "確認メッセージ", a warning icon, OK or
// OK/Cancel, and a topic of the help file that F1 opens.
enum class MessageKind { Error, Confirm };
enum class MessageButtons { Ok, OkCancel };
enum class MessageAnswer { Ok, Cancel };

struct MessageRequest {
  MessageKind kind = MessageKind::Error;
  std::string text;
  MessageButtons buttons = MessageButtons::Ok;
  int help_topic = 0;  // 0: none
};

const char* message_title(MessageKind kind);

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual MessageAnswer show(QWidget* parent, const MessageRequest& request) = 0;

  MessageAnswer error(QWidget* parent, const std::string& text, int help_topic = 0) {
    return show(parent, {MessageKind::Error, text, MessageButtons::Ok, help_topic});
  }
  MessageAnswer confirm(QWidget* parent, const std::string& text, int help_topic = 0) {
    return show(parent, {MessageKind::Confirm, text, MessageButtons::OkCancel, help_topic});
  }
};

// The help viewer: shows the contents or one numbered topic of a help file
// ("ravolin2.hlp" in the program folder) and closes it when a window is done with it.
class HelpViewer {
 public:
  virtual ~HelpViewer() = default;
  virtual void show_contents(const std::string& help_path) = 0;
  virtual void show_topic(const std::string& help_path, int topic) = 0;
  virtual void close() = 0;
};

// The printer: choose a printer (false when the user cancels), then lines of text in
// one font (a text holding CR LF goes on as many lines), then the end of the document
// (false with a reason when printing failed).
class Printer {
 public:
  virtual ~Printer() = default;
  virtual bool choose(QWidget* parent) = 0;
  virtual void set_font(const std::string& face, int point_size) = 0;
  virtual void print_line(const std::string& line) = 0;
  virtual bool end_doc(std::string& error) = 0;
};

}  // namespace ravolin::ui
