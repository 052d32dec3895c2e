// SPDX-License-Identifier: MIT
// Keeps the test support library non-empty while it grows.
namespace ravolin::test_support {
int empty_anchor = 0;
}
