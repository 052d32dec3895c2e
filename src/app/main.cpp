// SPDX-License-Identifier: MIT
// Ravolin: the departure board, route search and hotel directory. The program reads its
// data, help and default settings from its program folder (beside the executable, or the
// installed edition folder) and writes its files into the user folder chosen for it.
#include "app/navigator.h"
#include "app/single_instance.h"
#include "app/termination_signals.h"
#include "calendar/clock.h"
#include "data/tables.h"
#include "gui/board/main_window.h"
#include "gui/common/qt_platform.h"
#include "gui/common/readable_colours.h"
#include "gui/common/translation.h"
#include "gui/common/tray.h"
#include "settings/program_files.h"
#include "settings/settings_file.h"
#include "state/app_state.h"
#include "state/loader.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <langinfo.h>
#include <unistd.h>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#ifndef RAVOLIN_DATA_FROM_BIN
#define RAVOLIN_DATA_FROM_BIN "../share/ravolin"
#endif

namespace {

using namespace ravolin;

std::string env_value(const char* name) {
  const char* v = std::getenv(name);
  return v ? v : "";
}

text::Language desktop_language() {
  return text::language_of_locale(std::getenv("LANGUAGE"), std::getenv("LC_ALL"),
                                  std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}

settings::DisplayEnvironment display_environment() {
  return {env_value("QT_QPA_PLATFORM"), env_value("DISPLAY"), env_value("WAYLAND_DISPLAY")};
}

// --help, --version and a refused option answer without a display, in the terminal's
// character set and the language the command line asks for (else the desktop's); so does
// a start without a screen, where Qt would abort. The exit status, or nothing when the
// program is to start.
std::optional<int> answer_without_windows(const std::vector<std::string>& args,
                                          settings::CommandLine& command_line) {
  std::setlocale(LC_CTYPE, "");
  const std::string codeset = nl_langinfo(CODESET);
  const text::Language language = settings::terminal_language(args, desktop_language(), codeset);
  command_line = settings::parse_command_line(args);
  if (!command_line.error.empty()) {
    std::fputs(settings::refusal_text(command_line, codeset, language).c_str(), stderr);
    return 2;
  }
  if (command_line.help) {
    std::fputs(settings::usage_text(codeset, language).c_str(), stdout);
    return 0;
  }
  if (command_line.version) {
    std::fputs(settings::version_text().c_str(), stdout);
    return 0;
  }
  const std::string no_display =
      settings::missing_display_message(args, display_environment(), language);
  if (!no_display.empty()) {
    std::fprintf(stderr, "ravolin: %s", no_display.c_str());
    return 1;
  }
  return std::nullopt;
}

// While the window system starts: a screen that cannot be opened (a DISPLAY with no such
// display, an unknown QT_QPA_PLATFORM) ends Qt's start with a fatal message and an abort.
// Said instead as a start without a screen is, with the same exit status.
struct ScreenStart {
  static inline QtMessageHandler previous = nullptr;
  static inline std::string message;

  explicit ScreenStart(const std::vector<std::string>& args) {
    const text::Language language =
        settings::terminal_language(args, desktop_language(), nl_langinfo(CODESET));
    message = settings::unusable_display_message(args, display_environment(), language);
    previous = qInstallMessageHandler(&handle);
  }
  ~ScreenStart() { qInstallMessageHandler(previous); }
  ScreenStart(const ScreenStart&) = delete;
  ScreenStart& operator=(const ScreenStart&) = delete;

  static void handle(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type != QtFatalMsg) {
      if (previous)
        previous(type, context, text);
      else
        std::fprintf(stderr, "%s\n", qPrintable(text));
      return;
    }
    std::fprintf(stderr, "ravolin: %s", message.c_str());
    std::_Exit(1);
  }
};

// The language of the run, chosen before any window is built: --lang, else the choice of
// the settings window in the edition's settings file, else the desktop's.
text::Language language_of_run(const settings::CommandLine& command_line,
                               const app::AppState& state) {
  std::string stored;
  if (command_line.language.empty()) {
    // The settings file is named by the edition, which the data file's directory gives; a
    // data file that cannot be read is reported by the start-up itself.
    data::Directory directory;
    const data::Edition* edition = nullptr;
    data::DataError error;
    if (data::load_edition(state.data_path(), directory, edition, error) && edition)
      stored = settings::read_settings_file(state.user_folder() + "/" + edition->settings_file)
                   .settings.language;
  }
  return settings::choose_language(command_line.language, stored, desktop_language());
}

// The windows in the language of the run. Japanese: Qt's own dialogs (printer, file) in
// Japanese too where Qt's translations are installed (qt6-translations-l10n); without them
// they stay as Qt draws them. English: the program's English texts, and Qt's own dialogs
// as Qt writes them.
void use_language(QApplication& application, app::AppState& state, QTranslator& qt_japanese) {
  if (!state.english()) {
    if (qt_japanese.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
      QApplication::installTranslator(&qt_japanese);
    return;
  }
  if (!ui::use_language(application, state.language,
                        QString::fromStdString(state.program_folder()))) {
    std::fprintf(stderr, "ravolin: no English texts (%s) in %s\n", ui::kEnglishTranslationFile,
                 state.program_folder().c_str());
    state.english_texts_missing = true;
  }
}

settings::ProgramLocation locate_program(const settings::CommandLine& command_line) {
  const QString exe_folder = QCoreApplication::applicationDirPath();
  const std::string installed_data =
      QDir::cleanPath(exe_folder + QStringLiteral("/" RAVOLIN_DATA_FROM_BIN)).toStdString();
  const auto has_data = [](const std::string& folder) {
    return ::access((folder + "/" + data::kDataFileName).c_str(), R_OK) == 0;
  };
  return settings::locate_program_folder(exe_folder.toStdString(), installed_data,
                                         command_line.edition, has_data);
}

// Each edition is a program of its own to the desktop: its own window class (WM_CLASS,
// from the application name) and desktop entry, so that a dock neither groups the three
// editions together nor fails to match a window to its entry. The edition is the one the
// data file names, whatever the folder is called.
void set_edition_identity(const settings::ProgramLocation& location) {
  data::Directory directory;
  const data::Edition* edition = nullptr;
  data::DataError error;
  data::load_edition(location.folder + "/" + data::kDataFileName, directory, edition, error);
  const QString identity =
      QString::fromStdString(settings::desktop_identity(location, edition ? edition->code : 0));
  QCoreApplication::setApplicationName(identity);
  if (location.installed) QGuiApplication::setDesktopFileName(identity);
}

// Where the files the program writes go; said once when nothing will be saved.
settings::UserFolder choose_user_folder(const settings::ProgramLocation& location,
                                        app::AppState& state, ui::MessageBoxes& messages) {
  settings::UserFolder user_folder = settings::prepare_user_folder(
      location, {env_value("XDG_CONFIG_HOME"), env_value("HOME")},
      [](const std::string& folder) { return ::access(folder.c_str(), W_OK) == 0; },
      QDir::tempPath().toStdString());
  state.set_user_folder(user_folder.folder);
  state.set_keeps_changes(user_folder.keeps_changes);
  if (!user_folder.notice.empty()) messages.error(nullptr, user_folder.notice);
  return user_folder;
}

// A scratch folder of a run without a folder of the user's own goes with the run.
struct ScratchFolder {
  std::string folder;
  ~ScratchFolder() {
    if (folder.empty()) return;
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  }
};

}  // namespace

int main(int argc, char** argv) {
  settings::CommandLine command_line;
  if (const auto status =
          answer_without_windows(std::vector<std::string>(argv + 1, argv + argc), command_line))
    return *status;

  auto screen_start =
      std::make_optional<ScreenStart>(std::vector<std::string>(argv + 1, argv + argc));
  QApplication application(argc, argv);
  screen_start.reset();
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("ravolin")));
  ui::use_readable_marks();  // rings and boxes that read in dark palettes too

  ui::QtSystemClock clock;
  ui::QtHelpViewer help;
  ui::QtPrinter printer;
  const settings::ProgramLocation location = locate_program(command_line);
  if (!location.error.empty()) {
    std::fprintf(stderr, "ravolin: %s\n", location.error.c_str());
    ui::QtMessageBoxes(help, std::string()).error(nullptr, location.error);
    return 1;
  }
  set_edition_identity(location);

  ui::QtMessageBoxes messages(help, location.folder + "/" + data::kHelpFileName);
  const auto tray = ui::make_qt_tray();
  auto state = std::make_unique<app::AppState>(
      location.folder, app::Platform{clock, messages, help, printer, tray.get()});
  const settings::UserFolder user_folder = choose_user_folder(location, *state, messages);
  const ScratchFolder scratch{user_folder.keeps_changes ? std::string() : user_folder.folder};
  state->end_program = [] { QCoreApplication::exit(0); };
  state->process_events = [] { QCoreApplication::processEvents(); };
  state->language = language_of_run(command_line, *state);
  QTranslator qt_japanese;
  use_language(application, *state, qt_japanese);
  messages.set_help_path(state->help_path());

  // One copy per user folder: a second start brings the running one forward and ends.
  app::SingleInstance single_instance(state->user_folder(), state->language);
  const app::SingleInstance::Outcome guard = single_instance.claim();
  if (!single_instance.notice().isEmpty())
    messages.error(nullptr, single_instance.notice().toStdString());
  if (!app::SingleInstance::runs(guard))
    return guard == app::SingleInstance::Outcome::kForwarded ? 0 : 1;
  if (guard == app::SingleInstance::Outcome::kGuarding) {
    // Holding the folder's guard, no other copy writes there: what interrupted writes and
    // killed runs left is no one's.
    settings::remove_interrupted_writes(state->user_folder());
    app::remove_stale_scratch_folders(QDir::tempPath().toStdString());
  }

  app::Navigator navigator(*state);
  // Logout and shutdown (SIGHUP, SIGTERM) end the program as closing the window does.
  app::TerminationSignals termination;
  termination.close_on_signal(navigator.main_window());
  if (!navigator.start()) return navigator.start_aborted() ? 0 : 1;
  if (termination.received()) return 0;  // ended while starting: nothing to store yet
  navigator.main_window()->show();
  single_instance.bring_forward_on_request(navigator.main_window());
  return application.exec();
}
