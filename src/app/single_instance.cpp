// SPDX-License-Identifier: MIT
#include "app/single_instance.h"

#include "files/replace_file.h"
#include "settings/program_files.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>

namespace ravolin::app {
namespace {

constexpr int kConnectMs = 1000;
// How long a start waits for a running copy that holds the lock to answer: one that has
// just started, or whose socket a cleaner removed, listens again within this time.
constexpr int kAnswerMs = 3000;
constexpr int kRetryMs = 100;
constexpr int kCheckSocketMs = 60 * 1000;
// A scratch folder's lock file younger than this may belong to a run that is starting.
constexpr long kScratchMinAgeSeconds = 60;

// The folder as one path however it was reached: through a link it is the same folder.
QString folder_identity(const std::string& folder) {
  const QFileInfo info(QString::fromStdString(folder));
  const QString real = info.canonicalFilePath();
  return real.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : real;
}

// A folder that only this user can change: a real folder (not a link) of this user that
// nobody else may write into; `strict` (the runtime folder) also asks that nobody else
// may read it. With `make`, a missing folder is made (readable by its owner only).
bool private_folder(const std::string& path, bool strict, bool make) {
  if (path.empty() || path.front() != '/') return false;
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) {
    if (errno != ENOENT || !make || ::mkdir(path.c_str(), 0700) != 0) return false;
    if (::lstat(path.c_str(), &st) != 0) return false;
  }
  const mode_t others = strict ? 077 : 022;
  return S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() && (st.st_mode & others) == 0;
}

// The user id of the process at the other end of a local socket; -1 when unknown.
long peer_uid(qintptr descriptor) {
  struct ucred cred {};
  socklen_t size = sizeof cred;
  if (descriptor < 0 ||
      ::getsockopt(static_cast<int>(descriptor), SOL_SOCKET, SO_PEERCRED, &cred, &size) != 0)
    return -1;
  return static_cast<long>(cred.uid);
}

bool is_own_socket(const QString& path, ino_t* inode = nullptr) {
  struct stat st {};
  if (::lstat(QFile::encodeName(path).constData(), &st) != 0) return false;
  if (inode) *inode = st.st_ino;
  return S_ISSOCK(st.st_mode) && st.st_uid == ::geteuid();
}

// "<path>（<reason>）", as the program's file messages put it; "<path> (<reason>)" in English.
std::string path_and_reason(const std::string& path, const std::string& reason,
                            text::Language language) {
  if (language == text::Language::kEnglish) return path + " (" + reason + ")";
  return path + "（" + reason + "）";
}

std::string error_text(int err, text::Language language) {
  return language == text::Language::kEnglish ? std::string(std::strerror(err))
                                              : settings::system_error_text(err);
}

// "ravolin-" and six letters or digits: the name mkdtemp gives a scratch folder.
bool is_scratch_name(const std::string& name) {
  const std::string prefix = settings::kScratchFolderPrefix;
  if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0) return false;
  for (std::size_t i = prefix.size(); i < name.size(); ++i) {
    const char c = name[i];
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
  }
  return true;
}

}  // namespace

GuardPlaces GuardPlaces::of_environment() {
  GuardPlaces places;
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR")) places.runtime_dir = runtime;
  return places;
}

SingleInstance::SingleInstance(const std::string& folder, text::Language language,
                               GuardPlaces places, QObject* parent)
    : QObject(parent), folder_(folder), language_(language), places_(std::move(places)) {
  const QByteArray hash =
      QCryptographicHash::hash(folder_identity(folder).toUtf8(), QCryptographicHash::Sha256);
  hash_ = QString::fromLatin1(hash.toHex().left(24));
}

SingleInstance::~SingleInstance() {
  // The socket goes with the server (QLocalServer::close removes its file); the lock file
  // stays, unlocked, for the next start.
  delete server_;
  if (lock_fd_ >= 0) ::close(lock_fd_);
}

bool SingleInstance::listening() const { return server_ && server_->isListening(); }

QString SingleInstance::unusable_notice(const std::string& reason) const {
  return tr("同じフォルダで二つ目のラボリンが動くのを防げません。\n%1\n"
            "このまま起動しますが、二つ同時に動かすと、後から終了した方が"
            "設定とホテル情報を上書きします。")
      .arg(QString::fromStdString(reason));
}

SingleInstance::Lock SingleInstance::take_lock() {
  const std::string path = (std::filesystem::path(folder_) / kLockFileName).string();
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
  const std::string not_own = tr("このユーザーの普通のファイルではありません").toStdString();
  if (fd < 0) {
    // O_NOFOLLOW refuses a link with ELOOP.
    const int err = errno;
    notice_ = unusable_notice(
        path_and_reason(path, err == ELOOP ? not_own : error_text(err, language_), language_));
    return Lock::kUnusable;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) {
    ::close(fd);
    notice_ = unusable_notice(path_and_reason(path, not_own, language_));
    return Lock::kUnusable;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int err = errno;
    ::close(fd);
    if (err == EWOULDBLOCK) return Lock::kBusy;
    notice_ = unusable_notice(path_and_reason(path, error_text(err, language_), language_));
    return Lock::kUnusable;
  }
  lock_fd_ = fd;
  return Lock::kHeld;
}

std::vector<QString> SingleInstance::socket_candidates(bool make_folders) const {
  std::vector<QString> paths;
  const auto add = [&](const std::string& folder) {
    const std::string path = folder + "/" + hash_.toStdString() + ".sock";
    if (path.size() < sizeof(sockaddr_un::sun_path)) paths.push_back(QString::fromStdString(path));
  };
  if (private_folder(places_.runtime_dir, true, false)) {
    const std::string own = places_.runtime_dir + "/ravolin";
    if (private_folder(own, false, make_folders)) add(own);
  }
  const std::string fallback =
      places_.shared_temp + "/ravolin-guard-" + std::to_string(::geteuid());
  if (private_folder(fallback, false, make_folders && paths.empty())) add(fallback);
  return paths;
}

bool SingleInstance::ask_running_copy() const {
  for (const QString& path : socket_candidates(false)) {
    if (!is_own_socket(path)) continue;
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(kConnectMs)) continue;
    // The connection itself is the request; only a copy of this user gets it.
    const bool own = peer_uid(socket.socketDescriptor()) == static_cast<long>(::geteuid());
    socket.abort();
    if (own) return true;
  }
  return false;
}

SingleInstance::Outcome SingleInstance::claim() {
  if (lock_fd_ >= 0) return Outcome::kGuarding;
  notice_.clear();
  QElapsedTimer waited;
  waited.start();
  for (;;) {
    switch (take_lock()) {
      case Lock::kHeld:
        listen();
        return Outcome::kGuarding;
      case Lock::kUnusable:
        return Outcome::kUnguarded;
      case Lock::kBusy:
        break;
    }
    if (ask_running_copy()) return Outcome::kForwarded;
    if (waited.elapsed() >= kAnswerMs) break;
    QThread::msleep(kRetryMs);
  }
  notice_ = tr("このフォルダではラボリンがすでに動いていますが、応答がありません。\n%1\n"
               "動いているラボリンを終了してから、もう一度起動してください。")
                .arg(QString::fromStdString(folder_));
  return Outcome::kUnreachable;
}

void SingleInstance::listen() {
  if (!check_timer_) {
    check_timer_ = new QTimer(this);
    check_timer_->setInterval(kCheckSocketMs);
    connect(check_timer_, &QTimer::timeout, this, &SingleInstance::keep_socket);
    check_timer_->start();
  }
  const std::vector<QString> paths = socket_candidates(true);
  if (paths.empty()) {
    if (!told_no_socket_)
      std::fprintf(stderr,
                   "ravolin: no private folder for the socket of the one-copy guard; "
                   "a later start cannot bring this window forward\n");
    told_no_socket_ = true;
    return;
  }
  socket_path_ = paths.front();
  // This copy holds the lock: whatever lies at the socket's place is left over.
  QLocalServer::removeServer(socket_path_);
  server_ = new QLocalServer(this);
  connect(server_, &QLocalServer::newConnection, this, &SingleInstance::answer_request);
  if (!server_->listen(socket_path_) || !is_own_socket(socket_path_, &socket_inode_)) {
    if (!told_no_socket_)
      std::fprintf(stderr, "ravolin: cannot listen on %s: %s\n",
                   QFile::encodeName(socket_path_).constData(),
                   server_->errorString().toLocal8Bit().constData());
    told_no_socket_ = true;
    delete server_;
    server_ = nullptr;
    return;
  }
  if (!watcher_) {
    watcher_ = new QFileSystemWatcher(this);
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, &SingleInstance::keep_socket);
  }
  const QString folder = QFileInfo(socket_path_).path();
  if (!watcher_->directories().contains(folder)) watcher_->addPath(folder);
}

void SingleInstance::keep_socket() {
  if (lock_fd_ < 0) return;
  ino_t inode = 0;
  if (listening() && is_own_socket(socket_path_, &inode) && inode == socket_inode_) return;
  // Gone (a cleaner), or another file in its place: listen anew.
  delete server_;
  server_ = nullptr;
  if (watcher_ && !watcher_->directories().isEmpty())
    watcher_->removePaths(watcher_->directories());
  listen();
}

void SingleInstance::answer_request() {
  bool asked = false;
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    if (peer_uid(socket->socketDescriptor()) == static_cast<long>(::geteuid())) asked = true;
    socket->abort();
    socket->deleteLater();
  }
  if (!asked) return;
  request_pending_ = true;
  emit show_requested();
  bring_forward();
}

void SingleInstance::bring_forward() {
  if (!request_pending_ || !window_) return;
  request_pending_ = false;
  window_->showNormal();  // from the tray or the task bar as well
  window_->raise();
  window_->activateWindow();
}

void SingleInstance::bring_forward_on_request(QWidget* window) {
  window_ = window;
  bring_forward();
}

// ---- scratch folders of killed runs --------------------------------------------------

namespace {

// A file a scratch run writes: the lock file, a settings file or hotelusr.csv, or a
// temporary file of one of them (which carries its name).
bool scratch_file_name(const std::string& name) {
  if (name == SingleInstance::kLockFileName) return true;
  for (const std::string& written : settings::seeded_file_names())
    if (name.find(written) != std::string::npos) return true;
  return false;
}

// The files of a folder when it holds only plain files a scratch run writes; false when
// it holds anything else (a folder, a link, the program, a file of the user's).
bool only_scratch_files(const std::string& folder, std::vector<std::string>& names) {
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return false;
  bool scratch = true;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    struct stat st {};
    if (::fstatat(::dirfd(dir), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISREG(st.st_mode) || !scratch_file_name(name)) {
      scratch = false;
      break;
    }
    names.push_back(name);
  }
  ::closedir(dir);
  return scratch;
}

bool remove_if_stale(const std::string& folder) {
  if (!private_folder(folder, true, false)) return false;
  const std::string lock = folder + "/" + SingleInstance::kLockFileName;
  const int fd = ::open(lock.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st {};
  std::vector<std::string> names;
  const bool stale = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid() &&
                     std::time(nullptr) - st.st_mtime >= kScratchMinAgeSeconds &&
                     ::flock(fd, LOCK_EX | LOCK_NB) == 0 && only_scratch_files(folder, names);
  if (stale) {
    for (const std::string& name : names) ::unlink((folder + "/" + name).c_str());
    ::rmdir(folder.c_str());
  }
  ::close(fd);
  return stale;
}

}  // namespace

int remove_stale_scratch_folders(const std::string& parent) {
  DIR* dir = ::opendir(parent.c_str());
  if (!dir) return 0;
  std::vector<std::string> candidates;
  while (const dirent* entry = ::readdir(dir))
    if (is_scratch_name(entry->d_name)) candidates.push_back(parent + "/" + entry->d_name);
  ::closedir(dir);
  int removed = 0;
  for (const std::string& folder : candidates)
    if (remove_if_stale(folder)) ++removed;
  return removed;
}

}  // namespace ravolin::app
