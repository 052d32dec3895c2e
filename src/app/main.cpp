// Ravolin: the departure board, route search and hotel directory. Every file the
// program reads or writes lies in the folder of its executable.
#include "app/app_state.h"
#include "board/main_window.h"
#include "calendar/clock.h"
#include "ui/qt_platform.h"
#include "ui/tray.h"

#include <QApplication>

#include <memory>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  using namespace ravolin;

  calendar::SystemClock clock;
  ui::QtHelpViewer help;
  ui::QtPrinter printer;
  const std::string folder = QCoreApplication::applicationDirPath().toStdString();
  ui::QtMessageBoxes messages(help, folder + "/" + data::kHelpFileName);
  const auto tray = ui::make_qt_tray();
  auto state = std::make_unique<app::AppState>(
      folder, app::Platform{clock, messages, help, printer, tray.get()});
  state->end_program = [] { QCoreApplication::exit(0); };
  state->process_events = [] { QCoreApplication::processEvents(); };

  auto window = std::make_unique<board::MainWindow>(*state);
  if (!window->start()) return window->start_aborted() ? 0 : 1;
  window->show();
  return app.exec();
}
