// SPDX-License-Identifier: MIT
#include "settings/program_files.h"

#include "data/hotel_tables.h"
#include "data/tables.h"
#include "files/replace_file.h"
#include "text/text.h"

#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>

namespace ravolin::settings {
namespace {

namespace fs = std::filesystem;

std::string join(const std::string& folder, const std::string& name) {
  return (fs::path(folder) / name).lexically_normal().string();
}

bool known_edition(const std::string& name) {
  const auto& names = edition_names();
  return std::find(names.begin(), names.end(), name) != names.end();
}

std::string folder_name(const std::string& folder) {
  fs::path p = fs::path(folder).lexically_normal();
  if (!p.has_filename()) p = p.parent_path();  // "a/b/" names "b"
  return p.filename().string();
}

}  // namespace

const std::vector<std::string>& edition_names() {
  static const std::vector<std::string> names{"tokaido", "tohoku", "joetsu"};
  return names;
}

CommandLine parse_command_line(const std::vector<std::string>& args) {
  CommandLine cl;
  auto set_edition = [&](const std::string& name) {
    if (name.empty()) {
      cl.error = "--edition には版の名前 (tokaido, tohoku, joetsu) が要ります";
      cl.error_ascii = "--edition needs the name of an edition (tokaido, tohoku, joetsu)";
    } else if (!known_edition(name)) {
      cl.error = "版 「" + name + "」 はありません (tokaido, tohoku, joetsu のいずれか)";
      cl.error_ascii = "no edition '" + name + "' (one of tokaido, tohoku, joetsu)";
    } else {
      cl.edition = name;
    }
  };
  auto set_language = [&](const std::string& code) {
    if (text::language_from_code(code)) {
      cl.language = code;
    } else {
      cl.error = "--lang には en (英語) か ja (日本語) を指定します (「" + code + "」は使えません)";
      cl.error_ascii = "--lang takes en (English) or ja (Japanese), not '" + code + "'";
    }
  };
  for (std::size_t i = 0; i < args.size() && cl.error.empty(); ++i) {
    const std::string& a = args[i];
    if (a == "--help" || a == "-h") {
      cl.help = true;
    } else if (a == "--version") {
      cl.version = true;
    } else if (a == "--edition") {
      if (i + 1 < args.size()) {
        set_edition(args[++i]);
      } else {
        set_edition("");
      }
    } else if (a.rfind("--edition=", 0) == 0) {
      set_edition(a.substr(10));
    } else if (a == "--lang") {
      set_language(i + 1 < args.size() ? args[++i] : std::string());
    } else if (a.rfind("--lang=", 0) == 0) {
      set_language(a.substr(7));
    } else if (a.rfind("--", 0) == 0 && a.size() > 2) {
      cl.error = "不明なオプション " + a;
      cl.error_ascii = "unknown option " + a;
    }
  }
  if (!cl.error.empty()) cl.help = cl.version = false;
  return cl;
}

namespace {

// The Japanese text in the terminal's character set, or nullopt when it cannot show it.
std::optional<std::string> for_terminal(const std::string& utf8, const std::string& codeset) {
  if (codeset == "UTF-8" || codeset == "utf8") return utf8;
  return text::utf8_to_charset(utf8, codeset);
}

std::string usage_ascii() {
  std::string s;
  s += "usage: ravolin [--edition EDITION]\n";
  s += "Shinkansen departure board, route search and hotel directory.\n";
  s += "\n";
  s += "  --edition tokaido   Tokaido and Sanyo Shinkansen (the default)\n";
  s += "  --edition tohoku    Tohoku, Yamagata and Akita Shinkansen\n";
  s += "  --edition joetsu    Joetsu and Nagano Shinkansen\n";
  s += "  --lang en|ja        English or Japanese windows (default: the settings\n";
  s += "                      window's choice, else the desktop's language)\n";
  s += "  --help              print this help and exit\n";
  s += "  --version           print the version and exit\n";
  s += "\n";
  s += "The settings file and hotelusr.csv are kept in the program folder when it is\n";
  s += "writable, else (when installed) in $XDG_CONFIG_HOME/ravolin/<edition>/\n";
  s += "(by default ~/.config/ravolin/<edition>/).\n";
  return s;
}

std::string usage_japanese() {
  std::string s;
  s += "使い方: ravolin [--edition 版]\n";
  s += "新幹線の発車案内・経路検索・ホテル案内。\n";
  s += "\n";
  s += "  --edition tokaido   東海道・山陽新幹線 (省略時)\n";
  s += "  --edition tohoku    東北・山形・秋田新幹線\n";
  s += "  --edition joetsu    上越・長野行新幹線\n";
  s += "  --lang en|ja        画面の言語 (英語／日本語。省略時は動作環境の指定、\n";
  s += "                      なければデスクトップの言語)\n";
  s += "  --help              この説明を表示して終了します\n";
  s += "  --version           バージョンを表示して終了します\n";
  s += "\n";
  s += "設定ファイルと hotelusr.csv は、プログラムのフォルダに書き込めるときはそこに、\n";
  s += "書き込めないとき (インストールしたとき) は $XDG_CONFIG_HOME/ravolin/<版>/\n";
  s += "(既定は ~/.config/ravolin/<版>/) に置きます。\n";
  return s;
}

}  // namespace

text::Language terminal_language(const std::vector<std::string>& args, text::Language desktop,
                                 const std::string& codeset) {
  std::optional<text::Language> chosen;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::optional<text::Language> here;
    if (args[i] == "--lang" && i + 1 < args.size())
      here = text::language_from_code(args[++i]);
    else if (args[i].rfind("--lang=", 0) == 0)
      here = text::language_from_code(std::string_view(args[i]).substr(7));
    if (here) chosen = here;
  }
  const text::Language language = chosen.value_or(desktop);
  if (language == text::Language::kJapanese && !for_terminal("日本語", codeset))
    return text::Language::kEnglish;
  return language;
}

std::string usage_text(const std::string& codeset, text::Language language) {
  if (language == text::Language::kEnglish) return usage_ascii();
  return for_terminal(usage_japanese(), codeset).value_or(usage_ascii());
}

std::string refusal_text(const CommandLine& cl, const std::string& codeset,
                         text::Language language) {
  if (language != text::Language::kEnglish)
    if (auto japanese = for_terminal("ravolin: " + cl.error + "\n\n" + usage_japanese(), codeset))
      return *japanese;
  return "ravolin: " + cl.error_ascii + "\n\n" + usage_ascii();
}

std::string version_text() {
  std::string s = "ravolin ";
  s += data::kProgramVersion;
  s += '\n';
  return s;
}

text::Language choose_language(const std::string& command_line, const std::string& settings_key,
                               text::Language desktop) {
  if (const auto chosen = text::language_from_code(command_line)) return *chosen;
  if (const auto stored = text::language_from_code(settings_key)) return *stored;
  return desktop;
}

ProgramLocation locate_program_folder(const std::string& exe_folder,
                                      const std::string& installed_data, const std::string& edition,
                                      const std::function<bool(const std::string&)>& has_data) {
  ProgramLocation loc;
  if (edition.empty()) {
    if (has_data(exe_folder) || installed_data.empty() ||
        !has_data(join(installed_data, kDefaultEdition))) {
      loc.folder = exe_folder;
      loc.edition = folder_name(exe_folder);
      return loc;
    }
    loc.folder = join(installed_data, kDefaultEdition);
    loc.edition = kDefaultEdition;
    loc.installed = true;
    return loc;
  }
  loc.edition = edition;
  if (!installed_data.empty() && has_data(join(installed_data, edition))) {
    loc.folder = join(installed_data, edition);
    loc.installed = true;
    return loc;
  }
  // The build tree: program/<edition>/ beside the folder of the executable.
  const std::string own = fs::path(exe_folder).lexically_normal().string();
  const std::string sibling = join(fs::path(own).parent_path().string(), edition);
  if (folder_name(own) == edition && has_data(own)) {
    loc.folder = own;
    return loc;
  }
  if (has_data(sibling)) {
    loc.folder = sibling;
    return loc;
  }
  loc.error = "版 " + edition + " のデータファイルが見つかりません";
  return loc;
}

std::string desktop_identity(const ProgramLocation& location, int data_edition_code) {
  const auto& names = edition_names();
  if (data_edition_code >= 1 && data_edition_code <= static_cast<int>(names.size()))
    return "ravolin-" + names[static_cast<std::size_t>(data_edition_code - 1)];
  if (known_edition(location.edition)) return "ravolin-" + location.edition;
  return "ravolin";
}

namespace {

// Whether `folder` is `tree` or lies below it, links resolved as far as the folders exist.
bool inside(const std::string& folder, const std::string& tree) {
  std::error_code ec;
  const fs::path f = fs::weakly_canonical(folder, ec);
  const fs::path t = fs::weakly_canonical(tree, ec);
  if (ec || t.empty()) return false;
  const fs::path below = f.lexically_relative(t);
  return !below.empty() && *below.begin() != "..";
}

}  // namespace

std::string choose_user_folder(const ProgramLocation& location, const Environment& env,
                               const std::function<bool(const std::string&)>& is_writable) {
  if (!location.installed && is_writable(location.folder)) return location.folder;
  const std::string edition = location.edition.empty() ? kDefaultEdition : location.edition;
  // The installed tree: share/ravolin/, the parent of the installed edition folder.
  const std::string installed_tree =
      location.installed ? fs::path(location.folder).lexically_normal().parent_path().string()
                         : std::string();
  const auto usable = [&](const std::string& config) {
    if (config.empty() || !fs::path(config).is_absolute()) return std::string();
    const std::string folder = join(join(config, "ravolin"), edition);
    if (!installed_tree.empty() && inside(folder, installed_tree)) return std::string();
    return folder;
  };
  if (std::string folder = usable(env.xdg_config_home); !folder.empty()) return folder;
  if (env.home.empty() || !fs::path(env.home).is_absolute()) return {};
  return usable(join(env.home, ".config"));
}

std::vector<std::string> seeded_file_names() {
  std::vector<std::string> names;
  for (int code = 1; code <= 3; ++code) names.emplace_back(data::find_edition(code)->settings_file);
  names.emplace_back(hotels::kUserHotelFileName);
  return names;
}

namespace {

// Makes folder and every missing folder above it, each readable by its owner only.
// Folders that are already there are left as they are.
bool make_private_folders(const std::string& folder, std::string& error) {
  const fs::path target = fs::path(folder).lexically_normal();
  fs::path made;
  for (const fs::path& part : target) {
    made /= part;
    if (part.empty() || part == made.root_path()) continue;
    const std::string p = made.string();
    struct stat st {};
    if (::stat(p.c_str(), &st) == 0) {
      if (S_ISDIR(st.st_mode)) continue;
      error = file_error("フォルダを作成できません", folder, ENOTDIR);
      return false;
    }
    // 0700 exactly, whatever the umask says (settings and hotel notes are the user's own).
    const bool made_now = ::mkdir(p.c_str(), 0700) == 0;
    if ((!made_now && errno != EEXIST) || (made_now && ::chmod(p.c_str(), 0700) != 0)) {
      error = file_error("フォルダを作成できません", folder, errno);
      return false;
    }
  }
  return true;
}

// Why choose_user_folder found no folder, for the message at start.
std::string no_folder_reason(const Environment& env) {
  if (env.home.empty()) return "HOME が設定されていません";
  if (!fs::path(env.home).is_absolute()) return "HOME が相対パスです: " + env.home;
  return "インストールされたフォルダの中は使えません: " + join(env.home, ".config");
}

// The scratch folder of a run without a user folder. If not even that can be made, a
// place below /dev/null, where no file can ever be made or found: every write then fails
// and is reported, and nothing is written elsewhere.
std::string make_scratch_folder(const std::string& parent) {
  std::string pattern =
      join(parent.empty() ? "/tmp" : parent, std::string(kScratchFolderPrefix) + "XXXXXX");
  if (::mkdtemp(pattern.data()) != nullptr) return pattern;
  return "/dev/null/ravolin";
}

}  // namespace

bool seed_user_folder(const std::string& program_folder, const std::string& user_folder,
                      const std::vector<std::string>& names, std::string& error) {
  std::error_code ec;
  if (!fs::is_directory(user_folder, ec) && !make_private_folders(user_folder, error)) return false;
  for (const std::string& name : names) {
    const std::string from = join(program_folder, name);
    const std::string to = join(user_folder, name);
    if (fs::exists(fs::symlink_status(to, ec)) || !fs::is_regular_file(from, ec)) continue;
    // The seeded files are settings files and the hotel file; the larger limit serves both.
    std::string bytes;
    if (!read_whole_file(from, kMaxUserHotelFileBytes, bytes, error) ||
        !replace_file(to, bytes, error))
      return false;
  }
  return true;
}

UserFolder prepare_user_folder(const ProgramLocation& location, const Environment& env,
                               const std::function<bool(const std::string&)>& is_writable,
                               const std::string& scratch_parent) {
  UserFolder u;
  u.folder = choose_user_folder(location, env, is_writable);
  std::string error;
  if (!u.folder.empty() &&
      (u.folder == location.folder ||
       seed_user_folder(location.folder, u.folder, seeded_file_names(), error))) {
    return u;
  }
  const std::string why =
      u.folder.empty() ? "設定を保存するフォルダがありません（" + no_folder_reason(env) + "）。"
                       : "設定を保存するフォルダを用意できません。\n" + error;
  u.notice = why + "\n設定とホテル情報の変更は保存されません。";
  u.keeps_changes = false;
  u.folder = make_scratch_folder(scratch_parent);
  seed_user_folder(location.folder, u.folder, seeded_file_names(), error);
  return u;
}

int remove_interrupted_writes(const std::string& user_folder) {
  // Called once this copy holds the folder's guard: no other copy can be writing here, so
  // every temporary of the program's own is left over from a write that was cut short.
  return remove_stale_temporaries(user_folder, 0);
}

namespace {

// The window system asked for: -platform on the command line, else QT_QPA_PLATFORM.
std::string asked_platform(const std::vector<std::string>& args, const DisplayEnvironment& env) {
  std::string platform = env.qt_qpa_platform;
  for (std::size_t i = 0; i + 1 < args.size(); ++i)
    if (args[i] == "-platform" || args[i] == "--platform") platform = args[i + 1];
  return platform;
}

std::string start_from_desktop(text::Language language) {
  return language == text::Language::kEnglish ? "Start the program from within the desktop.\n"
                                              : "デスクトップの中から起動してください。\n";
}

}  // namespace

std::string missing_display_message(const std::vector<std::string>& args,
                                    const DisplayEnvironment& env, text::Language language) {
  const std::string platform = asked_platform(args, env);
  // "xcb", "wayland", "wayland;xcb", "xcb:option=..." all need a display server.
  const std::string first = platform.substr(0, platform.find_first_of(";:"));
  const bool needs_server = first.empty() || first == "xcb" || first.rfind("wayland", 0) == 0;
  if (!needs_server || !env.display.empty() || !env.wayland_display.empty()) return {};
  if (language == text::Language::kEnglish)
    return "cannot connect to a screen (neither DISPLAY nor WAYLAND_DISPLAY is set).\n" +
           start_from_desktop(language);
  return "画面に接続できません（DISPLAY も WAYLAND_DISPLAY も設定されていません）。\n" +
         start_from_desktop(language);
}

std::string unusable_display_message(const std::vector<std::string>& args,
                                     const DisplayEnvironment& env, text::Language language) {
  const std::string platform = asked_platform(args, env);
  std::string named;
  if (!platform.empty()) named = "QT_QPA_PLATFORM=" + platform;
  if (!env.display.empty()) named += (named.empty() ? "" : ", ") + ("DISPLAY=" + env.display);
  if (!env.wayland_display.empty())
    named += (named.empty() ? "" : ", ") + ("WAYLAND_DISPLAY=" + env.wayland_display);
  if (language == text::Language::kEnglish)
    return "cannot connect to a screen (" + named + " cannot be opened).\n" +
           start_from_desktop(language);
  return "画面に接続できません（" + named + " を開けません）。\n" + start_from_desktop(language);
}

}  // namespace ravolin::settings
