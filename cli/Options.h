#pragma once

// The command line's conventions, in one place for every command: "--name value" or
// "--name=value", "--" ending the options, "-" as an operand (standard output where a command
// writes a file), and a usage error as one line on standard error with exit status 2.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "CliSupport.h"

namespace orvel::cli {

// One option of a command. A flag has no value name; an option with a value passes it to take,
// which stores it and answers whether it is a valid value (rule says what a valid value is).
struct Option {
    std::string name;
    std::string valueName;
    std::string rule;
    std::function<bool(const std::string& value)> take;
};

Option Flag(const char* name, bool& target);
Option Text(const char* name, const char* valueName, std::string& target);
Option Integer(const char* name, const char* valueName, int64_t& target, int64_t min, int64_t max, const char* rule);
// An integer the command must know whether it was given.
Option Integer(const char* name, const char* valueName, std::optional<int64_t>& target, int64_t min, int64_t max,
               const char* rule);
Option Number(const char* name, const char* valueName, double& target, const char* rule);
Option Custom(const char* name, const char* valueName, const char* rule, std::function<bool(const std::string&)> take);

// The operands (files) of the arguments once the options are taken out; nullopt after a usage
// error, which has been reported.
std::optional<std::vector<std::string>> ParseOptions(const char* command, const Args& args,
                                                     const std::vector<Option>& options);

// Reports a usage error of the command ("orvelgraph-cli COMMAND: MESSAGE (see --help)") and gives
// the exit status for it, 2.
int UsageError(const char* command, const std::string& message);

// "-" names standard output.
inline bool IsStandardOutput(const std::string& path) { return path == "-"; }

}  // namespace orvel::cli
