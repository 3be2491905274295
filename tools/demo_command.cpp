// `pixmill demo [OUT.png|OUT.bmp]`: runs the demo steps over a generated picture,
// reporting each with its time, and writes the canvas.
#include <chrono>
#include <cstdio>

#include "image_files.h"
#include "commands.h"
#include "demo.h"
#include "tool_error.h"

namespace pixmill_tool {

Panel panel(int index)
{
    return {kGutter + (index % 4) * (kPanelSize + kGutter), kGutter + (index / 4) * (kPanelSize + kGutter)};
}

int demo_command(const std::vector<std::string>& args, std::ostream& out)
{
    if (args.size() > 1) throw ToolError("demo: unexpected argument '" + args[1] + "'");
    const std::string path = args.empty() ? "pixmill-demo.bmp" : args[0];
    if (!path.empty() && path[0] == '-') throw ToolError("demo: unknown option " + path);
    output_format(path);

    Scene scene;
    const std::vector<DemoStep>& steps = demo_steps();
    out << "pixmill demo: " << steps.size() << " steps on a " << kCanvasWidth << "x" << kCanvasHeight
        << " canvas\n";
    double total = 0;
    for (size_t i = 0; i < steps.size(); ++i) {
        const auto start = std::chrono::steady_clock::now();
        steps[i].run(scene);
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        total += took.count();
        char line[160];
        std::snprintf(line, sizeof line, "%3zu. %-72s %8.3f ms\n", i + 1, steps[i].title, took.count());
        out << line;
    }
    write_picture(path, scene.canvas);
    char ms[32];
    std::snprintf(ms, sizeof ms, "%.3f", total);
    out << "wrote " << path << " (" << scene.canvas.width() << "x" << scene.canvas.height() << ", "
        << scene.canvas.bits() << "-bit) after " << ms << " ms of drawing\n";
    return 0;
}

}  // namespace pixmill_tool
