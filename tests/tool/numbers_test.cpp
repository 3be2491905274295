// Numbers on the command line.
#include <gtest/gtest.h>

#include "numbers.h"
#include "tool_error.h"

using namespace pixmill_tool;

TEST(Numbers, IntegersAcceptedWholeAndInRange)
{
    const std::pair<const char*, int32_t> good[] = {
        {"0", 0}, {"-5", -5}, {"+7", 7}, {"2147483647", INT32_MAX}, {"-2147483648", INT32_MIN}, {"007", 7},
    };
    for (const auto& [text, value] : good) EXPECT_EQ(parse_int32("--dx", text), value) << text;

    const std::pair<const char*, const char*> bad[] = {
        {"", "is not an integer"},
        {"-", "is not an integer"},
        {"abc", "is not an integer"},
        {"12px", "is not an integer"},
        {" 12", "is not an integer"},
        {"1.5", "is not an integer"},
        {"0x10", "is not an integer"},
        {"2147483648", "is outside the 32-bit integer range"},
        {"-2147483649", "is outside the 32-bit integer range"},
        {"99999999999999999999999", "is outside the 32-bit integer range"},
    };
    for (const auto& [text, message] : bad) {
        try {
            parse_int32("--dx", text);
            ADD_FAILURE() << "'" << text << "' was accepted";
        } catch (const ToolError& e) {
            EXPECT_EQ(std::string(e.what()), std::string("argument --dx: '") + text + "' " + message);
        }
    }
}

TEST(Numbers, FloatsAcceptedWholeFiniteAndInRange)
{
    const std::pair<const char*, float> good[] = {{"1", 1.0f}, {"-0.5", -0.5f}, {"2.5e1", 25.0f}, {"1e-60", 0.0f}};
    for (const auto& [text, value] : good) EXPECT_EQ(parse_float("--factor", text), value) << text;

    const std::pair<const char*, const char*> bad[] = {
        {"", "is not a number"},      {"x", "is not a number"},           {"1.5.2", "is not a number"},
        {" 1", "is not a number"},    {"nan", "is not a finite number"},  {"-inf", "is not a finite number"},
        {"1e39", "is outside the float range"}, {"1e400", "is not a finite number"},
    };
    for (const auto& [text, message] : bad) {
        try {
            parse_float("--factor", text);
            ADD_FAILURE() << "'" << text << "' was accepted";
        } catch (const ToolError& e) {
            EXPECT_EQ(std::string(e.what()), std::string("argument --factor: '") + text + "' " + message);
        }
    }
}
