#include "calendar/clock.h"

#include "files/replace_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace ravolin::calendar {
namespace {

SystemTime from_tm(const std::tm& tm) {
  return make_system_time(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min,
                          tm.tm_sec);
}

}  // namespace

SystemTime SystemClock::now() const {
  std::timespec ts{};
  std::tm tm{};
  if (clock_gettime(CLOCK_REALTIME, &ts) != 0 || localtime_r(&ts.tv_sec, &tm) == nullptr)
    return make_system_time(2000, 1, 1, 0, 0, 0);
  return from_tm(tm);
}

std::string set_time_argument(const SystemTime& t) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour,
                t.minute, t.second);
  return buf;
}

bool SystemClock::set(const SystemTime& t, std::string& error) {
  if (!is_valid_date(t.year, t.month, t.day) || t.hour < 0 || t.hour > 23 || t.minute < 0 ||
      t.minute > 59 || t.second < 0 || t.second > 59) {
    error = "日付または時刻が正しくありません";
    return false;
  }
  const std::string when = set_time_argument(t);
  std::string program = set_time_program_;
  std::string verb = "set-time";
  std::vector<char*> argv = {program.data(), verb.data(), const_cast<char*>(when.c_str()),
                             nullptr};

  int out[2];
  if (pipe2(out, O_CLOEXEC) != 0) {
    error = std::string("時刻設定サービスを呼び出せません: ") + settings::system_error_text(errno);
    return false;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawn_file_actions_adddup2(&actions, out[1], 2);
  pid_t pid = 0;
  const bool path_given = program.find('/') != std::string::npos;
  const int spawned = path_given
                          ? posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ)
                          : posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  if (spawned != 0) {
    close(out[0]);
    error = "時刻設定サービス（" + program + "）を実行できません: " + settings::system_error_text(spawned);
    return false;
  }
  std::string said;
  char chunk[512];
  for (;;) {
    const ssize_t n = read(out[0], chunk, sizeof chunk);
    if (n > 0) {
      if (said.size() < 4096) said.append(chunk, static_cast<std::size_t>(n));
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      break;
    }
  }
  close(out[0]);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) {
      error = std::string("時刻設定サービスの終了を確認できません: ") + settings::system_error_text(errno);
      return false;
    }
  }
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return true;
  while (!said.empty() && (said.back() == '\n' || said.back() == '\r' || said.back() == ' '))
    said.pop_back();
  if (said.empty())
    said = WIFEXITED(status) ? "終了コード " + std::to_string(WEXITSTATUS(status))
                             : std::string("異常終了");
  error = "時刻設定サービスが日時の設定を拒否しました: " + said;
  return false;
}

void FixedClock::advance_seconds(int seconds) {
  long long total = static_cast<long long>(t_.hour) * 3600 + t_.minute * 60 + t_.second + seconds;
  long long days = total / 86400;
  total %= 86400;
  if (total < 0) {
    total += 86400;
    --days;
  }
  const CivilDate c = civil_from_day_number(static_cast<std::int32_t>(t_.day_number + days));
  t_ = make_system_time(c.year, c.month, c.day, static_cast<int>(total / 3600),
                        static_cast<int>(total / 60 % 60), static_cast<int>(total % 60));
}

}  // namespace ravolin::calendar
