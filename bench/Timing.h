#pragma once
// A small timing harness: repetitions, medians and the run of an outside tool.

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdlib.h>
#include <string>
#include <vector>

namespace orvane::bench {

// Wall-clock seconds of one call.
template <typename Fn>
double secondsOf(Fn&& fn)
{
    const auto start = std::chrono::steady_clock::now();
    fn();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

inline double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

// Runs a shell command and returns what it printed on standard output ("" when it cannot run).
inline std::string commandOutput(const std::string& command)
{
    std::string out;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            out.append(buffer, n);
        ::pclose(pipe);
    }
    return out;
}

// 'single quotes' for the shell.
inline std::string shellQuote(const std::string& text)
{
    std::string out = "'";
    for (char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

// "--name=N": stores N and returns true; false for any other argument.
inline bool numberOption(const char* arg, const char* name, uint64_t& value)
{
    const size_t n = std::strlen(name);
    if (std::strncmp(arg, name, n) != 0 || arg[n] != '=')
        return false;
    value = std::strtoull(arg + n + 1, nullptr, 10);
    return true;
}

// A fresh scratch folder in $TMPDIR (or /tmp); "" when it cannot be made (reported on stderr).
inline std::string makeWorkFolder(const char* program)
{
    const char* tmp = std::getenv("TMPDIR");
    std::string work = std::string(tmp && *tmp ? tmp : "/tmp") + "/orvane-bench-XXXXXX";
    if (!::mkdtemp(work.data())) {
        std::fprintf(stderr, "%s: cannot create a work folder in %s\n", program, tmp && *tmp ? tmp : "/tmp");
        return {};
    }
    return work;
}

} // namespace orvane::bench
