// The tool's commands. Each takes the words after its own name, writes its
// report to out and returns the exit status; failures are thrown as ToolError.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace pixmill_tool {

int info_command(const std::vector<std::string>& args, std::ostream& out);
int run_command(const std::vector<std::string>& args, std::ostream& out);
int demo_command(const std::vector<std::string>& args, std::ostream& out);
int gallery_command(const std::vector<std::string>& args, std::ostream& out);

// The tool's usage text.
void print_usage(std::ostream& out);

}  // namespace pixmill_tool
