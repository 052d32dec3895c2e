// SPDX-License-Identifier: MIT
// The screenshots program: writes the pictures of the windows that docs/screenshots holds,
// offscreen, on the delivered data and a fixed clock. scripts/screenshots.sh builds and
// runs it.
//
//   screenshots OUT_DIR [PROGRAM_FOLDER]
//
// PROGRAM_FOLDER is the folder the board, hotel and settings pictures show (the delivered
// Tokaido folder when left out). A picture whose pixels are the same as the file already in
// OUT_DIR leaves that file untouched. Exits with 1 when any picture could not be made.
#include "shots.h"

#include <QApplication>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

using ravolin::screenshots::Shots;

struct PictureSet {
  const char* name;
  void (*take)(Shots&);
  bool on_program_folder;  // shows PROGRAM_FOLDER; else always the delivered folder
};

constexpr PictureSet kSets[] = {
    {"diagram", ravolin::screenshots::diagram_pictures, false},
    {"board", ravolin::screenshots::board_pictures, true},
    {"calendar", ravolin::screenshots::calendar_pictures, false},
    {"hotels", ravolin::screenshots::hotel_pictures, true},
    {"user hotels", ravolin::screenshots::user_hotel_pictures, false},
    {"search", ravolin::screenshots::search_pictures, false},
    {"station picker", ravolin::screenshots::station_picker_pictures, false},
    {"settings", ravolin::screenshots::settings_pictures, true},
};

// The offscreen platform says for every window that it cannot raise it or pass on its size
// hints: true, and of no interest here. Everything else is printed.
void print_message(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (text.startsWith(QStringLiteral("This plugin does not support"))) return;
  std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

// What one set left open is put out of sight before the next set starts (hidden, not
// closed: the state it was opened on has gone with its set).
void hide_every_window() {
  for (QWidget* w : QApplication::topLevelWidgets()) w->hide();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3 || std::string(argv[1]).starts_with("-")) {
    std::fprintf(stderr, "usage: screenshots OUT_DIR [PROGRAM_FOLDER]\n");
    return 2;
  }
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  qInstallMessageHandler(print_message);
  QApplication app(argc, argv);
  app.setQuitOnLastWindowClosed(false);

  const std::string out_dir = argv[1];
  const std::string program_folder = argc == 3 ? argv[2] : Shots::delivered_folder();
  std::error_code error;
  std::filesystem::create_directories(out_dir, error);
  if (error) {
    std::fprintf(stderr, "screenshots: cannot make %s: %s\n", out_dir.c_str(),
                 error.message().c_str());
    return 1;
  }
  int failed = 0;
  for (const PictureSet& set : kSets) {
    Shots shots(out_dir, set.on_program_folder ? program_folder : Shots::delivered_folder());
    try {
      set.take(shots);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "screenshots: the %s pictures failed: %s\n", set.name, e.what());
      ++failed;
    }
    hide_every_window();
  }
  return failed == 0 ? 0 : 1;
}
