// SPDX-License-Identifier: MIT
#include "app/termination_signals.h"

#include <QSocketNotifier>
#include <QWidget>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>

namespace ravolin::app {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP};

// The writing end of the pipe of the one TerminationSignals (-1: none).
volatile sig_atomic_t write_end = -1;

extern "C" void on_signal(int number) {
  const int saved = errno;
  const unsigned char byte = static_cast<unsigned char>(number);
  if (write_end >= 0 && ::write(write_end, &byte, 1) < 0) {
    // The pipe is full of signals not yet read: one more says nothing new.
  }
  errno = saved;
}

}  // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
  if (write_end >= 0 || ::pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0) {
    std::fprintf(stderr, "ravolin: SIGTERM and SIGHUP end the program without storing\n");
    pipe_[0] = pipe_[1] = -1;
    return;
  }
  write_end = pipe_[1];
  notifier_ = new QSocketNotifier(pipe_[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::read_pipe);
  struct sigaction action {};
  action.sa_handler = on_signal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int number : kSignals) ::sigaction(number, &action, nullptr);
}

TerminationSignals::~TerminationSignals() {
  if (pipe_[1] < 0) return;
  for (const int number : kSignals) std::signal(number, SIG_DFL);
  write_end = -1;
  delete notifier_;
  ::close(pipe_[0]);
  ::close(pipe_[1]);
}

void TerminationSignals::read_pipe() {
  unsigned char bytes[16];
  ssize_t n = 0;
  while ((n = ::read(pipe_[0], bytes, sizeof bytes)) > 0)
    for (ssize_t i = 0; i < n; ++i) emit signal_received(bytes[i]);
  received_ = true;
  if (window_ && window_->isVisible()) window_->close();
}

}  // namespace ravolin::app
