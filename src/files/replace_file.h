// SPDX-License-Identifier: MIT
// Whole-file replacement for the files the program writes (the settings file and the
// user hotel file): the new content goes to a temporary file in the same folder, is
// flushed to disk and then renamed over the old file, and the folder is flushed too, so
// a failed write or a power cut never leaves a half-written or lost file behind.
//
// The user's choices about the file are kept: a read-only file is not replaced (the
// write is refused and reported), a symbolic link is followed and its target replaced
// (the link stays a link), an existing file keeps its mode (set-ID and sticky bits too)
// and owner, and a new file gets the mode the user's umask allows. Only a regular file
// is ever replaced: a link to a device, a named pipe or a socket is refused, so that the
// device stays a device.
//
// The files the program reads are read the same careful way: regular files only (a
// named pipe would stop the program waiting for a writer, a device could be endless), and
// no larger than a limit for each kind of file, far above any real one.
#pragma once

#include "text/message.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace ravolin::settings {

// Replaces the file at path with bytes. On failure returns false and puts the reason
// (with the path) into error; the old file is then unchanged.
bool replace_file(const std::string& path, std::string_view bytes, text::Message& error);
// As above, the reason in Japanese (the data compiler's own messages).
bool replace_file(const std::string& path, std::string_view bytes, std::string& error);

// Every temporary file has a name of this form, "<name>.ravolin-tmp-" and six letters or
// digits, which no user would give a file of their own: the clean-up below goes by it.
inline constexpr std::string_view kTemporaryMarker = ".ravolin-tmp-";
// True for a name replace_file gives its temporary files.
bool is_temporary_name(std::string_view entry);

// Removes the temporary files that interrupted replacements left in folder: regular files
// with a temporary file's name, last changed at least min_age_seconds ago. A start that
// holds the folder's one-copy guard may pass 0 (no other copy can be writing there);
// before that, kStaleTemporarySeconds leaves a write another copy has in hand alone.
// Nothing else is touched: no file of the user's, whatever its name. Returns how many went.
int remove_stale_temporaries(const std::string& folder, long min_age_seconds);
inline constexpr long kStaleTemporarySeconds = 600;

// Largest file of each kind the program reads, far above any real one (a settings file
// is about 1.5 KB, a names file 6 KB, the help 8 KB, a data source 42 KB, a data file
// 100 KB, a hotel file of the 1000 hotels the table holds some 200 KB).
inline constexpr std::size_t kMaxSettingsFileBytes = std::size_t{1} << 20;
inline constexpr std::size_t kMaxUserHotelFileBytes = std::size_t{8} << 20;
inline constexpr std::size_t kMaxPlaceNamesFileBytes = std::size_t{4} << 20;
inline constexpr std::size_t kMaxHelpFileBytes = std::size_t{4} << 20;
inline constexpr std::size_t kMaxSourceFileBytes = std::size_t{16} << 20;
inline constexpr std::size_t kMaxDataFileBytes = std::size_t{64} << 20;

// The outcome of reading a whole file.
struct FileRead {
  bool ok = false;
  bool missing = false;  // there is no such file (rather than one that cannot be read)
  std::string bytes;     // the whole file when ok
  const text::Wording* failure = nullptr;  // kCannotOpenFile or kCannotReadFile
  text::Message reason;                    // why
  // "<failure>: <path>（<reason>）", the form of every file error message.
  text::Message message(const std::string& path) const;
};

// Reads the regular file at path, at most max_bytes of it. A named pipe, a device, a
// socket or a folder is refused without waiting on it, and so is a larger file.
FileRead read_regular_file(const std::string& path, std::size_t max_bytes);

// The same with the message of FileRead::message in error; missing as in FileRead.
bool read_whole_file(const std::string& path, std::size_t max_bytes, std::string& bytes,
                     text::Message& error, bool& missing);
bool read_whole_file(const std::string& path, std::size_t max_bytes, std::string& bytes,
                     text::Message& error);
// As above, the reason in Japanese.
bool read_whole_file(const std::string& path, std::size_t max_bytes, std::string& bytes,
                     std::string& error, bool& missing);
bool read_whole_file(const std::string& path, std::size_t max_bytes, std::string& bytes,
                     std::string& error);

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
// The same with a reason of the program's own.
text::Message file_error(const text::Wording& what, const std::string& path, text::Message reason);

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
// Why a file that is no regular file (a device, a named pipe, a socket) is neither read
// nor replaced.
extern const text::Wording kNotRegularFile;

// The file a path finally names after following symbolic links (the path itself when it
// is no link or does not exist). False with errno-style err when the links loop.
bool resolve_links(const std::string& path, std::string& target, int& err);

}  // namespace ravolin::settings
