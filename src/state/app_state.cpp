// SPDX-License-Identifier: MIT
#include "state/app_state.h"

#include "text/text.h"

#include <unistd.h>

namespace ravolin::app {

AppState::AppState(std::string program_folder, Platform platform)
    : program_folder_(text::trim(program_folder)),
      user_folder_(program_folder_),
      platform_(platform) {
  end_program = [] {};
  process_events = [] {};
}

namespace {

std::string in_folder(const std::string& folder, const std::string& file_name) {
  if (folder.empty()) return file_name;
  if (folder.back() == '/') return folder + file_name;
  return folder + "/" + file_name;
}

}  // namespace

std::string AppState::path_of(const std::string& file_name) const {
  return in_folder(program_folder_, file_name);
}

void AppState::set_user_folder(std::string folder) { user_folder_ = text::trim(folder); }

std::string AppState::data_path() const { return path_of(data::kDataFileName); }
std::string AppState::help_path() const {
  if (english()) {
    std::string english_help = path_of(kEnglishHelpFileName);
    if (::access(english_help.c_str(), R_OK) == 0) return english_help;
  }
  return path_of(data::kHelpFileName);
}

std::string AppState::user_hotels_path() const {
  return in_folder(user_folder_, hotels::kUserHotelFileName);
}

std::string AppState::settings_path() const {
  if (!schedule.edition) return {};
  return in_folder(user_folder_, schedule.edition->settings_file);
}

}  // namespace ravolin::app
