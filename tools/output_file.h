// Files the tool writes: never half-written, never one of its inputs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace pixmill_tool {

// Replaces the file at path with data: written to a temporary file in the same
// directory, flushed, then renamed over path. On failure the temporary file is
// removed, path is left as it was, and ToolError names path and the reason.
void replace_file(const std::string& path, const std::vector<uint8_t>& data);

// True when both paths name the same existing file (also through links or
// different spellings of the path).
bool same_existing_file(const std::string& a, const std::string& b);

}  // namespace pixmill_tool
