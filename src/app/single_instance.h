// SPDX-License-Identifier: MIT
// One running copy per user folder. Two copies writing the same settings file and
// hotelusr.csv would each overwrite what the other saved, so a second start asks the
// running copy to bring its main window forward and then ends. The copies meet through a
// local socket whose name is made from the user and the user folder; a socket left behind
// by a copy that crashed is removed and taken over.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <string>

class QLocalServer;
class QWidget;

namespace ravolin::app {

class SingleInstance final : public QObject {
  Q_OBJECT
 public:
  // folder: the user folder, where the program writes its files.
  explicit SingleInstance(const std::string& folder, QObject* parent = nullptr);
  ~SingleInstance() override;

  // True when no other copy runs on the folder: this copy then answers later starts.
  // False when one does; it has been asked to come forward.
  bool claim();
  // Whether this copy answers later starts (claim() returned true).
  bool listening() const;

  // The window that a later start brings forward (shown again if hidden or minimised). A
  // request that came before the window was handed in is answered then.
  void bring_forward_on_request(QWidget* window);

  // The local socket's name for a folder: the user's id and a hash of the folder's path.
  static QString server_name(const std::string& folder);

 signals:
  // Another start has asked this copy to come forward.
  void show_requested();

 private:
  bool ask_running_copy() const;
  void answer_request();
  void bring_forward();

  QString name_;
  QLocalServer* server_ = nullptr;
  QPointer<QWidget> window_;
  bool request_pending_ = false;
};

}  // namespace ravolin::app
