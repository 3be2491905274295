// pixmill: the library's command-line tool over BMP, PNG and JPEG files.
#include <iostream>
#include <string>
#include <vector>

#include "commands.h"
#include "tool_error.h"

namespace pixmill_tool {

void print_usage(std::ostream& out)
{
    out << "usage: pixmill info                   version, description and the exports run can call\n"
           "       pixmill run EXPORT --ARG VALUE ... [-o OUT.png]\n"
           "                                      call one export on BMP, PNG or JPEG files; the surface\n"
           "                                      given as --dest is written to -o, as PNG or BMP by its\n"
           "                                      extension (never over an input)\n"
           "       pixmill run EXPORT --help      the export's arguments\n"
           "       pixmill demo [OUT.png|OUT.bmp] draw the demo scene (default pixmill-demo.bmp)\n"
           "       pixmill gallery DIR            one call of every family on generated pictures: the\n"
           "                                      PNG pictures before and after, and DIR/index.html showing them\n";
}

}  // namespace pixmill_tool

int main(int argc, char** argv)
{
    using namespace pixmill_tool;
    const std::vector<std::string> words(argv + 1, argv + argc);
    if (words.empty()) {
        print_usage(std::cerr);
        return 2;
    }
    const std::string& command = words[0];
    const std::vector<std::string> rest(words.begin() + 1, words.end());
    try {
        if (command == "info") return info_command(rest, std::cout);
        if (command == "run") return run_command(rest, std::cout);
        if (command == "demo") return demo_command(rest, std::cout);
        if (command == "gallery") return gallery_command(rest, std::cout);
        if (command == "help" || command == "--help" || command == "-h") {
            print_usage(std::cout);
            return 0;
        }
        throw ToolError("unknown command '" + command + "' (pixmill --help lists the commands)");
    } catch (const ToolError& e) {
        std::cerr << "pixmill: " << e.what() << "\n";
        return 1;
    } catch (const std::bad_alloc&) {
        std::cerr << "pixmill: out of memory\n";
        return 1;
    }
}
