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

#include "text/message.h"

#include <string>
#include <string_view>
#include <vector>

namespace ravolin::settings {

// Replaces the file at path with bytes. On failure returns false and puts the reason
// (with the path) into error; the old file is then unchanged.
bool replace_file(const std::string& path, std::string_view bytes, text::Message& error);
// As above, the reason in Japanese (the data compiler's own messages).
bool replace_file(const std::string& path, std::string_view bytes, std::string& error);

// Removes the temporary files that an interrupted replace_file left in folder: regular
// files named exactly "<name>.XXXXXX" for one of names (six letters or digits, as the
// replace makes them), last changed at least min_age_seconds ago, so that a write another
// running copy has in hand is left alone. Nothing else is touched. Returns how many went.
int remove_stale_temporaries(const std::string& folder, const std::vector<std::string>& names,
                             long min_age_seconds);
inline constexpr long kStaleTemporarySeconds = 600;

// Reads a whole file. False (with the reason) when it is missing or unreadable; missing
// is set when the file does not exist (rather than being unreadable).
bool read_whole_file(const std::string& path, std::string& bytes, text::Message& error,
                     bool& missing);
bool read_whole_file(const std::string& path, std::string& bytes, text::Message& error);
// As above, the reason in Japanese.
bool read_whole_file(const std::string& path, std::string& bytes, std::string& error);
bool read_whole_file(const std::string& path, std::string& bytes, std::string& error,
                     bool& missing);

// CP932 form of a UTF-8 text for a file the program writes; a character without a CP932
// form becomes "?" so that one odd character never stops the whole file being written.
std::string encode_cp932_lossy(std::string_view utf8);

// A system error number as a sentence for the user ("ディスクの空き容量が足りません",
// "the disk is full"); system_error_text gives it in Japanese.
text::Message system_error(int err);
std::string system_error_text(int err);

// "<what>: <path>（<system error sentence>）", the form of every file error message.
text::Message file_error(const text::Wording& what, const std::string& path, int err);
// The same with a Japanese `what` (the data compiler's own messages).
std::string file_error(const std::string& what, const std::string& path, int err);

// What went wrong with a file, as the file error messages say it.
extern const text::Wording kCannotLocateFile;
extern const text::Wording kCannotSaveFile;
extern const text::Wording kReadOnlyFile;
extern const text::Wording kCannotMakeTemporaryFile;
extern const text::Wording kWriteFailed;
extern const text::Wording kCannotReplaceFile;
extern const text::Wording kCannotFlushFile;
extern const text::Wording kCannotOpenFile;
extern const text::Wording kCannotReadFile;
extern const text::Wording kCannotMakeFolder;

// The file a path finally names after following symbolic links (the path itself when it
// is no link or does not exist). False with errno-style err when the links loop.
bool resolve_links(const std::string& path, std::string& target, int& err);

}  // namespace ravolin::settings
