// SPDX-License-Identifier: MIT
// Where the program's files are: the command line, the program folder of an edition
// (beside the executable, or installed under share/ravolin/<edition>/), and the folder of
// the files the program writes (the settings file and hotelusr.csv).
//
// A writable program folder (a build tree, a copied folder) keeps the written files beside
// the program. An installed program folder is shared by every user of the machine and is
// never written: each user then has a folder of their own,
// $XDG_CONFIG_HOME/ravolin/<edition>/ (default ~/.config/ravolin/<edition>/), seeded at the
// first start from the defaults in the program folder.
#pragma once

#include "text/language.h"

#include <functional>
#include <string>
#include <vector>

namespace ravolin::settings {

inline constexpr const char* kDefaultEdition = "tokaido";

// The three edition folder names, in edition code order (1, 2, 3).
const std::vector<std::string>& edition_names();

struct CommandLine {
  bool help = false;
  bool version = false;
  std::string edition;      // empty: not given
  std::string language;     // "en" or "ja" from --lang; empty: not given
  std::string error;        // non-empty: the arguments are refused for this reason
  std::string error_ascii;  // the same reason in English, for a terminal without Japanese
};

// Reads the program's own options (--edition NAME, --edition=NAME, --lang en|ja,
// --lang=en|ja, --help, -h, --version).
// Arguments with a single dash and plain words are left to the window system (-platform,
// -style ...); an unknown "--" option or an unknown edition is refused, wherever it stands:
// a refused command line asks for neither help nor version.
CommandLine parse_command_line(const std::vector<std::string>& args);

// The language of what the program says in the terminal before any window: --lang (en or
// ja) wherever it stands, even on a line refused for another reason, else the desktop's
// (the settings file is not read for a text printed before the program folder is known);
// English when the terminal's character set `codeset` cannot show Japanese.
text::Language terminal_language(const std::vector<std::string>& args, text::Language desktop,
                                 const std::string& codeset = "UTF-8");

// The text of --help, and of a refused command line (the reason, then the help), for a
// terminal whose character set is `codeset` (the locale's, nl_langinfo(CODESET)): English
// in ASCII when `language` is English; Japanese in that character set where it has every
// character, else English in ASCII.
std::string usage_text(const std::string& codeset = "UTF-8",
                       text::Language language = text::Language::kJapanese);
std::string refusal_text(const CommandLine& cl, const std::string& codeset = "UTF-8",
                         text::Language language = text::Language::kJapanese);
std::string version_text();

// The language of a run: --lang when given, else the one chosen in the settings window
// (`language` of the settings file; a value other than "en" or "ja" counts as none), else
// the desktop's (text::language_of_locale, Japanese when the locale says nothing).
text::Language choose_language(const std::string& command_line, const std::string& settings_key,
                               text::Language desktop);

struct ProgramLocation {
  std::string folder;      // the program folder: data file, help file, default settings
  std::string edition;     // its edition folder name: the name of the user's own folder
  bool installed = false;  // under share/ravolin/: shared, never written
  std::string error;       // non-empty: no program folder for the requested edition
};

// Finds the program folder. exe_folder is the executable's folder; installed_data is the
// folder that holds the installed editions (share/ravolin, found from the executable);
// has_data tells whether a folder holds the data file.
//  - Without an edition: the executable's own folder when it holds the data file (a build
//    tree or a copied folder), else the installed default edition, else the executable's
//    folder (whose missing data file start-up then reports).
//  - With an edition: the installed edition, else the edition's folder beside the
//    executable's own (the build tree's program/<edition>/), else an error.
ProgramLocation locate_program_folder(const std::string& exe_folder,
                                      const std::string& installed_data, const std::string& edition,
                                      const std::function<bool(const std::string&)>& has_data);

// The program's name to the desktop (its window class and desktop entry): "ravolin-" and
// the edition that the data file names (its edition code 1..3, 0 when unread), else the
// program folder's name when that is an edition's, else "ravolin". A copied folder named
// "p1" holding the Tokaido data is "ravolin-tokaido", as the installed edition is.
std::string desktop_identity(const ProgramLocation& location, int data_edition_code);

// $XDG_CONFIG_HOME and $HOME as the program found them (empty when unset).
struct Environment {
  std::string xdg_config_home;
  std::string home;
};

// The folder of the files the program writes. A program folder that is not installed
// and is writable keeps them; otherwise $XDG_CONFIG_HOME/ravolin/<edition> (an
// XDG_CONFIG_HOME that is not an absolute path is ignored, as the XDG rules say), else
// $HOME/.config/ravolin/<edition>. Empty when neither variable gives a folder. A folder
// inside the installed tree (the share/ravolin/ that holds the installed program folder)
// is never chosen, whatever the variables say: it is shared by every user and is the
// package's own.
std::string choose_user_folder(const ProgramLocation& location, const Environment& env,
                               const std::function<bool(const std::string&)>& is_writable);

// The files the program writes that the program folder may hold defaults for: every
// edition's settings file and hotelusr.csv.
std::vector<std::string> seeded_file_names();

// Creates the user folder when missing, each folder it has to make readable by its owner
// only (also ~/.config and ~/.config/ravolin, as the XDG rules ask), and copies each named
// file that the program folder holds and the user folder lacks. A file the user folder
// already has is never touched. False with the reason when the folder cannot be made or a
// file cannot be copied.
bool seed_user_folder(const std::string& program_folder, const std::string& user_folder,
                      const std::vector<std::string>& names, std::string& error);

// Where the program keeps the files it writes this run.
struct UserFolder {
  std::string folder;  // the settings file and hotelusr.csv are read and written here
  // false: there is no folder of the user's own. folder is then a private scratch copy of
  // the defaults that lives only as long as this run (the program folder is never
  // written): nothing the user changes is kept, and the settings are not stored at exit.
  bool keeps_changes = true;
  std::string notice;  // the one message for the user at start; empty when all is well
};

// Chooses the user folder (choose_user_folder), makes and seeds it. When there is none,
// or it cannot be made, a scratch folder (kScratchFolderPrefix and six letters or digits)
// is made under scratch_parent (the temporary folder) and the notice says that changes
// will not be saved.
UserFolder prepare_user_folder(const ProgramLocation& location, const Environment& env,
                               const std::function<bool(const std::string&)>& is_writable,
                               const std::string& scratch_parent);
inline constexpr const char* kScratchFolderPrefix = "ravolin-";

// Removes the temporary files that interrupted writes left in the user folder. Only the
// copy that holds the folder's one-copy guard calls it, once it holds it, so that no write
// of another copy is in hand there. Returns how many went.
int remove_interrupted_writes(const std::string& user_folder);

// The window system settings the program starts with.
struct DisplayEnvironment {
  std::string qt_qpa_platform;  // $QT_QPA_PLATFORM
  std::string display;          // $DISPLAY
  std::string wayland_display;  // $WAYLAND_DISPLAY
};
// The message for a start without a screen to show the windows on (the X11 or Wayland
// platform with neither DISPLAY nor WAYLAND_DISPLAY set); empty when there is a screen or
// another platform (offscreen, vnc ...) is asked for, by QT_QPA_PLATFORM or -platform.
std::string missing_display_message(const std::vector<std::string>& args,
                                    const DisplayEnvironment& env,
                                    text::Language language = text::Language::kJapanese);
// The message for a screen that was named but could not be opened (a DISPLAY with no such
// display, a QT_QPA_PLATFORM that does not exist): the window system refused to start.
std::string unusable_display_message(const std::vector<std::string>& args,
                                     const DisplayEnvironment& env,
                                     text::Language language = text::Language::kJapanese);

}  // namespace ravolin::settings
