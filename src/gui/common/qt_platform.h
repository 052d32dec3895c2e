// SPDX-License-Identifier: MIT
// The real platform services: Qt message boxes, the program's own help window, a Qt
// printer and the computer's clock.
#pragma once

#include "calendar/clock.h"
#include "state/platform.h"

#include <QPointer>

#include <chrono>
#include <functional>
#include <memory>
#include <string>

class QPainter;
class QPrinter;
class QProcess;
class QTimer;

namespace ravolin::ui {

class HelpWindow;

// Shows help files in a small window of the program's own (ui/help_window.h).
class QtHelpViewer final : public HelpViewer {
 public:
  QtHelpViewer();
  ~QtHelpViewer() override;
  void show_contents(const std::string& help_path) override;
  void show_topic(const std::string& help_path, int topic) override;
  void close() override;
  HelpWindow* window() const;

 private:
  HelpWindow* ensure_window();
  QPointer<HelpWindow> window_;
};

// QMessageBox with the program's titles and warning icon; F1 opens the help topic.
class QtMessageBoxes final : public MessageBoxes {
 public:
  QtMessageBoxes(HelpViewer& help, std::string help_path)
      : help_(help), help_path_(std::move(help_path)) {}
  MessageAnswer show(QWidget* parent, const MessageRequest& request) override;
  // The help file of F1, once the language of the run is known.
  void set_help_path(std::string help_path) { help_path_ = std::move(help_path); }

 private:
  HelpViewer& help_;
  std::string help_path_;
};

// Prints through Qt Print Support. Lines go down the page in the given font and continue
// on a new page when one is full. A TAB moves on to the next stop of 8 half-width columns
// (a full-width character counts two), the stops the results window shows, so the
// printed report lines up as on screen; a line wider than the paper wraps onto the next
// line, so nothing is cut off at the margin.
class QtPrinter final : public Printer {
 public:
  // Asks the user for the printer (and its settings) of the next document; false when
  // cancelled. The default is Qt's print dialog, which also offers printing to a PDF file.
  using Dialog = std::function<bool(QPrinter& printer, QWidget* parent)>;

  QtPrinter();
  ~QtPrinter() override;
  bool choose(QWidget* parent) override;
  // Instead of choose(): print the next document into a PDF file, without a dialog.
  void choose_pdf_file(const std::string& path);
  // Replaces the print dialog of choose() (tests: no modal dialog).
  void set_dialog(Dialog dialog) { dialog_ = std::move(dialog); }
  void set_font(const std::string& face, int point_size) override;
  // A line holding line breaks (CR LF or LF) prints as one line per part.
  void print_line(const std::string& line) override;
  bool end_doc(std::string& error) override;

 private:
  void start_document();
  bool begin();
  void draw_line(const QString& text);
  std::unique_ptr<QPrinter> printer_;
  std::unique_ptr<QPainter> painter_;
  Dialog dialog_;
  std::string face_ = "IPAGothic";
  int point_size_ = 10;
  int y_ = 0;
  bool failed_ = false;
  std::string error_;
};

// The computer's clock. Setting it runs the system's time-setting service
// (`timedatectl set-time`) in the background, so the windows go on while the service
// works: it may ask the user for authorisation, and refuses while automatic time
// synchronisation is on, its own message being the reason handed back. A service that
// has not finished within the time limit is stopped and the setting counts as refused.
class QtSystemClock final : public calendar::Clock {
 public:
  // `set_time_program`: a name looked up in PATH, or a path.
  explicit QtSystemClock(
      std::string set_time_program = "timedatectl",
      std::chrono::milliseconds time_limit = std::chrono::seconds(calendar::kSetTimeLimitSeconds));
  ~QtSystemClock() override;
  QtSystemClock(const QtSystemClock&) = delete;
  QtSystemClock& operator=(const QtSystemClock&) = delete;

  calendar::SystemTime now() const override;
  // One setting at a time: a request while the service still works is refused at once.
  void set(const calendar::SystemTime& t, calendar::ClockSetDone done) override;
  bool setting() const { return process_ != nullptr; }

 private:
  void service_finished(int exit_code, bool exited_normally);
  void finish(const calendar::ClockSetResult& result);
  std::string program_;
  std::chrono::milliseconds time_limit_;
  QProcess* process_ = nullptr;  // the running service
  QTimer* limit_ = nullptr;      // its time limit
  bool timed_out_ = false;
  calendar::ClockSetDone done_;
};

}  // namespace ravolin::ui
