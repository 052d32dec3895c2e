// SPDX-License-Identifier: MIT
// The command line, the program folder of an edition and the folder of the files the
// program writes (settings file, hotelusr.csv).
#include "settings/program_files.h"

#include "files/replace_file.h"

#include "support/program_folder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <ctime>
#include <filesystem>
#include <set>

namespace ravolin::settings {
namespace {

namespace fs = std::filesystem;

TEST(CommandLine, EditionHelpAndVersionAreReadAndWindowSystemArgumentsLeftAlone) {
  CommandLine none = parse_command_line({});
  EXPECT_TRUE(none.edition.empty());
  EXPECT_FALSE(none.help || none.version);
  EXPECT_EQ(none.error, "");

  EXPECT_EQ(parse_command_line({"--edition", "tohoku"}).edition, "tohoku");
  EXPECT_EQ(parse_command_line({"--edition=joetsu"}).edition, "joetsu");
  EXPECT_TRUE(parse_command_line({"--help"}).help);
  EXPECT_TRUE(parse_command_line({"-h"}).help);
  EXPECT_TRUE(parse_command_line({"--version"}).version);

  // Qt's own options and their values pass through untouched.
  CommandLine qt = parse_command_line({"-platform", "offscreen", "--edition", "tokaido"});
  EXPECT_EQ(qt.error, "");
  EXPECT_EQ(qt.edition, "tokaido");
}

TEST(CommandLine, UnknownEditionsMissingValuesAndUnknownLongOptionsAreRefused) {
  for (const auto& args : std::vector<std::vector<std::string>>{{"--edition"},
                                                                {"--edition="},
                                                                {"--edition", "sanyo"},
                                                                {"--edition", "../tohoku"},
                                                                {"--editon", "tohoku"},
                                                                {"--folder=/tmp"}}) {
    CommandLine cl = parse_command_line(args);
    EXPECT_NE(cl.error, "") << args[0];
    EXPECT_TRUE(cl.edition.empty()) << args[0];
  }
  EXPECT_NE(parse_command_line({"--edition", "sanyo"}).error.find("sanyo"), std::string::npos);
}

TEST(CommandLine, ARefusedOptionWinsOverHelpAndVersionWhereverItStands) {
  for (const auto& args : std::vector<std::vector<std::string>>{{"--help", "--bogus"},
                                                                {"--bogus", "--help"},
                                                                {"-h", "--edition", "sanyo"},
                                                                {"--version", "--edition"}}) {
    const CommandLine cl = parse_command_line(args);
    EXPECT_NE(cl.error, "") << args[0] << " " << args[1];
    EXPECT_NE(cl.error_ascii, "") << args[0] << " " << args[1];
    EXPECT_FALSE(cl.help || cl.version) << args[0] << " " << args[1];
  }
}

TEST(CommandLine, HelpAndRefusalAreInTheTerminalsCharacterSetOrInAscii) {
  EXPECT_EQ(usage_text("UTF-8").rfind("使い方: ravolin [--edition 版]\n", 0), 0u);
  // EUC-JP: 使い方 is BB C8 A4 A4 CA FD.
  EXPECT_EQ(usage_text("EUC-JP").rfind("\xBB\xC8\xA4\xA4\xCA\xFD: ravolin", 0), 0u);

  // A terminal that cannot show Japanese (LANG=C) gets the English help in ASCII.
  const std::string ascii = usage_text("ANSI_X3.4-1968");
  EXPECT_EQ(ascii.rfind("usage: ravolin [--edition EDITION]\n", 0), 0u) << ascii;
  for (char c : ascii) EXPECT_LT(static_cast<unsigned char>(c), 0x80u) << ascii;
  for (const char* ed : {"tokaido", "tohoku", "joetsu"})
    EXPECT_NE(ascii.find(std::string("--edition ") + ed), std::string::npos) << ed;
  EXPECT_EQ(usage_text("ISO-8859-1"), ascii);

  const CommandLine bogus = parse_command_line({"--bogus"});
  EXPECT_EQ(refusal_text(bogus, "ANSI_X3.4-1968"), "ravolin: unknown option --bogus\n\n" + ascii);
  EXPECT_EQ(refusal_text(bogus, "UTF-8"), "ravolin: 不明なオプション --bogus\n\n" + usage_text());
}

TEST(CommandLine, TheTerminalsLanguageIsTheCommandLinesThenTheDesktopsInACharacterSetForIt) {
  using text::Language;
  EXPECT_EQ(terminal_language({"--lang", "en", "--help"}, Language::kJapanese), Language::kEnglish);
  EXPECT_EQ(terminal_language({"--lang=ja"}, Language::kEnglish), Language::kJapanese);
  // Wherever it stands, a refused option before it or not; a refused value says nothing.
  EXPECT_EQ(terminal_language({"--bogus", "--lang", "en"}, Language::kJapanese),
            Language::kEnglish);
  EXPECT_EQ(terminal_language({"--lang", "fr"}, Language::kEnglish), Language::kEnglish);
  EXPECT_EQ(terminal_language({"--edition", "--lang"}, Language::kJapanese), Language::kJapanese);
  EXPECT_EQ(terminal_language({}, Language::kEnglish), Language::kEnglish);
  // Japanese only where the terminal can show it.
  EXPECT_EQ(terminal_language({"--lang", "ja"}, Language::kJapanese, "ANSI_X3.4-1968"),
            Language::kEnglish);
  EXPECT_EQ(terminal_language({}, Language::kJapanese, "EUC-JP"), Language::kJapanese);

  // English texts are English in any character set.
  EXPECT_EQ(usage_text("UTF-8", Language::kEnglish), usage_text("ANSI_X3.4-1968"));
  EXPECT_EQ(refusal_text(parse_command_line({"--edition", "nara"}), "UTF-8", Language::kEnglish),
            "ravolin: no edition 'nara' (one of tokaido, tohoku, joetsu)\n\n" +
                usage_text("ANSI_X3.4-1968"));
}

TEST(CommandLine, HelpNamesEveryEditionAndVersionIsTheProgramVersion) {
  const std::string usage = usage_text();
  for (const char* ed : {"tokaido", "tohoku", "joetsu"})
    EXPECT_NE(usage.find(std::string("--edition ") + ed), std::string::npos) << ed;
  EXPECT_EQ(version_text(), "ravolin 1.59\n");
}

TEST(CommandLine, LangTakesEnOrJaAndRefusesAnythingElse) {
  EXPECT_EQ(parse_command_line({"--lang", "en"}).language, "en");
  EXPECT_EQ(parse_command_line({"--lang=ja", "--edition", "tohoku"}).language, "ja");
  EXPECT_EQ(parse_command_line({}).language, "");
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"--lang"}, {"--lang="}, {"--lang", "fr"}, {"--lang=EN"}, {"--lang", "en_GB"}}) {
    const CommandLine cl = parse_command_line(args);
    EXPECT_NE(cl.error.find("--lang"), std::string::npos) << args.back();
    EXPECT_NE(cl.error_ascii.find("--lang"), std::string::npos) << args.back();
    EXPECT_EQ(cl.language, "") << args.back();
  }
  EXPECT_NE(parse_command_line({"--lang", "fr"}).error_ascii.find("'fr'"), std::string::npos);
  EXPECT_NE(usage_text().find("--lang en"), std::string::npos);
  EXPECT_NE(usage_text("ANSI_X3.4-1968").find("--lang en"), std::string::npos);
}

TEST(LanguageChoice, CommandLineThenSettingsFileThenDesktopLocale) {
  using text::Language;
  // The command line wins over everything.
  EXPECT_EQ(choose_language("en", "ja", Language::kJapanese), Language::kEnglish);
  EXPECT_EQ(choose_language("ja", "en", Language::kEnglish), Language::kJapanese);
  // Then the choice stored in the settings file.
  EXPECT_EQ(choose_language("", "en", Language::kJapanese), Language::kEnglish);
  EXPECT_EQ(choose_language("", "ja", Language::kEnglish), Language::kJapanese);
  // Then the desktop; an odd stored value is no choice.
  EXPECT_EQ(choose_language("", "", Language::kEnglish), Language::kEnglish);
  EXPECT_EQ(choose_language("", "fr", Language::kEnglish), Language::kEnglish);
  // Nothing says English: Japanese.
  EXPECT_EQ(choose_language("", "", text::language_of_locale(nullptr, nullptr, nullptr, nullptr)),
            Language::kJapanese);
}

// Folders that hold a data file, for the location rules.
std::function<bool(const std::string&)> data_in(std::set<std::string> folders) {
  return [folders](const std::string& f) { return folders.count(f) > 0; };
}

TEST(ProgramLocation, BuildTreeAndCopiedFoldersAreUsedBesideTheExecutable) {
  const auto has = data_in({"/b/program/tokaido", "/b/program/tohoku", "/copy/mine"});
  ProgramLocation own =
      locate_program_folder("/b/program/tohoku", "/b/program/share/ravolin", "", has);
  EXPECT_EQ(own.folder, "/b/program/tohoku");
  EXPECT_EQ(own.edition, "tohoku");
  EXPECT_FALSE(own.installed);

  // --edition in the build tree picks the sibling edition folder.
  ProgramLocation sibling =
      locate_program_folder("/b/program/tokaido", "/b/program/share/ravolin", "tohoku", has);
  EXPECT_EQ(sibling.folder, "/b/program/tohoku");
  EXPECT_FALSE(sibling.installed);
  EXPECT_EQ(locate_program_folder("/b/program/tokaido", "", "tokaido", has).folder,
            "/b/program/tokaido");

  ProgramLocation copy = locate_program_folder("/copy/mine", "/copy/share/ravolin", "", has);
  EXPECT_EQ(copy.folder, "/copy/mine");
  EXPECT_EQ(copy.edition, "mine");

  ProgramLocation missing = locate_program_folder("/b/program/tokaido", "", "joetsu", has);
  EXPECT_NE(missing.error, "");
  EXPECT_NE(missing.error.find("joetsu"), std::string::npos);
}

TEST(ProgramLocation, InstalledEditionsAreFoundFromTheExecutableAndDefaultToTokaido) {
  const auto has = data_in({"/usr/share/ravolin/tokaido", "/usr/share/ravolin/joetsu"});
  ProgramLocation plain = locate_program_folder("/usr/bin", "/usr/share/ravolin", "", has);
  EXPECT_EQ(plain.folder, "/usr/share/ravolin/tokaido");
  EXPECT_EQ(plain.edition, "tokaido");
  EXPECT_TRUE(plain.installed);

  ProgramLocation joetsu = locate_program_folder("/usr/bin", "/usr/share/ravolin", "joetsu", has);
  EXPECT_EQ(joetsu.folder, "/usr/share/ravolin/joetsu");
  EXPECT_TRUE(joetsu.installed);
  EXPECT_NE(locate_program_folder("/usr/bin", "/usr/share/ravolin", "tohoku", has).error, "");

  // Nothing anywhere: the executable's folder, whose missing data file start-up reports.
  ProgramLocation nothing = locate_program_folder("/opt/x", "/opt/share/ravolin", "", data_in({}));
  EXPECT_EQ(nothing.folder, "/opt/x");
  EXPECT_EQ(nothing.error, "");
}

const auto writable = [](const std::string&) { return true; };
const auto read_only = [](const std::string&) { return false; };

TEST(UserFolder, AWritableProgramFolderKeepsTheUsersFilesAndAnInstalledOneNever) {
  const Environment env{"/home/ai/.cfg", "/home/ai"};
  ProgramLocation build{"/b/program/tohoku", "tohoku", false, ""};
  EXPECT_EQ(choose_user_folder(build, env, writable), "/b/program/tohoku");

  // Installed for everyone: per user, even when this user (root) could write there.
  ProgramLocation installed{"/usr/share/ravolin/tohoku", "tohoku", true, ""};
  EXPECT_EQ(choose_user_folder(installed, env, writable), "/home/ai/.cfg/ravolin/tohoku");
  EXPECT_EQ(choose_user_folder(build, env, read_only), "/home/ai/.cfg/ravolin/tohoku");
}

TEST(UserFolder, XdgConfigHomeThenHomeDotConfigAndNothingWithoutEither) {
  ProgramLocation loc{"/usr/share/ravolin/joetsu", "joetsu", true, ""};
  EXPECT_EQ(choose_user_folder(loc, {"", "/home/bo"}, read_only),
            "/home/bo/.config/ravolin/joetsu");
  // A relative XDG_CONFIG_HOME is not a base directory.
  EXPECT_EQ(choose_user_folder(loc, {"cfg", "/home/bo"}, read_only),
            "/home/bo/.config/ravolin/joetsu");
  EXPECT_EQ(choose_user_folder(loc, {"/x/", "/home/bo"}, read_only), "/x/ravolin/joetsu");
  EXPECT_EQ(choose_user_folder(loc, {"", ""}, read_only), "");
  EXPECT_EQ(choose_user_folder(loc, {"", "relative"}, read_only), "");

  // Two users of one machine get two folders.
  EXPECT_NE(choose_user_folder(loc, {"", "/home/a"}, read_only),
            choose_user_folder(loc, {"", "/home/b"}, read_only));
}

TEST(UserFolder, NoVariableLeadsIntoTheInstalledTree) {
  ProgramLocation loc{"/usr/share/ravolin/tokaido", "tokaido", true, ""};
  // XDG_CONFIG_HOME=/usr/share would name the installed program folder itself.
  for (const char* config :
       {"/usr/share", "/usr/share/", "/usr/share/ravolin", "/usr/share/ravolin/tohoku",
        "/usr/share/../share", "/usr//share/./ravolin/x"})
    EXPECT_EQ(choose_user_folder(loc, {config, "/home/ai"}, writable),
              "/home/ai/.config/ravolin/tokaido")
        << config;
  // A HOME there too leaves no folder; the start says why.
  EXPECT_EQ(choose_user_folder(loc, {"/usr/share", "/usr/share/ravolin"}, writable), "");
  // Beside the tree is not inside it.
  EXPECT_EQ(choose_user_folder(loc, {"/usr/share/ravolin-x", ""}, writable),
            "/usr/share/ravolin-x/ravolin/tokaido");
  EXPECT_EQ(choose_user_folder(loc, {"/usr", ""}, writable), "/usr/ravolin/tokaido");
}

TEST(UserFolder, TheDesktopKnowsTheProgramByTheDataFilesEdition) {
  const ProgramLocation copied{"/home/ai/p1", "p1", false, ""};
  EXPECT_EQ(desktop_identity(copied, 1), "ravolin-tokaido");
  EXPECT_EQ(desktop_identity(copied, 3), "ravolin-joetsu");
  EXPECT_EQ(desktop_identity(copied, 0), "ravolin");  // no data file
  const ProgramLocation build{"/b/program/tohoku", "tohoku", false, ""};
  EXPECT_EQ(desktop_identity(build, 2), "ravolin-tohoku");
  EXPECT_EQ(desktop_identity(build, 0), "ravolin-tohoku");
  EXPECT_EQ(desktop_identity(build, 4), "ravolin-tohoku");
}

TEST(UserFolder, FirstStartCreatesThePrivateFolderAndSeedsItFromTheInstalledDefaults) {
  test_support::ProgramFolder program;  // the installed defaults
  program.write_file("ravolin3.ini", "defaults\r\n");
  program.write_file("hotelusr.csv", "\"h\"\r\n");
  test_support::ProgramFolder home;
  const std::string user = home.path() + "/.config/ravolin/tohoku";

  std::string error;
  ASSERT_TRUE(seed_user_folder(program.path(), user, seeded_file_names(), error)) << error;
  EXPECT_EQ(home.read_file(".config/ravolin/tohoku/ravolin3.ini"), "defaults\r\n");
  EXPECT_EQ(home.read_file(".config/ravolin/tohoku/hotelusr.csv"), "\"h\"\r\n");
  EXPECT_FALSE(home.exists(".config/ravolin/tohoku/ravolin2.ini"));  // none delivered
  EXPECT_EQ(fs::status(user).permissions() & fs::perms::all, fs::perms::owner_all);
  // The defaults stay as delivered.
  EXPECT_EQ(program.read_file("ravolin3.ini"), "defaults\r\n");
}

TEST(UserFolder, AnExistingUserFolderKeepsItsFilesAndOnlyGetsWhatItLacks) {
  test_support::ProgramFolder program;
  program.write_file("ravolin2.ini", "defaults\r\n");
  program.write_file("hotelusr.csv", "\"delivered\"\r\n");
  test_support::ProgramFolder user;
  user.write_file("ravolin2.ini", "mine\r\n");

  std::string error;
  ASSERT_TRUE(seed_user_folder(program.path(), user.path(), seeded_file_names(), error)) << error;
  EXPECT_EQ(user.read_file("ravolin2.ini"), "mine\r\n");
  EXPECT_EQ(user.read_file("hotelusr.csv"), "\"delivered\"\r\n");
  // A second start changes nothing.
  user.write_file("hotelusr.csv", "\"edited\"\r\n");
  ASSERT_TRUE(seed_user_folder(program.path(), user.path(), seeded_file_names(), error)) << error;
  EXPECT_EQ(user.read_file("hotelusr.csv"), "\"edited\"\r\n");
}

TEST(UserFolder, AFolderThatCannotBeMadeIsReportedWithItsPath) {
  test_support::ProgramFolder program;
  program.write_file("ravolin2.ini", "defaults\r\n");
  test_support::ProgramFolder home;
  home.write_file(".config", "a file where the folder should be");
  std::string error;
  EXPECT_FALSE(seed_user_folder(program.path(), home.path() + "/.config/ravolin/tokaido",
                                seeded_file_names(), error));
  EXPECT_NE(error.find("/.config/ravolin/tokaido"), std::string::npos) << error;
}

// ---- a run without a folder of the user's own ------------------------------------

// An installed layout in a temporary folder: <root>/share/ravolin/tokaido with the
// delivered settings file, and a temporary folder for the scratch copy.
class InstalledLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    program_dir = root.path() + "/share/ravolin/tokaido";
    fs::create_directories(program_dir);
    delivered = "[Form]\r\nravolin1_top=1\r\n";
    write(program_dir + "/ravolin2.ini", delivered);
    fs::create_directories(root.path() + "/tmp");
    location.folder = program_dir;
    location.edition = "tokaido";
    location.installed = true;
  }
  static void write(const std::string& path, const std::string& bytes) {
    std::string error;
    ASSERT_TRUE(replace_file(path, bytes, error)) << error;
  }
  // What is in the program folder, name by name.
  std::set<std::string> program_files() const {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(program_dir)) names.insert(e.path().filename());
    return names;
  }
  // Every folder counts as writable, as it does for an administrator.
  static bool everything_writable(const std::string&) { return true; }

  test_support::ProgramFolder root;
  std::string program_dir;
  std::string delivered;
  ProgramLocation location;
};

TEST_F(InstalledLayout, WithoutHomeTheInstalledFolderIsNeverWrittenAndTheUserIsToldOnce) {
  const UserFolder u =
      prepare_user_folder(location, {"", ""}, everything_writable, root.path() + "/tmp");
  EXPECT_FALSE(u.keeps_changes);
  EXPECT_EQ(u.notice,
            "設定を保存するフォルダがありません（HOME が設定されていません）。\n"
            "設定とホテル情報の変更は保存されません。");
  // The run works on a private copy of the defaults, outside the program folder.
  ASSERT_EQ(u.folder.rfind(root.path() + "/tmp/ravolin-", 0), 0u) << u.folder;
  EXPECT_EQ(fs::status(u.folder).permissions() & fs::perms::all, fs::perms::owner_all);
  std::string bytes, error;
  ASSERT_TRUE(read_whole_file(u.folder + "/ravolin2.ini", kMaxSettingsFileBytes, bytes, error))
      << error;
  EXPECT_EQ(bytes, delivered);
  // Whatever the run writes there, the program folder stays as delivered.
  write(u.folder + "/ravolin2.ini", "changed");
  write(u.folder + "/hotelusr.csv", "\"h\"\r\n");
  EXPECT_EQ(program_files(), (std::set<std::string>{"ravolin2.ini"}));
  ASSERT_TRUE(read_whole_file(program_dir + "/ravolin2.ini", kMaxSettingsFileBytes, bytes, error))
      << error;
  EXPECT_EQ(bytes, delivered);
}

TEST_F(InstalledLayout, AConfigFolderInsideTheInstalledTreeIsNeverWritten) {
  const std::string share = root.path() + "/share";
  const UserFolder u = prepare_user_folder(location, {share, share + "/ravolin"},
                                           everything_writable, root.path() + "/tmp");
  EXPECT_FALSE(u.keeps_changes);
  EXPECT_EQ(
      u.notice,
      "設定を保存するフォルダがありません（インストールされたフォルダの中は使えません: " + share +
          "/ravolin/.config）。\n"
          "設定とホテル情報の変更は保存されません。");
  EXPECT_EQ(program_files(), (std::set<std::string>{"ravolin2.ini"}));
  EXPECT_FALSE(fs::exists(share + "/ravolin/.config"));
  EXPECT_FALSE(fs::exists(share + "/ravolin/ravolin"));
}

TEST_F(InstalledLayout, ARelativeHomeIsReportedAsRelative) {
  const UserFolder u =
      prepare_user_folder(location, {"", "home/ai"}, everything_writable, root.path() + "/tmp");
  EXPECT_FALSE(u.keeps_changes);
  EXPECT_EQ(u.notice,
            "設定を保存するフォルダがありません（HOME が相対パスです: home/ai）。\n"
            "設定とホテル情報の変更は保存されません。");
  EXPECT_EQ(program_files(), (std::set<std::string>{"ravolin2.ini"}));
}

TEST_F(InstalledLayout, AConfigHomeThatIsAFileIsReportedInJapaneseAndNothingIsSaved) {
  write(root.path() + "/config-file", "x");
  const UserFolder u = prepare_user_folder(location, {root.path() + "/config-file", "/home/ai"},
                                           everything_writable, root.path() + "/tmp");
  EXPECT_FALSE(u.keeps_changes);
  EXPECT_EQ(u.notice,
            "設定を保存するフォルダを用意できません。\n"
            "フォルダを作成できません: " +
                root.path() +
                "/config-file/ravolin/tokaido（途中の名前がフォルダではありません）\n"
                "設定とホテル情報の変更は保存されません。");
  EXPECT_NE(u.folder.find("/tmp/ravolin-"), std::string::npos) << u.folder;
  EXPECT_EQ(program_files(), (std::set<std::string>{"ravolin2.ini"}));
}

TEST_F(InstalledLayout, AUsableHomeGetsPrivateFoldersDownFromDotConfig) {
  const mode_t saved = ::umask(022);
  const std::string home = root.path() + "/home";
  fs::create_directories(home);
  const UserFolder u =
      prepare_user_folder(location, {"", home}, everything_writable, root.path() + "/tmp");
  ::umask(saved);
  EXPECT_TRUE(u.keeps_changes);
  EXPECT_EQ(u.notice, "");
  EXPECT_EQ(u.folder, home + "/.config/ravolin/tokaido");
  for (const char* made : {"/.config", "/.config/ravolin", "/.config/ravolin/tokaido"})
    EXPECT_EQ(fs::status(home + made).permissions() & fs::perms::all, fs::perms::owner_all) << made;
  // A folder that was there already keeps its mode.
  EXPECT_EQ(fs::status(home).permissions() & fs::perms::all,
            fs::perms::all & ~(fs::perms::group_write | fs::perms::others_write));
}

// The clean-up at start goes by the temporary files' own marker alone: every file of the
// user's stays, whatever it is called, also one that looks like another program's (or an
// older version's) temporary file.
TEST_F(InstalledLayout, StaleTemporaryFilesOfInterruptedWritesGoAndNothingElse) {
  const std::string user = root.path() + "/home/.config/ravolin/tokaido";
  fs::create_directories(user);
  const auto age = [&](const std::string& name) {
    const struct timespec times[2] = {{std::time(nullptr) - 3600, 0},
                                      {std::time(nullptr) - 3600, 0}};
    ::utimensat(AT_FDCWD, (user + "/" + name).c_str(), times, AT_SYMLINK_NOFOLLOW);
  };
  const std::vector<std::string> stale{
      "ravolin2.ini.ravolin-tmp-a1B2c3", "hotelusr.csv.ravolin-tmp-XyZ789",
      "ravolin2.ini.bak.ravolin-tmp-NE5Zxw", "hotelusr.csv.bak2.ravolin-tmp-000000"};
  const std::vector<std::string> kept{"ravolin2.ini",
                                      "hotelusr.csv",
                                      "ravolin2.ini.bak",
                                      "hotelusr.csv.backup",
                                      "ravolin2.ini.202401",
                                      "ravolin3.ini.mycopy",
                                      "ravolin4.ini.000000",
                                      "ravolin2.ini.bak.NE5Zxw",
                                      ".ravolin-tmp-a1B2c3",
                                      "ravolin2.ini.ravolin-tmp-a1B2c",
                                      "ravolin2.ini.ravolin-tmp-a1B2c3d",
                                      "ravolin2.ini.ravolin-tmp-a1-2c3",
                                      "ravolin2.ini.ravolin-tmpXa1B2c3"};
  for (const std::string& name : stale) write(user + "/" + name, "x");
  for (const std::string& name : kept) write(user + "/" + name, "x");
  write(user + "/ravolin3.ini.ravolin-tmp-Fresh1", "another copy is writing this now");
  fs::create_directory(user + "/hotelusr.csv.ravolin-tmp-Dir123");
  fs::create_symlink("ravolin2.ini", user + "/ravolin2.ini.ravolin-tmp-Link12");
  for (const auto& e : fs::directory_iterator(user))
    if (e.path().filename() != "ravolin3.ini.ravolin-tmp-Fresh1") age(e.path().filename());

  const UserFolder u = prepare_user_folder(location, {"", root.path() + "/home"},
                                           everything_writable, root.path() + "/tmp");
  ASSERT_EQ(u.folder, user);
  std::set<std::string> left;
  // Not before this copy holds the folder's one-copy guard: until then they may be another
  // copy's writes in hand.
  for (const auto& e : fs::directory_iterator(user)) left.insert(e.path().filename());
  for (const std::string& name : stale) EXPECT_TRUE(left.count(name)) << name;
  // Holding the folder's one-copy guard, the start removes its fresh ones too: no other copy
  // can be writing there.
  EXPECT_EQ(remove_interrupted_writes(u.folder), static_cast<int>(stale.size()) + 1);
  left.clear();
  for (const auto& e : fs::directory_iterator(user)) left.insert(e.path().filename());
  for (const std::string& name : stale) EXPECT_FALSE(left.count(name)) << name;
  for (const std::string& name : kept) EXPECT_TRUE(left.count(name)) << name;
  EXPECT_FALSE(left.count("ravolin3.ini.ravolin-tmp-Fresh1"));
  EXPECT_TRUE(left.count("hotelusr.csv.ravolin-tmp-Dir123"));
  EXPECT_TRUE(left.count("ravolin2.ini.ravolin-tmp-Link12"));
}

// ---- a start without a screen -------------------------------------------------------

TEST(Display, WithoutDisplayTheX11AndWaylandPlatformsGetAClearMessage) {
  const std::string message =
      "画面に接続できません（DISPLAY も WAYLAND_DISPLAY も設定されていません）。\n"
      "デスクトップの中から起動してください。\n";
  EXPECT_EQ(missing_display_message({}, {"", "", ""}), message);
  EXPECT_EQ(missing_display_message({}, {"xcb", "", ""}), message);
  EXPECT_EQ(missing_display_message({}, {"wayland;xcb", "", ""}), message);
  EXPECT_EQ(missing_display_message({"-platform", "xcb"}, {"offscreen", "", ""}), message);
  // A screen, or a platform that needs none.
  EXPECT_EQ(missing_display_message({}, {"", ":0", ""}), "");
  EXPECT_EQ(missing_display_message({}, {"", "", "wayland-0"}), "");
  EXPECT_EQ(missing_display_message({}, {"offscreen", "", ""}), "");
  EXPECT_EQ(missing_display_message({"-platform", "offscreen"}, {"", "", ""}), "");
  EXPECT_EQ(missing_display_message({}, {"vnc:size=800x600", "", ""}), "");
  EXPECT_EQ(missing_display_message({}, {"", "", ""}, text::Language::kEnglish),
            "cannot connect to a screen (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
            "Start the program from within the desktop.\n");
}

TEST(Display, AScreenThatCannotBeOpenedIsNamed) {
  EXPECT_EQ(unusable_display_message({}, {"", ":99", ""}, text::Language::kEnglish),
            "cannot connect to a screen (DISPLAY=:99 cannot be opened).\n"
            "Start the program from within the desktop.\n");
  EXPECT_EQ(
      unusable_display_message({"-platform", "nosuch"}, {"xcb", "", "wayland-1"}),
      "画面に接続できません（QT_QPA_PLATFORM=nosuch, WAYLAND_DISPLAY=wayland-1 を開けません）。\n"
      "デスクトップの中から起動してください。\n");
}

}  // namespace
}  // namespace ravolin::settings
