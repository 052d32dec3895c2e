// SPDX-License-Identifier: MIT
// The screenshots program: writes the pictures of the windows that docs/screenshots holds,
// offscreen, on the delivered data and a fixed clock. scripts/screenshots.sh builds and
// runs it.
//
//   screenshots [--dark] OUT_DIR [PROGRAM_FOLDER]
//
// --dark takes the pictures of a dark desktop instead (main-dark.png, diagram-dark.png):
// the Fusion style with a dark palette set on the application, as a dark desktop theme
// would set it.
//
// PROGRAM_FOLDER is the folder the board, hotel and settings pictures show (the delivered
// Tokaido folder when left out). A picture whose pixels are the same as the file already in
// OUT_DIR leaves that file untouched. Exits with 1 when any picture could not be made.
#include "shots.h"

#include "gui/common/readable_colours.h"

#include <QApplication>
#include <QPalette>
#include <QStyleFactory>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <span>
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
    {"English", ravolin::screenshots::english_pictures, false},
};

// The offscreen platform says for every window that it cannot raise it or pass on its size
// hints: true, and of no interest here. Everything else is printed.
void print_message(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (text.startsWith(QStringLiteral("This plugin does not support"))) return;
  std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

constexpr PictureSet kDarkSets[] = {
    {"dark", ravolin::screenshots::dark_pictures, false},
};

// The palette of a dark desktop theme.
void use_dark_palette(QApplication& app) {
  app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  QPalette p;
  const QColor window(45, 45, 48), base(30, 30, 32), text(232, 232, 232);
  p.setColor(QPalette::Window, window);
  p.setColor(QPalette::WindowText, text);
  p.setColor(QPalette::Base, base);
  p.setColor(QPalette::AlternateBase, window);
  p.setColor(QPalette::ToolTipBase, base);
  p.setColor(QPalette::ToolTipText, text);
  p.setColor(QPalette::PlaceholderText, QColor(150, 150, 150));
  p.setColor(QPalette::Text, text);
  p.setColor(QPalette::Button, window);
  p.setColor(QPalette::ButtonText, text);
  p.setColor(QPalette::BrightText, QColor(255, 120, 120));
  p.setColor(QPalette::Light, QColor(70, 70, 74));
  p.setColor(QPalette::Midlight, QColor(58, 58, 62));
  p.setColor(QPalette::Mid, QColor(38, 38, 40));
  p.setColor(QPalette::Dark, QColor(24, 24, 26));
  p.setColor(QPalette::Shadow, QColor(10, 10, 10));
  p.setColor(QPalette::Highlight, QColor(61, 126, 212));
  p.setColor(QPalette::HighlightedText, Qt::white);
  p.setColor(QPalette::Link, QColor(110, 170, 255));
  p.setColor(QPalette::Disabled, QPalette::Text, QColor(128, 128, 128));
  p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(128, 128, 128));
  p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(128, 128, 128));
  app.setPalette(p);
}

// What one set left open is put out of sight before the next set starts (hidden, not
// closed: the state it was opened on has gone with its set).
void hide_every_window() {
  for (QWidget* w : QApplication::topLevelWidgets()) w->hide();
}

}  // namespace

int main(int argc, char** argv) {
  const bool dark = argc > 1 && std::string(argv[1]) == "--dark";
  const int first = dark ? 2 : 1;  // OUT_DIR
  if (argc < first + 1 || argc > first + 2 || std::string(argv[first]).starts_with("-")) {
    std::fprintf(stderr, "usage: screenshots [--dark] OUT_DIR [PROGRAM_FOLDER]\n");
    return 2;
  }
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  qInstallMessageHandler(print_message);
  QApplication app(argc, argv);
  app.setQuitOnLastWindowClosed(false);
  if (dark) use_dark_palette(app);
  ravolin::ui::use_readable_marks();  // as the program does at start

  const std::string out_dir = argv[first];
  const std::string program_folder =
      argc == first + 2 ? argv[first + 1] : Shots::delivered_folder();
  std::error_code error;
  std::filesystem::create_directories(out_dir, error);
  if (error) {
    std::fprintf(stderr, "screenshots: cannot make %s: %s\n", out_dir.c_str(),
                 error.message().c_str());
    return 1;
  }
  int failed = 0;
  const auto sets =
      dark ? std::span<const PictureSet>(kDarkSets) : std::span<const PictureSet>(kSets);
  for (const PictureSet& set : sets) {
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
