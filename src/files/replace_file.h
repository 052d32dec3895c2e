// SPDX-License-Identifier: MIT
// Whole-file replacement for the files the program writes (the settings file and the
// user hotel file): the new content goes to a temporary file in the same folder, is
// flushed to disk and then renamed over the old file, and the folder is flushed too, so
// a failed write or a power cut never leaves a half-written or lost file behind.
//
// The user's choices about the file are kept: a read-only file is not replaced (the
// write is refused and reported), a symbolic link is followed and its target replaced
// (the link stays a link), an existing file keeps its mode and owner, and a new file
// gets the mode the user's umask allows.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ravolin::settings {

// Replaces the file at path with bytes. On failure returns false and puts the reason
// (with the path) into error; the old file is then unchanged.
bool replace_file(const std::string& path, std::string_view bytes, std::string& error);

// Removes the temporary files that an interrupted replace_file left in folder: regular
// files named exactly "<name>.XXXXXX" for one of names (six letters or digits, as the
// replace makes them), last changed at least min_age_seconds ago, so that a write another
// running copy has in hand is left alone. Nothing else is touched. Returns how many went.
int remove_stale_temporaries(const std::string& folder, const std::vector<std::string>& names,
                             long min_age_seconds);
inline constexpr long kStaleTemporarySeconds = 600;

// Reads a whole file. False (with the reason) when it is missing or unreadable.
bool read_whole_file(const std::string& path, std::string& bytes, std::string& error);
// As above; missing is set when the file does not exist (rather than being unreadable).
bool read_whole_file(const std::string& path, std::string& bytes, std::string& error,
                     bool& missing);

// CP932 form of a UTF-8 text for a file the program writes; a character without a CP932
// form becomes "?" so that one odd character never stops the whole file being written.
std::string encode_cp932_lossy(std::string_view utf8);

// A system error number as a Japanese sentence for the user ("ディスクの空き容量が足りません").
std::string system_error_text(int err);

// "<what>: <path>（<system error sentence>）", the form of every file error message.
std::string file_error(const std::string& what, const std::string& path, int err);

// The file a path finally names after following symbolic links (the path itself when it
// is no link or does not exist). False with errno-style err when the links loop.
bool resolve_links(const std::string& path, std::string& target, int& err);

}  // namespace ravolin::settings
