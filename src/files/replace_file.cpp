// SPDX-License-Identifier: MIT
#include "files/replace_file.h"

#include "text/text.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <ctime>

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

// The name mkstemp gives the temporary file of path: path and ".XXXXXX".
constexpr std::size_t kTemporarySuffixLength = 7;

bool temporary_name_of(const std::string& entry, const std::string& name) {
  if (entry.size() != name.size() + kTemporarySuffixLength ||
      entry.compare(0, name.size(), name) != 0 || entry[name.size()] != '.')
    return false;
  for (std::size_t i = name.size() + 1; i < entry.size(); ++i) {
    const char c = entry[i];
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) return false;
  }
  return true;
}

}  // namespace

int remove_stale_temporaries(const std::string& folder, const std::vector<std::string>& names,
                             long min_age_seconds) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return 0;
  const std::time_t now = std::time(nullptr);
  int removed = 0;
  while (const dirent* e = ::readdir(dir)) {
    const std::string entry = e->d_name;
    bool ours = false;
    for (const std::string& name : names) ours = ours || temporary_name_of(entry, name);
    if (!ours) continue;
    struct stat st {};
    if (::fstatat(::dirfd(dir), entry.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISREG(st.st_mode) || now - st.st_mtime < min_age_seconds)
      continue;
    if (::unlinkat(::dirfd(dir), entry.c_str(), 0) == 0) ++removed;
  }
  ::closedir(dir);
  return removed;
}

std::string system_error_text(int err) {
  switch (err) {
    case ENOENT:
      return "ファイルまたはフォルダがありません";
    case EACCES:
    case EPERM:
      return "アクセスが許可されていません";
    case EROFS:
      return "書き込みのできないドライブです";
    case ENOSPC:
      return "ディスクの空き容量が足りません";
#ifdef EDQUOT
    case EDQUOT:
      return "ディスクの使用量の上限を超えています";
#endif
    case EISDIR:
      return "ファイルではなくフォルダです";
    case ENOTDIR:
      return "途中の名前がフォルダではありません";
    case EIO:
      return "ディスクの読み書きで障害が起きました";
    case ENAMETOOLONG:
      return "ファイル名が長すぎます";
    case ELOOP:
      return "シンボリックリンクが循環しています";
    case EMFILE:
    case ENFILE:
      return "開いているファイルが多すぎます";
    case EBUSY:
    case ETXTBSY:
      return "ファイルが使用中です";
    case EXDEV:
      return "別のドライブへは置き換えられません";
    case EEXIST:
      return "同じ名前のファイルがすでにあります";
    case EFBIG:
      return "ファイルが大きすぎます";
    case ENOMEM:
      return "メモリが足りません";
    case EINVAL:
      return "この操作はできません";
    default:
      return "システムエラーが起きました（番号 " + std::to_string(err) + "）";
  }
}

std::string file_error(const std::string& what, const std::string& path, int err) {
  return what + ": " + path + "（" + system_error_text(err) + "）";
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

bool replace_file(const std::string& path_in, std::string_view bytes, std::string& error) {
  // A link is followed: its target is the file the user keeps.
  std::string path;
  int link_err = 0;
  if (!resolve_links(path_in, path, link_err)) {
    error = file_error("ファイルの場所を確かめられません", path_in, link_err);
    return false;
  }
  struct stat st {};
  const bool exists = ::stat(path.c_str(), &st) == 0;
  if (exists && S_ISDIR(st.st_mode)) {
    error = file_error("ファイルを保存できません", path_in, EISDIR);
    return false;
  }
  if (exists && read_only(path, st)) {
    error = "ファイルが読み取り専用のため保存しませんでした: " + path_in;
    return false;
  }

  std::string temp = path + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) {
    error = file_error("一時ファイルを作成できません", path_in, errno);
    return false;
  }
  // An existing file keeps its mode and owner; a new one gets what the umask allows.
  if (exists) {
    // The owner first: handing a file over may clear set-id bits that the mode restores.
    // Only an administrator may hand a file to another user; anyone else's write leaves
    // the new file theirs (with the old mode), which is what the system allows.
    if (st.st_uid != ::geteuid() || st.st_gid != ::getegid()) {
      if (::fchown(fd, st.st_uid, st.st_gid) != 0) {
        // EPERM: the new file stays the writer's own, with the old file's mode.
      }
    }
    ::fchmod(fd, st.st_mode & 07777);
  } else {
    ::fchmod(fd, 0666 & ~current_umask());
  }

  auto fail = [&](const char* what) {
    const int err = errno;
    ::close(fd);
    ::unlink(temp.c_str());
    error = file_error(what, path_in, err);
    return false;
  };
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail("書き込みに失敗しました");
    }
    done += static_cast<std::size_t>(n);
  }
  if (::fsync(fd) != 0) return fail("書き込みに失敗しました");
  if (::close(fd) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    error = file_error("書き込みに失敗しました", path_in, err);
    return false;
  }
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    error = file_error("ファイルを置き換えられません", path_in, err);
    return false;
  }
  if (const int err = sync_folder(folder_of(path)); err != 0) {
    error = file_error("保存したファイルをディスクに書き切れませんでした", path_in, err);
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

bool read_whole_file(const std::string& path, std::string& bytes, std::string& error,
                     bool& missing) {
  bytes.clear();
  missing = false;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) {
    missing = errno == ENOENT;
    error = file_error("ファイルを開けません", path, errno);
    return false;
  }
  char buf[8192];
  std::size_t n = 0;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, n);
  const bool bad = std::ferror(f) != 0;
  const int err = errno;
  std::fclose(f);
  if (bad) {
    error = file_error("ファイルを読めません", path, err);
    bytes.clear();
    return false;
  }
  return true;
}

bool read_whole_file(const std::string& path, std::string& bytes, std::string& error) {
  bool missing = false;
  return read_whole_file(path, bytes, error, missing);
}

}  // namespace ravolin::settings
