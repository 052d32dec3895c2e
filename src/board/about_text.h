// SPDX-License-Identifier: MIT
// The product lines of the loading and version information windows.
#pragma once

#include <string>

namespace ravolin::board {

// Loading messages of the loading window, by loading mode.
inline constexpr int kLoadingStartup = 0;
inline constexpr int kLoadingFares = 1;  // kept for completeness; nothing opens it
inline constexpr int kLoadingHotels = 2;
inline constexpr int kLoadingSearch = 3;
// "データロード中!!  しばらくお待ち下さい" etc.; empty for an unknown mode.
std::string loading_message(int mode);

// Three lines ended by CR LF: "ラボリン（<corridor>編）＆ホテル情報　V1.59", a line
// saying what the program offers, and "2000/03/11現在のデータを使用しています".
std::string about_text(const std::string& corridor_caption);

}  // namespace ravolin::board
