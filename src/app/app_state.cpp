#include "app/app_state.h"

#include "text/text.h"

namespace ravolin::app {

AppState::AppState(std::string program_folder, Platform platform)
    : program_folder_(text::trim(program_folder)), platform_(platform) {
  end_program = [] {};
  process_events = [] {};
}

std::string AppState::path_of(const std::string& file_name) const {
  if (program_folder_.empty()) return file_name;
  if (program_folder_.back() == '/') return program_folder_ + file_name;
  return program_folder_ + "/" + file_name;
}

std::string AppState::data_path() const { return path_of(data::kDataFileName); }
std::string AppState::help_path() const { return path_of(data::kHelpFileName); }

std::string AppState::user_hotels_path() const { return path_of(hotels::kUserHotelFileName); }

std::string AppState::settings_path() const {
  if (!schedule.edition) return {};
  return path_of(schedule.edition->settings_file);
}

}  // namespace ravolin::app
