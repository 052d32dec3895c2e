#include "settings/replace_file.h"

#include "text/text.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ravolin::settings {
namespace {

std::string reason(const std::string& what, const std::string& path, int err) {
  return what + " " + path + ": " + std::strerror(err);
}

}  // namespace

bool replace_file(const std::string& path, std::string_view bytes, std::string& error) {
  std::string temp = path + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) {
    error = reason("一時ファイルを作成できません", path, errno);
    return false;
  }
  // Keep the permissions of the file being replaced; a new file gets rw-r--r--.
  struct stat st {};
  const mode_t mode = ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644;
  ::fchmod(fd, mode);

  auto fail = [&](const char* what) {
    const int err = errno;
    ::close(fd);
    ::unlink(temp.c_str());
    error = reason(what, path, err);
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
    error = reason("書き込みに失敗しました", path, err);
    return false;
  }
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    error = reason("ファイルを置き換えられません", path, err);
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
    if (auto cp = text::utf8_to_cp932(utf8.substr(i, len))) out += *cp;
    else out += '?';
    i += len;
  }
  return out;
}

bool read_whole_file(const std::string& path, std::string& bytes, std::string& error) {
  bytes.clear();
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) {
    error = reason("ファイルを開けません", path, errno);
    return false;
  }
  char buf[8192];
  std::size_t n = 0;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, n);
  const bool bad = std::ferror(f) != 0;
  const int err = errno;
  std::fclose(f);
  if (bad) {
    error = reason("ファイルを読めません", path, err);
    bytes.clear();
    return false;
  }
  return true;
}

}  // namespace ravolin::settings
