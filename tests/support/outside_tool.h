// Running a program that is not part of this project on a file a test wrote,
// so that the file is read back by code other than its writer's.
#pragma once

#include <array>
#include <cstdio>
#include <string>

struct ToolOutput {
    int status = -1;  // the program's exit status; -1 when it could not be run
    std::string out;  // what it wrote to standard output
};

// command is run by the shell; its standard error goes to the test's.
inline ToolOutput RunOutsideTool(const std::string& command) {
    ToolOutput result;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return result;
    std::array<char, 4096> buffer;
    std::size_t read = 0;
    while ((read = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        result.out.append(buffer.data(), read);
    const int status = ::pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

// A path as one shell word.
inline std::string ShellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}
