#include "Options.h"

#include <cstdio>

namespace orvel::cli {

Option Flag(const char* name, bool& target)
{
    return {name, {}, {}, [&target](const std::string&) { return target = true; }};
}

Option Text(const char* name, const char* valueName, std::string& target)
{
    return {name, valueName, {}, [&target](const std::string& value) {
                target = value;
                return !value.empty();
            }};
}

Option Integer(const char* name, const char* valueName, int64_t& target, int64_t min, int64_t max, const char* rule)
{
    return {name, valueName, rule, [&target, min, max](const std::string& value) {
                int64_t parsed = 0;
                if (!ParseInteger(value, parsed) || parsed < min || parsed > max) return false;
                target = parsed;
                return true;
            }};
}

Option Integer(const char* name, const char* valueName, std::optional<int64_t>& target, int64_t min, int64_t max,
               const char* rule)
{
    return {name, valueName, rule, [&target, min, max](const std::string& value) {
                int64_t parsed = 0;
                if (!ParseInteger(value, parsed) || parsed < min || parsed > max) return false;
                target = parsed;
                return true;
            }};
}

Option Number(const char* name, const char* valueName, double& target, const char* rule)
{
    return {name, valueName, rule, [&target](const std::string& value) { return ParseNumber(value, target); }};
}

Option Custom(const char* name, const char* valueName, const char* rule, std::function<bool(const std::string&)> take)
{
    return {name, valueName, rule, std::move(take)};
}

int UsageError(const char* command, const std::string& message)
{
    std::fprintf(stderr, "orvelgraph-cli %s: %s (see 'orvelgraph-cli %s --help')\n", command, message.c_str(), command);
    return 2;
}

std::optional<std::vector<std::string>> ParseOptions(const char* command, const Args& args,
                                                     const std::vector<Option>& options)
{
    std::vector<std::string> operands;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg == "-" || arg.empty() || arg[0] != '-') {
            operands.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const size_t equals = arg.rfind("--", 0) == 0 ? arg.find('=') : std::string::npos;
        const std::string name = arg.substr(0, equals);
        const Option* option = nullptr;
        for (const Option& candidate : options)
            if (candidate.name == name) option = &candidate;
        if (!option) {
            UsageError(command, "unknown option '" + name + "'");
            return std::nullopt;
        }
        if (option->valueName.empty()) {
            if (equals != std::string::npos) {
                UsageError(command, "option '" + name + "' takes no value");
                return std::nullopt;
            }
            option->take({});
            continue;
        }
        std::string value;
        if (equals != std::string::npos) {
            value = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            UsageError(command, "option '" + name + "' needs a value " + option->valueName);
            return std::nullopt;
        }
        if (!option->take(value)) {
            std::string message = "bad value '" + value + "' for " + name;
            if (!option->rule.empty()) message += ": " + option->rule;
            UsageError(command, message);
            return std::nullopt;
        }
    }
    return operands;
}

}  // namespace orvel::cli
