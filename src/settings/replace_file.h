// Whole-file replacement for the files the program writes (the settings file and the
// user hotel file): the new content goes to a temporary file in the same folder, is
// flushed to disk and then renamed over the old file, so a failed write never leaves
// a half-written file behind.
#pragma once

#include <string>
#include <string_view>

namespace ravolin::settings {

// Replaces the file at path with bytes. On failure returns false and puts the reason
// (with the path) into error; the old file is then unchanged.
bool replace_file(const std::string& path, std::string_view bytes, std::string& error);

// Reads a whole file. False (with the reason) when it is missing or unreadable.
bool read_whole_file(const std::string& path, std::string& bytes, std::string& error);

// CP932 form of a UTF-8 text for a file the program writes; a character without a CP932
// form becomes "?" so that one odd character never stops the whole file being written.
std::string encode_cp932_lossy(std::string_view utf8);

}  // namespace ravolin::settings
