// SPDX-License-Identifier: MIT
// The default settings files delivered with each edition, compiled into the program
// from resources/ at build time, so that a missing settings file starts from them.
#pragma once

#include <string_view>

namespace ravolin::settings {

// The bytes of the delivered file of that name ("ravolin2.ini", "ravolin3.ini",
// "ravolin4.ini"); empty for any other name.
std::string_view delivered_settings(std::string_view file_name);

}  // namespace ravolin::settings
