// SPDX-License-Identifier: MIT
// SIGTERM and SIGHUP (the desktop logging out, the machine shutting down, `kill`) end the
// program the way closing its main window does: the settings are stored and the one-copy
// socket goes. The signal handler only writes the signal's number into a pipe; the window
// is closed on the window thread when the pipe becomes readable, so no window code ever
// runs inside a signal handler.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

class QSocketNotifier;

namespace ravolin::app {

class TerminationSignals final : public QObject {
  Q_OBJECT
 public:
  // Catches SIGTERM and SIGHUP from now on; one at a time in a process.
  explicit TerminationSignals(QObject* parent = nullptr);
  // The signals' default actions come back.
  ~TerminationSignals() override;
  TerminationSignals(const TerminationSignals&) = delete;
  TerminationSignals& operator=(const TerminationSignals&) = delete;

  // The window a signal closes. A signal that comes before it is shown (while the program
  // starts) closes nothing: received() tells the start-up to end instead.
  void close_on_signal(QWidget* window) { window_ = window; }
  bool received() const { return received_; }

 signals:
  void signal_received(int number);

 private:
  void read_pipe();

  int pipe_[2] = {-1, -1};
  QSocketNotifier* notifier_ = nullptr;
  QPointer<QWidget> window_;
  bool received_ = false;
};

}  // namespace ravolin::app
