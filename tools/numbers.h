// Command-line numbers: whole decimal text, nothing left over, in range.
#pragma once

#include <cstdint>
#include <string>

namespace pixmill_tool {

// Parse the value of argument `name` (used in the error message, e.g. "--dx").
// Throw ToolError when text is not a number or does not fit.
int32_t parse_int32(const std::string& name, const std::string& text);
float parse_float(const std::string& name, const std::string& text);

}  // namespace pixmill_tool
