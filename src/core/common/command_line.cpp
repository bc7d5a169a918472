#include "common/command_line.h"

namespace carvelle {

std::vector<std::string> SplitCommandLine(const std::string& parameters) {
    std::vector<std::string> arguments;
    std::string current;
    bool started = false; // distinguishes "" (an empty argument) from nothing at all
    bool quoted = false;
    const std::size_t size = parameters.size();
    std::size_t i = 0;
    while (i < size) {
        const char c = parameters[i];
        if (c == '\\') {
            std::size_t end = i;
            while (end < size && parameters[end] == '\\') {
                ++end;
            }
            const std::size_t count = end - i;
            started = true;
            if (end < size && parameters[end] == '"') {
                current.append(count / 2, '\\');
                if (count % 2 == 1) {
                    current += '"';
                    ++end;
                }
            } else {
                current.append(count, '\\');
            }
            i = end;
        } else if (c == '"') {
            started = true;
            if (quoted && i + 1 < size && parameters[i + 1] == '"') {
                current += '"';
                i += 2;
            } else {
                quoted = !quoted;
                ++i;
            }
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (started) {
                arguments.push_back(std::move(current));
                current.clear();
                started = false;
            }
            ++i;
        } else {
            current += c;
            started = true;
            ++i;
        }
    }
    if (started) {
        arguments.push_back(std::move(current));
    }
    return arguments;
}

} // namespace carvelle
