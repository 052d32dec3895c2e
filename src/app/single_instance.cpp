// SPDX-License-Identifier: MIT
#include "app/single_instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QWidget>

#include <unistd.h>

namespace ravolin::app {
namespace {

constexpr int kConnectMs = 1000;
constexpr int kLockMs = 5000;

// The folder as one path however it was reached: through a link it is the same folder.
QString folder_identity(const std::string& folder) {
  const QFileInfo info(QString::fromStdString(folder));
  const QString real = info.canonicalFilePath();
  return real.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : real;
}

}  // namespace

SingleInstance::SingleInstance(const std::string& folder, QObject* parent)
    : QObject(parent), name_(server_name(folder)) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::server_name(const std::string& folder) {
  const QByteArray hash =
      QCryptographicHash::hash(folder_identity(folder).toUtf8(), QCryptographicHash::Sha256);
  return QStringLiteral("ravolin-%1-%2")
      .arg(static_cast<qulonglong>(::getuid()))
      .arg(QString::fromLatin1(hash.toHex().left(24)));
}

bool SingleInstance::listening() const { return server_ && server_->isListening(); }

bool SingleInstance::ask_running_copy() const {
  QLocalSocket socket;
  socket.connectToServer(name_);
  if (!socket.waitForConnected(kConnectMs)) return false;
  // The connection itself is the request; the running copy needs nothing more.
  socket.disconnectFromServer();
  return true;
}

bool SingleInstance::claim() {
  if (listening()) return true;
  // Two copies started at the same moment take turns: otherwise each could remove the
  // other's fresh socket as a stale one.
  QLockFile lock(QDir::tempPath() + QLatin1Char('/') + name_ + QStringLiteral(".lock"));
  const bool locked = lock.tryLock(kLockMs);
  if (ask_running_copy()) return false;
  // Nobody answers: a socket still lying there was left by a copy that ended abnormally.
  QLocalServer::removeServer(name_);
  server_ = new QLocalServer(this);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  connect(server_, &QLocalServer::newConnection, this, &SingleInstance::answer_request);
  if (!server_->listen(name_)) {
    // This copy runs unguarded rather than not at all.
    delete server_;
    server_ = nullptr;
  }
  if (locked) lock.unlock();
  return true;
}

void SingleInstance::answer_request() {
  bool asked = false;
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    socket->disconnectFromServer();
    socket->deleteLater();
    asked = true;
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

}  // namespace ravolin::app
