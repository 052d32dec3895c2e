// SPDX-License-Identifier: MIT
#include "files/replace_file.h"

#include "text/text.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <utility>

namespace ravolin::settings {
namespace {

// The process's file creation mask, read without changing it where the system allows.
mode_t current_umask() {
  if (std::FILE* f = std::fopen("/proc/self/status", "r")) {
    char line[256];
    while (std::fgets(line, sizeof line, f) != nullptr) {
      unsigned mask = 0;
      if (std::sscanf(line, "Umask: %o", &mask) == 1) {
        std::fclose(f);
        return static_cast<mode_t>(mask);
      }
    }
    std::fclose(f);
  }
  const mode_t mask = ::umask(022);  // one thread writes files: set and restore at once
  ::umask(mask);
  return mask;
}

std::string folder_of(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Flushes the folder entry of a renamed file to disk. File systems that cannot sync a
// folder say so with EINVAL; that is no failure of the write.
int sync_folder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return errno;
  int err = 0;
  if (::fsync(fd) != 0 && errno != EINVAL && errno != EROFS) err = errno;
  ::close(fd);
  return err;
}

// A file the user has protected: no write permission at all, or none for this user.
// The permission bits are looked at too, so that a run with full rights still leaves
// a read-only file alone.
bool read_only(const std::string& path, const struct stat& st) {
  if ((st.st_mode & 0222) == 0) return true;
  return ::access(path.c_str(), W_OK) != 0 && errno == EACCES;
}

constexpr std::size_t kTemporaryRandomLength = 6;  // the XXXXXX of mkstemp

bool letter_or_digit(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

}  // namespace

bool is_temporary_name(std::string_view entry) {
  const std::size_t tail = kTemporaryMarker.size() + kTemporaryRandomLength;
  if (entry.size() <= tail) return false;  // the file's own name comes first
  const std::string_view random = entry.substr(entry.size() - kTemporaryRandomLength);
  for (char c : random)
    if (!letter_or_digit(c)) return false;
  return entry.substr(entry.size() - tail, kTemporaryMarker.size()) == kTemporaryMarker;
}

int remove_stale_temporaries(const std::string& folder, long min_age_seconds) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return 0;
  const std::time_t now = std::time(nullptr);
  int removed = 0;
  while (const dirent* e = ::readdir(dir)) {
    const std::string entry = e->d_name;
    if (!is_temporary_name(entry)) continue;
    struct stat st {};
    if (::fstatat(::dirfd(dir), entry.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISREG(st.st_mode) || now - st.st_mtime < min_age_seconds)
      continue;
    if (::unlinkat(::dirfd(dir), entry.c_str(), 0) == 0) ++removed;
  }
  ::closedir(dir);
  return removed;
}

namespace {

constexpr text::Wording kNoSuchFile{"ファイルまたはフォルダがありません",
                                    "there is no such file or folder"};
constexpr text::Wording kAccessDenied{"アクセスが許可されていません", "access is not allowed"};
constexpr text::Wording kReadOnlyDrive{"書き込みのできないドライブです",
                                       "the drive cannot be written"};
constexpr text::Wording kDiskFull{"ディスクの空き容量が足りません", "the disk is full"};
constexpr text::Wording kQuotaExceeded{"ディスクの使用量の上限を超えています",
                                       "the disk quota is used up"};
constexpr text::Wording kIsFolder{"ファイルではなくフォルダです", "it is a folder, not a file"};
constexpr text::Wording kPartNotFolder{"途中の名前がフォルダではありません",
                                       "a part of the path is not a folder"};
constexpr text::Wording kDiskFault{"ディスクの読み書きで障害が起きました",
                                   "the disk failed to read or write"};
constexpr text::Wording kNameTooLong{"ファイル名が長すぎます", "the file name is too long"};
constexpr text::Wording kLinkLoop{"シンボリックリンクが循環しています",
                                  "the symbolic links go round in a circle"};
constexpr text::Wording kTooManyOpen{"開いているファイルが多すぎます", "too many files are open"};
constexpr text::Wording kBusy{"ファイルが使用中です", "the file is in use"};
constexpr text::Wording kOtherDrive{"別のドライブへは置き換えられません",
                                    "a file cannot be moved to another drive"};
constexpr text::Wording kExists{"同じ名前のファイルがすでにあります",
                                "a file of that name is already there"};
constexpr text::Wording kTooBig{"ファイルが大きすぎます", "the file is too large"};
constexpr text::Wording kNoMemory{"メモリが足りません", "there is not enough memory"};
constexpr text::Wording kNotPossible{"この操作はできません", "the system does not allow this"};
constexpr text::Wording kSystemError{"システムエラーが起きました（番号 {1}）",
                                     "system error number {1}"};
constexpr text::Wording kFileError{"{1}: {2}（{3}）", "{1}: {2} ({3})"};
constexpr text::Wording kReadOnlyFileError{"{1}: {2}", "{1}: {2}"};

const text::Wording& system_error_wording(int err) {
  switch (err) {
    case ENOENT:
      return kNoSuchFile;
    case EACCES:
    case EPERM:
      return kAccessDenied;
    case EROFS:
      return kReadOnlyDrive;
    case ENOSPC:
      return kDiskFull;
#ifdef EDQUOT
    case EDQUOT:
      return kQuotaExceeded;
#endif
    case EISDIR:
      return kIsFolder;
    case ENOTDIR:
      return kPartNotFolder;
    case EIO:
      return kDiskFault;
    case ENAMETOOLONG:
      return kNameTooLong;
    case ELOOP:
      return kLinkLoop;
    case EMFILE:
    case ENFILE:
      return kTooManyOpen;
    case EBUSY:
    case ETXTBSY:
      return kBusy;
    case EXDEV:
      return kOtherDrive;
    case EEXIST:
      return kExists;
    case EFBIG:
      return kTooBig;
    case ENOMEM:
      return kNoMemory;
    case EINVAL:
      return kNotPossible;
    default:
      return kSystemError;
  }
}

}  // namespace

const text::Wording kCannotLocateFile{"ファイルの場所を確かめられません",
                                      "Cannot find where the file is"};
const text::Wording kCannotSaveFile{"ファイルを保存できません", "Cannot save the file"};
const text::Wording kReadOnlyFile{"ファイルが読み取り専用のため保存しませんでした",
                                  "Not saved, because the file is read-only"};
const text::Wording kCannotMakeTemporaryFile{"一時ファイルを作成できません",
                                             "Cannot make a temporary file"};
const text::Wording kWriteFailed{"書き込みに失敗しました", "Writing failed"};
const text::Wording kCannotReplaceFile{"ファイルを置き換えられません", "Cannot replace the file"};
const text::Wording kCannotFlushFile{"保存したファイルをディスクに書き切れませんでした",
                                     "The saved file could not be written out to the disk"};
const text::Wording kCannotOpenFile{"ファイルを開けません", "Cannot open the file"};
const text::Wording kCannotReadFile{"ファイルを読めません", "Cannot read the file"};
const text::Wording kCannotMakeFolder{"フォルダを作成できません", "Cannot make the folder"};
const text::Wording kNotRegularFile{"通常のファイルではありません",
                                    "it is a device, a pipe or a socket, not an ordinary file"};

text::Message system_error(int err) {
  const text::Wording& wording = system_error_wording(err);
  if (&wording == &kSystemError) return {wording, {text::number(err)}};
  return wording;
}

std::string system_error_text(int err) { return system_error(err).in(text::Language::kJapanese); }

text::Message file_error(const text::Wording& what, const std::string& path, text::Message reason) {
  return {kFileError, {what, path, std::move(reason)}};
}

text::Message file_error(const text::Wording& what, const std::string& path, int err) {
  return file_error(what, path, system_error(err));
}

std::string file_error(const std::string& what, const std::string& path, int err) {
  return text::Message(kFileError, {what, path, system_error(err)}).in(text::Language::kJapanese);
}

bool resolve_links(const std::string& path, std::string& target, int& err) {
  std::string p = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st {};
    if (::lstat(p.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
      target = p;
      return true;
    }
    std::string link(PATH_MAX, '\0');
    const ssize_t n = ::readlink(p.c_str(), link.data(), link.size());
    if (n < 0) {
      err = errno;
      return false;
    }
    link.resize(static_cast<std::size_t>(n));
    if (link.empty()) {
      err = ENOENT;
      return false;
    }
    if (link.front() != '/') {
      const std::size_t slash = p.rfind('/');
      link = (slash == std::string::npos ? std::string() : p.substr(0, slash + 1)) + link;
    }
    p = link;
  }
  err = ELOOP;
  return false;
}

namespace {

// The file a replacement would put its new content in place of, looked at before anything
// is written. False with the message when it must not be replaced: a folder, a device, a
// named pipe or a socket (renaming over one would put a plain file where the system's
// device was), a read-only file, or one whose state cannot be seen.
bool check_replaceable(const std::string& path, const std::string& shown, struct stat& st,
                       bool& exists, text::Message& error) {
  exists = ::stat(path.c_str(), &st) == 0;
  if (!exists) {
    if (errno == ENOENT) return true;  // a new file (a dangling link's target included)
    error = file_error(kCannotSaveFile, shown, errno);
    return false;
  }
  if (S_ISDIR(st.st_mode)) {
    error = file_error(kCannotSaveFile, shown, EISDIR);
    return false;
  }
  if (!S_ISREG(st.st_mode)) {
    error = file_error(kCannotSaveFile, shown, kNotRegularFile);
    return false;
  }
  if (read_only(path, st)) {
    error = {kReadOnlyFileError, {kReadOnlyFile, shown}};
    return false;
  }
  return true;
}

bool write_all(int fd, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// Gives the written temporary file the mode (and, where the system allows, the owner) of
// the file it replaces, or the mode the umask allows for a new file. This comes after the
// content: the system clears set-user-ID and set-group-ID bits when an ordinary user
// writes to a file or hands it over, so setting them earlier would lose them.
void give_final_mode(int fd, bool exists, const struct stat& st) {
  if (!exists) {
    ::fchmod(fd, 0666 & ~current_umask());
    return;
  }
  // Only an administrator may hand a file to another user; anyone else's write leaves
  // the new file theirs (with the old mode), which is what the system allows.
  if (st.st_uid != ::geteuid() || st.st_gid != ::getegid()) {
    if (::fchown(fd, st.st_uid, st.st_gid) != 0) {
      // EPERM: the new file stays the writer's own, with the old file's mode.
    }
  }
  ::fchmod(fd, st.st_mode & 07777);
}

}  // namespace

bool replace_file(const std::string& path_in, std::string_view bytes, text::Message& error) {
  // A link is followed: its target is the file the user keeps.
  std::string path;
  int link_err = 0;
  if (!resolve_links(path_in, path, link_err)) {
    error = file_error(kCannotLocateFile, path_in, link_err);
    return false;
  }
  struct stat st {};
  bool exists = false;
  if (!check_replaceable(path, path_in, st, exists, error)) return false;

  std::string temp = path;
  temp += kTemporaryMarker;
  temp += "XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) {
    error = file_error(kCannotMakeTemporaryFile, path_in, errno);
    return false;
  }
  auto fail = [&](const text::Wording& what) {
    const int err = errno;
    ::close(fd);
    ::unlink(temp.c_str());
    error = file_error(what, path_in, err);
    return false;
  };
  if (!write_all(fd, bytes)) return fail(kWriteFailed);
  give_final_mode(fd, exists, st);
  if (::fsync(fd) != 0) return fail(kWriteFailed);
  if (::close(fd) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    error = file_error(kWriteFailed, path_in, err);
    return false;
  }
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    error = file_error(kCannotReplaceFile, path_in, err);
    return false;
  }
  if (const int err = sync_folder(folder_of(path)); err != 0) {
    error = file_error(kCannotFlushFile, path_in, err);
    return false;
  }
  return true;
}

std::string encode_cp932_lossy(std::string_view utf8) {
  if (auto cp = text::utf8_to_cp932(utf8)) return *cp;
  std::string out;
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    std::size_t len = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (i + len > utf8.size()) len = utf8.size() - i;
    if (auto cp = text::utf8_to_cp932(utf8.substr(i, len)))
      out += *cp;
    else
      out += '?';
    i += len;
  }
  return out;
}

text::Message FileRead::message(const std::string& path) const {
  return file_error(failure != nullptr ? *failure : kCannotOpenFile, path, reason);
}

namespace {

FileRead read_failure(const text::Wording& failure, text::Message reason) {
  FileRead r;
  r.failure = &failure;
  r.reason = std::move(reason);
  return r;
}

FileRead read_failure(const text::Wording& failure, int err) {
  return read_failure(failure, system_error(err));
}

// Why a file of this kind is not read, or nullptr when it is a regular file.
const text::Wording* not_readable_kind(const struct stat& st) {
  if (S_ISREG(st.st_mode)) return nullptr;
  if (S_ISDIR(st.st_mode)) return &system_error_wording(EISDIR);
  return &kNotRegularFile;
}

// The rest of an open regular file, at most max_bytes in all (a file may grow while it is
// read, and some report no size at all).
bool read_bounded(int fd, std::size_t max_bytes, std::string& bytes, int& err) {
  char buf[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n == 0) return true;
    if (n < 0) {
      if (errno == EINTR) continue;
      err = errno;
      return false;
    }
    if (static_cast<std::size_t>(n) > max_bytes - bytes.size()) {
      err = EFBIG;
      return false;
    }
    bytes.append(buf, static_cast<std::size_t>(n));
  }
}

}  // namespace

FileRead read_regular_file(const std::string& path, std::size_t max_bytes) {
  // Looked at before it is opened: opening a named pipe waits for a writer, and opening a
  // device may already do something.
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    const int err = errno;
    FileRead r = read_failure(kCannotOpenFile, err);
    r.missing = err == ENOENT;
    return r;
  }
  if (const text::Wording* kind = not_readable_kind(st); kind != nullptr)
    return read_failure(kCannotOpenFile, *kind);
  // Opened without waiting, and looked at again: the name may have been given to another
  // file meanwhile.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return read_failure(kCannotOpenFile, errno);
  FileRead r;
  int err = 0;
  if (::fstat(fd, &st) != 0) {
    r = read_failure(kCannotReadFile, errno);
  } else if (const text::Wording* kind = not_readable_kind(st); kind != nullptr) {
    r = read_failure(kCannotOpenFile, *kind);
  } else if (st.st_size < 0 || static_cast<std::uintmax_t>(st.st_size) > max_bytes) {
    r = read_failure(kCannotReadFile, EFBIG);
  } else {
    r.bytes.reserve(static_cast<std::size_t>(st.st_size));
    if (read_bounded(fd, max_bytes, r.bytes, err))
      r.ok = true;
    else
      r = read_failure(kCannotReadFile, err);
  }
  ::close(fd);
  return r;
}

bool read_whole_file(const std::string& path, std::size_t max_bytes, std::string& bytes,
                     text::Message& error, bool& missing) {
  FileRead r = read_regular_file(path, max_bytes);
  missing = r.missing;
  bytes = std::move(r.bytes);
  if (!r.ok) error = r.message(path);
  return r.ok;
}

bool read_whole_file(const std::string& path, std::size_t max_bytes, std::string& bytes,
                     text::Message& error) {
  bool missing = false;
  return read_whole_file(path, max_bytes, bytes, error, missing);
}

bool read_whole_file(const std::string& path, std::size_t max_bytes, std::string& bytes,
                     std::string& error, bool& missing) {
  text::Message why;
  if (read_whole_file(path, max_bytes, bytes, why, missing)) return true;
  error = why.in(text::Language::kJapanese);
  return false;
}

bool read_whole_file(const std::string& path, std::size_t max_bytes, std::string& bytes,
                     std::string& error) {
  bool missing = false;
  return read_whole_file(path, max_bytes, bytes, error, missing);
}

bool replace_file(const std::string& path, std::string_view bytes, std::string& error) {
  text::Message why;
  if (replace_file(path, bytes, why)) return true;
  error = why.in(text::Language::kJapanese);
  return false;
}

}  // namespace ravolin::settings
