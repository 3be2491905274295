// `pixmill run EXPORT --arg value ... -o OUT.png`: one call of any export in
// the table, its surfaces read from BMP, PNG or JPEG files and the one named
// dest written as PNG or BMP.
#include <algorithm>
#include <map>

#include "commands.h"
#include "exports.h"
#include "image_files.h"
#include "numbers.h"
#include "output_file.h"
#include "tool_error.h"

namespace pixmill_tool {

namespace {

constexpr const char* kDest = "dest";

struct RunRequest {
    const ExportEntry* entry = nullptr;
    std::map<std::string, std::string> values;  // by argument name
    std::string output;                         // -o, empty when not given
};

bool has_kind(const ExportEntry& e, ArgKind kind)
{
    return std::find(e.kinds.begin(), e.kinds.end(), kind) != e.kinds.end();
}

bool has_dest(const ExportEntry& e)
{
    for (size_t i = 0; i < e.kinds.size(); ++i)
        if (e.kinds[i] == ArgKind::kSurface && e.arg_names[i] == kDest) return true;
    return false;
}

// The result surface must go somewhere unless the call's answer is the
// integers it writes back (the surface then stays as it was read).
bool needs_output(const ExportEntry& e) { return has_dest(e) && !has_kind(e, ArgKind::kIntOut); }

void print_help(const ExportEntry& e, std::ostream& out)
{
    out << "usage: pixmill run " << e.name;
    for (size_t i = 0; i < e.kinds.size(); ++i) {
        if (e.kinds[i] == ArgKind::kIntOut) continue;
        out << " --" << e.arg_names[i] << (e.kinds[i] == ArgKind::kSurface ? " FILE" : " N");
    }
    if (has_dest(e)) out << (needs_output(e) ? " -o OUT.png" : " [-o OUT.png]");
    out << "\narguments, in the order the export takes them:\n";
    size_t width = 0;
    for (const std::string& n : e.arg_names) width = std::max(width, n.size());
    for (size_t i = 0; i < e.kinds.size(); ++i) {
        const std::string& n = e.arg_names[i];
        const bool out_arg = e.kinds[i] == ArgKind::kIntOut;
        out << "  " << (out_arg ? "  " : "--") << n << std::string(width - n.size() + 2, ' ');
        switch (e.kinds[i]) {
        case ArgKind::kSurface: {
            const int bits = required_bits(e.name, n);
            out << (bits ? std::to_string(bits) + "-bit" : std::string("24- or 32-bit")) << " image (BMP, PNG or JPEG file)";
            out << (n == kDest ? ", drawn into and written to -o (PNG or BMP by its extension)" : ", read") << "\n";
            break;
        }
        case ArgKind::kInt: out << "32-bit integer\n"; break;
        case ArgKind::kFloat: out << "number (single precision)\n"; break;
        case ArgKind::kIntOut: out << "integer the export writes back, printed after the call\n"; break;
        }
    }
}

RunRequest parse_request(const std::vector<std::string>& args)
{
    RunRequest r;
    r.entry = find_export(args[0]);
    if (!r.entry) throw ToolError("unknown export '" + args[0] + "' (pixmill info lists the exports)");
    const ExportEntry& e = *r.entry;
    bool have_output = false;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "-o") {
            if (i + 1 == args.size()) throw ToolError("option -o needs a file name");
            if (have_output) throw ToolError("option -o given twice");
            r.output = args[++i];
            have_output = true;
            if (r.output.empty()) throw ToolError("option -o: empty file name");
            continue;
        }
        if (a.size() < 3 || a.compare(0, 2, "--") != 0) throw ToolError("unexpected argument '" + a + "'");
        const size_t eq = a.find('=');
        const std::string name = a.substr(2, eq == std::string::npos ? std::string::npos : eq - 2);
        const auto it = std::find(e.arg_names.begin(), e.arg_names.end(), name);
        if (it == e.arg_names.end()) throw ToolError("unknown option --" + name + " for " + e.name);
        if (e.kinds[static_cast<size_t>(it - e.arg_names.begin())] == ArgKind::kIntOut)
            throw ToolError("option --" + name + ": " + e.name + " writes this value, it is not given");
        if (r.values.count(name)) throw ToolError("option --" + name + " given twice");
        if (eq != std::string::npos) {
            r.values[name] = a.substr(eq + 1);
        } else {
            if (i + 1 == args.size()) throw ToolError("option --" + name + " needs a value");
            r.values[name] = args[++i];
        }
    }
    for (size_t i = 0; i < e.arg_names.size(); ++i)
        if (e.kinds[i] != ArgKind::kIntOut && !r.values.count(e.arg_names[i]))
            throw ToolError("missing argument --" + e.arg_names[i] + " (pixmill run " + e.name +
                            " --help lists the arguments)");
    if (needs_output(e) && !have_output)
        throw ToolError("missing -o OUT.png: " + e.name + " draws into --dest and the result must go somewhere");
    if (have_output && !has_dest(e)) throw ToolError("option -o: " + e.name + " draws into no surface");
    return r;
}

}  // namespace

int run_command(const std::vector<std::string>& args, std::ostream& out)
{
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        if (args.empty()) throw ToolError("run: missing export name (pixmill info lists the exports)");
        print_usage(out);
        return 0;
    }
    if (std::find(args.begin() + 1, args.end(), "--help") != args.end()) {
        const ExportEntry* e = find_export(args[0]);
        if (!e) throw ToolError("unknown export '" + args[0] + "' (pixmill info lists the exports)");
        print_help(*e, out);
        return 0;
    }

    const RunRequest r = parse_request(args);
    const ExportEntry& e = *r.entry;
    const size_t n = e.arg_names.size();
    if (!r.output.empty()) output_format(r.output);

    // Numbers first: a bad value should not cost reading the images.
    std::vector<ArgValue> values(n);
    std::vector<int32_t> written(n, 0);
    for (size_t i = 0; i < n; ++i) {
        const std::string option = "--" + e.arg_names[i];
        if (e.kinds[i] == ArgKind::kInt) values[i].integer = parse_int32(option, r.values.at(e.arg_names[i]));
        if (e.kinds[i] == ArgKind::kFloat) values[i].real = parse_float(option, r.values.at(e.arg_names[i]));
        if (e.kinds[i] == ArgKind::kIntOut) values[i].out = &written[i];
    }

    // Read each file once; naming one file twice hands the same surface to the
    // export twice, as a caller passing one record for both would.
    std::vector<std::string> paths;
    std::vector<size_t> image_of(n, 0);
    for (size_t i = 0; i < n; ++i) {
        if (e.kinds[i] != ArgKind::kSurface) continue;
        const std::string& path = r.values.at(e.arg_names[i]);
        if (!r.output.empty() && (path == r.output || same_existing_file(path, r.output)))
            throw ToolError(r.output + ": is the input given to --" + e.arg_names[i] + "; refusing to overwrite it");
        size_t k = 0;
        while (k < paths.size() && paths[k] != path && !same_existing_file(paths[k], path)) ++k;
        if (k == paths.size()) paths.push_back(path);
        image_of[i] = k;
    }
    std::vector<PictureFile> pictures;
    pictures.reserve(paths.size());
    for (const std::string& path : paths) pictures.push_back(read_picture(path));

    // A bitmap is handed over as stored and must have the depth the export
    // names; a PNG or JPEG takes that depth (or its own when either will do).
    std::vector<int> depth(paths.size(), 0);
    std::vector<std::string> depth_for(paths.size());
    for (size_t i = 0; i < n; ++i) {
        const int bits = e.kinds[i] == ArgKind::kSurface ? required_bits(e.name, e.arg_names[i]) : 0;
        if (bits == 0) continue;
        const size_t k = image_of[i];
        const PictureFile& p = pictures[k];
        const std::string need = e.name + " needs a " + std::to_string(bits);
        if (p.format == FileFormat::kBmp && p.image.bits() != bits)
            throw ToolError(paths[k] + ": " + need + "-bit BMP for --" + e.arg_names[i] + ", this one is " +
                            std::to_string(p.image.bits()) + "-bit");
        if (depth[k] != 0 && depth[k] != bits)
            throw ToolError(paths[k] + ": " + need + "-bit image for --" + e.arg_names[i] + " and a " +
                            std::to_string(depth[k]) + "-bit one for --" + depth_for[k] + "; give two files");
        depth[k] = bits;
        depth_for[k] = e.arg_names[i];
    }
    std::vector<Image> images;
    images.reserve(paths.size());
    for (size_t k = 0; k < paths.size(); ++k)
        images.push_back(pictures[k].at_depth(depth[k] ? depth[k] : pictures[k].natural_bits(), paths[k]));
    pictures.clear();

    size_t dest_image = paths.size();
    for (size_t i = 0; i < n; ++i) {
        if (e.kinds[i] != ArgKind::kSurface) continue;
        values[i].surface = images[image_of[i]].surface();
        if (e.arg_names[i] == kDest) dest_image = image_of[i];
    }

    e.invoke(values.data());

    for (size_t i = 0; i < n; ++i)
        if (e.kinds[i] == ArgKind::kIntOut) out << e.arg_names[i] << " = " << written[i] << "\n";
    if (!r.output.empty() && dest_image < images.size()) {
        const Image& result = images[dest_image];
        write_picture(r.output, result);
        out << "wrote " << r.output << " (" << result.width() << "x" << result.height() << ", " << result.bits()
            << "-bit)\n";
    }
    return 0;
}

}  // namespace pixmill_tool
