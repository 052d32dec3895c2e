// Ravolin: the departure board, route search and hotel directory. The program reads its
// data, help and default settings from its program folder (beside the executable, or the
// installed edition folder) and writes its files into the user folder chosen for it.
#include "app/app_state.h"
#include "board/main_window.h"
#include "calendar/clock.h"
#include "data/tables.h"
#include "settings/program_files.h"
#include "ui/qt_platform.h"
#include "ui/tray.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#ifndef RAVOLIN_DATA_FROM_BIN
#define RAVOLIN_DATA_FROM_BIN "../share/ravolin"
#endif

namespace {

std::string env_value(const char* name) {
  const char* v = std::getenv(name);
  return v ? v : "";
}

}  // namespace

int main(int argc, char** argv) {
  using namespace ravolin;

  // --help and --version answer without a display.
  const settings::CommandLine command_line =
      settings::parse_command_line(std::vector<std::string>(argv + 1, argv + argc));
  if (command_line.help) {
    std::fputs(settings::usage_text().c_str(), stdout);
    return 0;
  }
  if (command_line.version) {
    std::fputs(settings::version_text().c_str(), stdout);
    return 0;
  }
  if (!command_line.error.empty()) {
    std::fprintf(stderr, "ravolin: %s\n\n%s", command_line.error.c_str(),
                 settings::usage_text().c_str());
    return 2;
  }

  QApplication app(argc, argv);
  // The installed icon, and the desktop entry the windows belong to.
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("ravolin")));
  // Qt's own dialogs (printer, file) in Japanese where Qt's translations are installed
  // (qt6-translations-l10n); without them they stay as Qt draws them.
  QTranslator qt_japanese;
  if (qt_japanese.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                       QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&qt_japanese);

  ui::QtSystemClock clock;
  ui::QtHelpViewer help;
  ui::QtPrinter printer;

  const QString exe_folder = QCoreApplication::applicationDirPath();
  const std::string installed_data =
      QDir::cleanPath(exe_folder + QStringLiteral("/" RAVOLIN_DATA_FROM_BIN)).toStdString();
  const auto has_data = [](const std::string& folder) {
    return ::access((folder + "/" + data::kDataFileName).c_str(), R_OK) == 0;
  };
  const settings::ProgramLocation location = settings::locate_program_folder(
      exe_folder.toStdString(), installed_data, command_line.edition, has_data);
  if (!location.error.empty()) {
    std::fprintf(stderr, "ravolin: %s\n", location.error.c_str());
    ui::QtMessageBoxes(help, std::string()).error(nullptr, location.error);
    return 1;
  }

  if (location.installed)
    QGuiApplication::setDesktopFileName(QString::fromStdString("ravolin-" + location.edition));

  ui::QtMessageBoxes messages(help, location.folder + "/" + data::kHelpFileName);
  const auto tray = ui::make_qt_tray();
  auto state = std::make_unique<app::AppState>(
      location.folder, app::Platform{clock, messages, help, printer, tray.get()});

  const std::string user_folder = settings::choose_user_folder(
      location, {env_value("XDG_CONFIG_HOME"), env_value("HOME")},
      [](const std::string& folder) { return ::access(folder.c_str(), W_OK) == 0; });
  if (user_folder.empty()) {
    messages.error(nullptr, "設定を保存するフォルダがありません (HOME が設定されていません)。\n"
                            "設定の変更は保存できません。");
  } else if (user_folder != location.folder) {
    std::string error;
    if (settings::seed_user_folder(location.folder, user_folder, settings::seeded_file_names(),
                                   error)) {
      state->set_user_folder(user_folder);
    } else {
      // The installed defaults are still read; saving then reports its own failure.
      messages.error(nullptr, "設定を保存するフォルダを用意できません。\n" + error);
    }
  }

  state->end_program = [] { QCoreApplication::exit(0); };
  state->process_events = [] { QCoreApplication::processEvents(); };

  auto window = std::make_unique<board::MainWindow>(*state);
  if (!window->start()) return window->start_aborted() ? 0 : 1;
  window->show();
  return app.exec();
}
