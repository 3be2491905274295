#include "numbers.h"

#include <cctype>
#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdlib>

#include "tool_error.h"

namespace pixmill_tool {

namespace {

ToolError bad(const std::string& name, const std::string& text, const char* what)
{
    return ToolError("argument " + name + ": '" + text + "' " + what);
}

// strtol and strtod skip leading blanks; a value is taken only as written.
bool starts_cleanly(const std::string& text)
{
    return !text.empty() && !std::isspace(static_cast<unsigned char>(text[0]));
}

}  // namespace

int32_t parse_int32(const std::string& name, const std::string& text)
{
    size_t i = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
    if (i == text.size()) throw bad(name, text, "is not an integer");
    for (size_t j = i; j < text.size(); ++j)
        if (!std::isdigit(static_cast<unsigned char>(text[j]))) throw bad(name, text, "is not an integer");
    errno = 0;
    const long long v = std::strtoll(text.c_str(), nullptr, 10);
    if (errno == ERANGE || v < INT32_MIN || v > INT32_MAX)
        throw bad(name, text, "is outside the 32-bit integer range");
    return static_cast<int32_t>(v);
}

float parse_float(const std::string& name, const std::string& text)
{
    if (!starts_cleanly(text)) throw bad(name, text, "is not a number");
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size()) throw bad(name, text, "is not a number");
    if (!std::isfinite(v)) throw bad(name, text, "is not a finite number");
    if (errno == ERANGE && std::fabs(v) > 1.0) throw bad(name, text, "is outside the float range");
    if (std::fabs(v) > FLT_MAX) throw bad(name, text, "is outside the float range");
    return static_cast<float>(v);
}

}  // namespace pixmill_tool
