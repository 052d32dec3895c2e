// SPDX-License-Identifier: MIT
#include "support/ordinary_user.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ravolin::test_support {

int as_ordinary_user(const std::function<int()>& fn, const std::vector<gid_t>& extra_groups) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (::getuid() == 0) {
      std::vector<gid_t> groups{kOrdinaryGroup};
      groups.insert(groups.end(), extra_groups.begin(), extra_groups.end());
      if (::setgroups(groups.size(), groups.data()) != 0 || ::setgid(kOrdinaryGroup) != 0 ||
          ::setuid(kOrdinaryUser) != 0)
        ::_exit(99);
    }
    ::_exit(fn());
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 98;
}

}  // namespace ravolin::test_support
