// SPDX-License-Identifier: MIT
// Where the application state finds its files.
#include "state/app_state.h"
#include "support/fake_platform.h"
#include "support/program_folder.h"

#include <gtest/gtest.h>

namespace ravolin::app {
namespace {

TEST(AppState, FilesLieInTheTrimmedProgramFolderAndTheSettingsFileFollowsTheEdition) {
  calendar::FixedClock clock{calendar::make_system_time(2000, 3, 11, 9, 5, 0)};
  ui::FakeMessageBoxes messages;
  ui::FakeHelpViewer help;
  ui::FakePrinter printer;
  auto state =
      std::make_unique<AppState>("  /opt/ravolin ", Platform{clock, messages, help, printer});
  EXPECT_EQ(state->program_folder(), "/opt/ravolin");
  EXPECT_EQ(state->data_path(), "/opt/ravolin/ravolinh.dat");
  EXPECT_EQ(state->help_path(), "/opt/ravolin/ravolin2.hlp");
  EXPECT_EQ(state->settings_path(), "");  // the edition is not known yet
  EXPECT_EQ(state->edition_code(), 0);
  state->schedule.edition = data::find_edition(2);
  EXPECT_EQ(state->settings_path(), "/opt/ravolin/ravolin3.ini");
  EXPECT_EQ(state->edition_code(), 2);
  state->schedule.edition = data::find_edition(3);
  EXPECT_EQ(state->settings_path(), "/opt/ravolin/ravolin4.ini");

  auto root = std::make_unique<AppState>("/", Platform{clock, messages, help, printer});
  EXPECT_EQ(root->data_path(), "/ravolinh.dat");
  // The platform services are the ones handed in.
  EXPECT_EQ(&state->clock(), &clock);
  EXPECT_EQ(&state->messages(), &messages);
}

TEST(AppState, WrittenFilesFollowTheUserFolderWhileDataAndHelpStayInTheProgramFolder) {
  calendar::FixedClock clock{calendar::make_system_time(2000, 3, 11, 9, 5, 0)};
  ui::FakeMessageBoxes messages;
  ui::FakeHelpViewer help;
  ui::FakePrinter printer;
  AppState state("/usr/share/ravolin/tohoku", Platform{clock, messages, help, printer});
  state.schedule.edition = data::find_edition(2);
  EXPECT_EQ(state.user_folder(), "/usr/share/ravolin/tohoku");
  EXPECT_EQ(state.user_hotels_path(), "/usr/share/ravolin/tohoku/hotelusr.csv");

  state.set_user_folder("/home/ai/.config/ravolin/tohoku");
  EXPECT_EQ(state.settings_path(), "/home/ai/.config/ravolin/tohoku/ravolin3.ini");
  EXPECT_EQ(state.user_hotels_path(), "/home/ai/.config/ravolin/tohoku/hotelusr.csv");
  EXPECT_EQ(state.data_path(), "/usr/share/ravolin/tohoku/ravolinh.dat");
  EXPECT_EQ(state.help_path(), "/usr/share/ravolin/tohoku/ravolin2.hlp");
}

TEST(AppState, EnglishWindowsReadTheEnglishHelpFileWhereItIsThere) {
  calendar::FixedClock clock{calendar::make_system_time(2000, 3, 11, 9, 5, 0)};
  ui::FakeMessageBoxes messages;
  ui::FakeHelpViewer help;
  ui::FakePrinter printer;
  test_support::ProgramFolder folder;
  AppState state(folder.path(), Platform{clock, messages, help, printer});
  state.language = text::Language::kEnglish;
  // Without the English file the Japanese one is still help.
  EXPECT_EQ(state.help_path(), folder.file("ravolin2.hlp"));
  folder.write_file("ravolin2_en.hlp", "@topic 101 Main window\n");
  EXPECT_EQ(state.help_path(), folder.file("ravolin2_en.hlp"));
  state.language = text::Language::kJapanese;
  EXPECT_EQ(state.help_path(), folder.file("ravolin2.hlp"));
}

}  // namespace
}  // namespace ravolin::app
