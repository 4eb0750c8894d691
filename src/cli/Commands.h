#pragma once
// The commands of orvane-cli. Each takes the arguments after its name and returns the exit
// status: 0 success, 1 failure, 2 bad arguments (after printing its usage).

#include <string>
#include <vector>

namespace orvane::cli {

int junkCommand(const std::vector<std::string>& args);
int shredCommand(const std::vector<std::string>& args);

} // namespace orvane::cli
