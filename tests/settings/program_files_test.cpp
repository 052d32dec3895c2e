// The command line, the program folder of an edition and the folder of the files the
// program writes (settings file, hotelusr.csv).
#include "settings/program_files.h"

#include "support/program_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sys/stat.h>

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
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"--edition"}, {"--edition="}, {"--edition", "sanyo"}, {"--edition", "../tohoku"},
           {"--editon", "tohoku"}, {"--folder=/tmp"}}) {
    CommandLine cl = parse_command_line(args);
    EXPECT_NE(cl.error, "") << args[0];
    EXPECT_TRUE(cl.edition.empty()) << args[0];
  }
  EXPECT_NE(parse_command_line({"--edition", "sanyo"}).error.find("sanyo"), std::string::npos);
}

TEST(CommandLine, ARefusedOptionWinsOverHelpAndVersionWhereverItStands) {
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"--help", "--bogus"}, {"--bogus", "--help"}, {"-h", "--edition", "sanyo"},
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

TEST(CommandLine, HelpNamesEveryEditionAndVersionIsTheProgramVersion) {
  const std::string usage = usage_text();
  for (const char* ed : {"tokaido", "tohoku", "joetsu"})
    EXPECT_NE(usage.find(std::string("--edition ") + ed), std::string::npos) << ed;
  EXPECT_EQ(version_text(), "ravolin 1.59\n");
}

// Folders that hold a data file, for the location rules.
std::function<bool(const std::string&)> data_in(std::set<std::string> folders) {
  return [folders](const std::string& f) { return folders.count(f) > 0; };
}

TEST(ProgramLocation, BuildTreeAndCopiedFoldersAreUsedBesideTheExecutable) {
  const auto has = data_in({"/b/program/tokaido", "/b/program/tohoku", "/copy/mine"});
  ProgramLocation own = locate_program_folder("/b/program/tohoku", "/b/program/share/ravolin", "", has);
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
  EXPECT_EQ(choose_user_folder(loc, {"", "/home/bo"}, read_only), "/home/bo/.config/ravolin/joetsu");
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

}  // namespace
}  // namespace ravolin::settings
