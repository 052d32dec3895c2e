// SPDX-License-Identifier: MIT
// A test step with an ordinary user's rights, also when the tests run as root (as CI
// does): the permission checks, and the set-ID bits the system clears on writing, are
// then the ones a user meets.
#pragma once

#include <sys/types.h>

#include <functional>
#include <vector>

namespace ravolin::test_support {

// The user and group an administrator's test run takes for the ordinary user (nobody).
inline constexpr uid_t kOrdinaryUser = 65534;
inline constexpr gid_t kOrdinaryGroup = 65534;

// Runs fn in a child process and returns its exit code: as user and group 65534 (with
// extra_groups as further groups) when the tests run as root, as the test's own user
// otherwise. 98 when the child did not end normally, 99 when the rights could not be
// given up. Files the child must write need to be open to it.
int as_ordinary_user(const std::function<int()>& fn, const std::vector<gid_t>& extra_groups = {});

}  // namespace ravolin::test_support
