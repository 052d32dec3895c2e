// SPDX-License-Identifier: MIT
// The ground of the screenshots program, which writes the pictures of docs/screenshots:
// each set of pictures gets a fresh application state on a fixed clock, with fake message
// boxes, help viewer and printer, and writes its pictures into one folder.
#pragma once

#include "calendar/clock.h"
#include "state/app_state.h"
#include "support/fake_platform.h"
#include "support/fixed_clock.h"

#include <QImage>

#include <memory>
#include <stdexcept>
#include <string>

class QWidget;

namespace ravolin::app {
class Navigator;
}

namespace ravolin::screenshots {

// A picture that could not be made: the set stops, the program goes on with the next one.
class ShotFailed : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Shots {
 public:
  // Pictures go into out_dir; program_folder is the folder the windows show (usually the
  // delivered Tokaido folder).
  Shots(std::string out_dir, std::string program_folder);

  static std::string delivered_folder();
  const std::string& program_folder() const { return program_folder_; }
  const std::string& out_dir() const { return out_dir_; }

  // An application state on `folder` with this set's clock and fakes (or `with_printer`);
  // ending the program and processing events do nothing.
  std::unique_ptr<app::AppState> make_state(const std::string& folder);
  std::unique_ptr<app::AppState> make_state(const std::string& folder, ui::Printer& with_printer);

  // The navigator's start-up; the set stops with the first message shown when it fails.
  void start(app::Navigator& app) const;

  // The first message shown, for failure output.
  std::string first_message() const;

  // Stops the set with `what` unless ok.
  static void check(bool ok, const std::string& what);
  template <typename T>
  static T* need(T* p, const std::string& what) {
    check(p != nullptr, what + " is missing");
    return p;
  }

  // Shows `w`, waits until it is on screen and writes its picture as out_dir/name.
  void save(QWidget* w, const char* name);
  // Writes a picture as out_dir/name; a file there that shows the same pixels is left as it
  // is, so pictures that did not change keep their files byte for byte.
  void keep_or_write(const QImage& picture, const char* name);
  // The same for a PNG file made by another program: copied unless the pixels are the same.
  void keep_or_copy(const std::string& png_file, const char* name);

  calendar::FixedClock clock{calendar::make_system_time(2000, 3, 13, 8, 55, 0)};
  ui::FakeMessageBoxes messages;
  ui::FakeHelpViewer help;
  ui::FakePrinter printer;

 private:
  bool unchanged(const QImage& picture, const std::string& path) const;

  std::string out_dir_;
  std::string program_folder_;
};

// The sets of pictures, each on a Shots of its own.
void diagram_pictures(Shots& shots);
void board_pictures(Shots& shots);
void calendar_pictures(Shots& shots);
void hotel_pictures(Shots& shots);
void user_hotel_pictures(Shots& shots);
void search_pictures(Shots& shots);
void station_picker_pictures(Shots& shots);
void settings_pictures(Shots& shots);
void english_pictures(Shots& shots);
// The main window and the diagram on a dark desktop (the program run with --dark).
void dark_pictures(Shots& shots);

}  // namespace ravolin::screenshots
