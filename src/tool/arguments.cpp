// SPDX-License-Identifier: MIT
#include "tool/arguments.h"

namespace ravolin::tool {

std::string walk_args(const Args& args, std::string& dir, const OptionSink& option) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string a = args[i];
    if (a.rfind("--", 0) != 0) {
      if (!dir.empty()) return "unexpected argument '" + a + "'";
      dir = a;
      continue;
    }
    std::string value;
    if (auto eq = a.find('='); eq != std::string::npos) {
      value = a.substr(eq + 1);
      a = a.substr(0, eq);
    } else {
      if (i + 1 >= args.size()) return "option " + a + " needs a value";
      value = args[++i];
    }
    if (!option(a, value)) return "unknown option '" + a + "'";
  }
  if (dir.empty()) return "the program folder DIR is missing";
  return "";
}

}  // namespace ravolin::tool
