// `pixmill info`: what the library says about itself and what `run` can call.
#include <algorithm>
#include <cstdlib>

#include "commands.h"
#include "exports.h"
#include "frame/cpu.h"
#include "pixmill.h"
#include "tool_error.h"

namespace pixmill_tool {

int info_command(const std::vector<std::string>& args, std::ostream& out)
{
    if (!args.empty()) throw ToolError("info: unexpected argument '" + args[0] + "'");

    int32_t version = 0;
    char text[36] = {};  // the library writes 35 characters and no terminating zero
    Render_GetInfo(&version, text);
    out << "Pixmill version " << version << ": " << std::string(text, 35) << "\n";

    // The level the exports use, and whether PIXMILL_ISA changed it.
    using pixmill::isa_name;
    const pixmill::Isa cpu = pixmill::cpu_isa(), active = pixmill::active_isa();
    pixmill::Isa asked = cpu;
    const bool named = pixmill::requested_isa(asked);
    out << "Instruction set: " << isa_name(active);
    if (active != cpu) out << " (lowered by PIXMILL_ISA from " << isa_name(cpu) << ")";
    out << "\n";
    if (const char* value = std::getenv("PIXMILL_ISA"); value && *value && (!named || asked > cpu))
        out << "PIXMILL_ISA=" << value << " ignored: "
            << (named ? "above what this CPU supports" : "not one of scalar, sse2, ssse3, avx2, avx512") << "\n";

    const std::vector<ExportEntry>& table = export_table();
    size_t name_width = 0;
    for (const ExportEntry& e : table) name_width = std::max(name_width, e.name.size());
    out << table.size() << " exports reachable with pixmill run:\n";
    for (const ExportEntry& e : table) {
        out << "  " << e.name << std::string(name_width - e.name.size() + 2, ' ');
        for (size_t i = 0; i < e.arg_names.size(); ++i) out << (i ? " " : "") << e.arg_names[i];
        out << "\n";
    }
    return 0;
}

}  // namespace pixmill_tool
