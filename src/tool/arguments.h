// SPDX-License-Identifier: MIT
// The argument walk the hotels and search subcommands share: one program folder DIR and
// options written "--name value" or "--name=value".
#pragma once

#include "tool/commands.h"

#include <functional>
#include <string>

namespace ravolin::tool {

// Called with each option's name and value; false for a name the subcommand does not know.
using OptionSink = std::function<bool(const std::string& name, const std::string& value)>;

// Walks `args` in order, putting the one argument that is not an option into `dir` and
// each option into `option`. Returns the usage error (a second folder, an option without
// a value, an unknown option, no folder at all), or an empty text when the walk succeeds.
std::string walk_args(const Args& args, std::string& dir, const OptionSink& option);

}  // namespace ravolin::tool
