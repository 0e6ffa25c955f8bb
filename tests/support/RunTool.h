#pragma once
// Runs an outside program (a checking tool) through the shell with a time
// limit, so a tool that hangs fails its test instead of stalling the suite.

#include <stdio.h>
#include <sys/wait.h>

#include <string>

namespace testsupport {

// Quoted for the shell, whatever the text holds.
inline std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// The command's exit status (124 when it ran out of time, -1 when it could
// not run); output gets what it printed on standard output.
inline int runTool(const std::string& command, std::string& output, int seconds = 60) {
    output.clear();
    const std::string limited = "timeout -k 5 " + std::to_string(seconds) + " " + command;
    FILE* pipe = ::popen(limited.c_str(), "r");
    if (pipe == nullptr) return -1;
    char buffer[4096];
    std::size_t n;
    while ((n = ::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
    const int status = ::pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace testsupport
