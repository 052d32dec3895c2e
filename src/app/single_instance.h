// SPDX-License-Identifier: MIT
// One running copy per user folder. Two copies writing the same settings file and
// hotelusr.csv would each overwrite what the other saved, so a second start asks the
// running copy to bring its main window forward and then ends.
//
// The guard itself is a lock file in the user folder, held with flock() for as long as the
// copy runs: the kernel lets it go when the copy ends in any way, so nothing stale is ever
// left to mistake for a running copy, and it does not depend on TMPDIR or any other
// variable of the start. The lock file must be a plain file of this user; another user's
// file there is never trusted.
//
// The running copy also listens on a local socket, only so that a later start can bring
// its window forward. The socket lives in a folder no other user can enter: the user's
// runtime folder ($XDG_RUNTIME_DIR/ravolin), else /tmp/ravolin-guard-<uid>, either one
// checked to be this user's, a real folder (not a link) and writable by nobody else. Its
// name is a short hash of the folder's path, so that a long path still fits a socket
// address. A socket that a cleaner removed is made again; the socket goes when the copy
// ends normally. A start talks only to a socket of this user whose listener runs as this
// user (SO_PEERCRED).
//
// When the guard cannot work (the folder cannot hold the lock file, or a file of another
// user is in its place), the copy says so and runs unguarded rather than not at all.
#pragma once

#include "text/language.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <sys/types.h>

#include <string>
#include <vector>

class QFileSystemWatcher;
class QLocalServer;
class QTimer;
class QWidget;

namespace ravolin::app {

// The places the guard's socket may live in.
struct GuardPlaces {
  std::string runtime_dir;           // $XDG_RUNTIME_DIR as found (empty: unset)
  std::string shared_temp = "/tmp";  // the machine's temporary folder, for the fallback
  // $XDG_RUNTIME_DIR and /tmp, whatever TMPDIR says (two starts may have different ones).
  static GuardPlaces of_environment();
};

class SingleInstance final : public QObject {
  Q_OBJECT
 public:
  enum class Outcome {
    kGuarding,     // no other copy runs on the folder: this one runs and holds the guard
    kUnguarded,    // the guard cannot work: this copy runs without it (notice() says why)
    kForwarded,    // another copy runs on the folder and was asked to come forward: end
    kUnreachable,  // another copy runs on the folder and did not answer: end (notice())
  };
  // The name of the lock file in the user folder.
  static constexpr const char* kLockFileName = ".ravolin.lock";

  // folder: the user folder, where the program writes its files. language: of the notice.
  SingleInstance(const std::string& folder, text::Language language,
                 GuardPlaces places = GuardPlaces::of_environment(), QObject* parent = nullptr);
  ~SingleInstance() override;

  Outcome claim();
  // Whether a start with this outcome runs.
  static bool runs(Outcome outcome) {
    return outcome == Outcome::kGuarding || outcome == Outcome::kUnguarded;
  }
  // The message for the user after claim(), in the language of the run; empty when there
  // is nothing to tell.
  const QString& notice() const { return notice_; }
  // Whether this copy answers later starts.
  bool listening() const;
  // The socket this copy listens on (empty when it does not).
  const QString& socket_path() const { return socket_path_; }

  // Makes the socket again when it is gone or another file took its place. Runs by
  // itself when the socket's folder changes and once a minute.
  void keep_socket();

  // The window that a later start brings forward (shown again if hidden or minimised). A
  // request that came before the window was handed in is answered then.
  void bring_forward_on_request(QWidget* window);

 signals:
  // Another start has asked this copy to come forward.
  void show_requested();

 private:
  enum class Lock { kHeld, kBusy, kUnusable };
  Lock take_lock();
  std::vector<QString> socket_candidates(bool make_folders) const;
  bool ask_running_copy() const;
  void listen();
  void answer_request();
  void bring_forward();
  QString unusable_notice(const std::string& reason) const;

  std::string folder_;
  text::Language language_;
  GuardPlaces places_;
  QString hash_;
  int lock_fd_ = -1;
  QString notice_;
  QString socket_path_;
  ino_t socket_inode_ = 0;
  QLocalServer* server_ = nullptr;
  QFileSystemWatcher* watcher_ = nullptr;
  QTimer* check_timer_ = nullptr;
  QPointer<QWidget> window_;
  bool request_pending_ = false;
  bool told_no_socket_ = false;  // a socket that cannot be made is told once
};

// Removes the scratch folders (settings::make_scratch_folder) that runs without a folder of
// the user's own left under `parent` when they were killed: only folders that are provably
// this program's (the scratch name, this user's, private, holding a lock file at least a
// minute old and nothing but plain files a scratch run writes: no program, no file of the
// user's) and whose lock no running copy holds. Returns how many went.
int remove_stale_scratch_folders(const std::string& parent);

}  // namespace ravolin::app
