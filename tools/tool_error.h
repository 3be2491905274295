// The one kind of failure the tool reports: a single line naming the file or
// argument at fault and what is wrong with it.
#pragma once

#include <stdexcept>
#include <string>

namespace pixmill_tool {

class ToolError : public std::runtime_error {
public:
    explicit ToolError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace pixmill_tool
