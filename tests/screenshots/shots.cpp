// SPDX-License-Identifier: MIT
#include "shots.h"

#include "app/navigator.h"

#include <QCoreApplication>
#include <QFile>
#include <QString>
#include <QTest>
#include <QWidget>

#include <cstdio>

namespace ravolin::screenshots {

Shots::Shots(std::string out_dir, std::string program_folder)
    : out_dir_(std::move(out_dir)), program_folder_(std::move(program_folder)) {}

std::string Shots::delivered_folder() { return RAVOLIN_PROGRAM_DIR "/tokaido"; }

std::unique_ptr<app::AppState> Shots::make_state(const std::string& folder) {
  return make_state(folder, printer);
}

std::unique_ptr<app::AppState> Shots::make_state(const std::string& folder,
                                                 ui::Printer& with_printer) {
  auto state =
      std::make_unique<app::AppState>(folder, app::Platform{clock, messages, help, with_printer});
  // Nothing ends the program or waits for events unless a set says otherwise.
  state->end_program = [] {};
  state->process_events = [] {};
  return state;
}

void Shots::start(app::Navigator& app) const {
  check(app.start(), "the start failed: " + first_message());
}

std::string Shots::first_message() const {
  return messages.shown().empty() ? "" : messages.shown()[0].request.text;
}

void Shots::check(bool ok, const std::string& what) {
  if (!ok) throw ShotFailed(what);
}

void Shots::save(QWidget* w, const char* name) {
  need(w, std::string("the window of ") + name);
  w->show();
  check(QTest::qWaitForWindowExposed(w), std::string("the window of ") + name + " is not shown");
  QCoreApplication::processEvents();
  keep_or_write(w->grab().toImage(), name);
}

bool Shots::unchanged(const QImage& picture, const std::string& path) const {
  const QImage old(QString::fromStdString(path));
  return !old.isNull() && old.size() == picture.size() &&
         old.convertToFormat(QImage::Format_ARGB32) ==
             picture.convertToFormat(QImage::Format_ARGB32);
}

void Shots::keep_or_write(const QImage& picture, const char* name) {
  const std::string path = out_dir_ + "/" + name;
  if (unchanged(picture, path)) {
    std::printf("unchanged %s\n", name);
    return;
  }
  check(picture.save(QString::fromStdString(path)), "cannot write " + path);
  std::printf("wrote     %s\n", name);
}

void Shots::keep_or_copy(const std::string& png_file, const char* name) {
  const QImage picture(QString::fromStdString(png_file));
  check(!picture.isNull(), "cannot read " + png_file);
  const std::string path = out_dir_ + "/" + name;
  if (unchanged(picture, path)) {
    std::printf("unchanged %s\n", name);
    return;
  }
  QFile::remove(QString::fromStdString(path));
  check(QFile::copy(QString::fromStdString(png_file), QString::fromStdString(path)),
        "cannot write " + path);
  std::printf("wrote     %s\n", name);
}

}  // namespace ravolin::screenshots
