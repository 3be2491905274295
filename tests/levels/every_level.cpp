// Every export at one instruction-set level against the scalar level's bytes.
// The level is chosen once per process (PIXMILL_ISA lowers the processor's),
// so levels are compared across processes: `pixmill_levels write FILE` runs
// every case at the scalar level and keeps a digest of everything each call
// leaves (arrays with their padding, out-parameters, result); `pixmill_levels
// check FILE` runs the same cases at this process's level and compares.
// `check FILE stack4` (32-bit x86) makes every call with the stack pointer at
// 4 mod 16. The Windows build of this driver calls the DLL instead (see
// tests/caller), with the Automation runtime's arrays.
// Exit 77: PIXMILL_ISA names a level this processor (or build) lacks.
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <vector>

#include "call_cases.h"
#include "frame/cpu.h"

using namespace pixmill_reliability;

namespace {

uint64_t digest(const std::vector<uint8_t>& bytes)
{
    uint64_t h = 14695981039346656037u;
    for (uint8_t b : bytes) h = (h ^ b) * 1099511628211u;
    return h;
}

// The export, its surfaces and its arguments, enough to repeat the call.
void describe(const CallCase& c, size_t index)
{
    std::printf("%s (case %zu, fill style %d seed %u):", case_name(c), index, c.fill_style, c.fill_seed);
    const auto& table = pixmill_tool::export_table();
    const bool service = c.export_index >= static_cast<int>(table.size());
    const ExportEntry e = service ? ExportEntry{"", {"array", "dim"}, {ArgKind::kSurface, ArgKind::kInt}, nullptr}
                                  : table[c.export_index];
    for (size_t i = 0; i < e.kinds.size(); ++i) {
        const char* n = e.arg_names[i].c_str();
        const Shape& s = *n == 'm' ? c.mask : *n == 's' && !c.same_surface ? c.src : c.dest;
        if (e.kinds[i] == ArgKind::kInt) std::printf(" %s %d;", n, c.ints[service ? 0 : i]);
        if (e.kinds[i] == ArgKind::kFloat) std::printf(" %s %.9g;", n, static_cast<double>(c.floats[i]));
        if (e.kinds[i] == ArgKind::kSurface)
            std::printf(" %s %dx%d %d-bit stride %d%s;", n, s.width, s.rows, s.bits, s.stride,
                        *n == 's' && c.same_surface ? " (dest)" : "");
    }
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv)
{
    const bool write = argc == 3 && std::strcmp(argv[1], "write") == 0;
    const bool stack4 = argc == 4 && std::strcmp(argv[3], "stack4") == 0;
    if ((argc != 3 && !stack4) || (!write && std::strcmp(argv[1], "check") != 0)) {
        std::fprintf(stderr, "usage: pixmill_levels write|check FILE [stack4]\n");
        return 2;
    }
    if (stack4 && !kStack4Calls) {
        std::fprintf(stderr, "stack4: only a 32-bit x86 build makes 4-byte-aligned calls\n");
        return 2;
    }
    pixmill::Isa asked;
    if (pixmill::requested_isa(asked) && asked > pixmill::cpu_isa()) {
        std::printf("%s: not run, this processor (or build) has no %s\n", pixmill::isa_name(asked),
                    pixmill::isa_name(asked));
        return 77;
    }
    const pixmill::Isa level = pixmill::active_isa();
    if (write && level != pixmill::Isa::kScalar) {
        std::fprintf(stderr, "write runs at the scalar level only: set PIXMILL_ISA=scalar\n");
        return 2;
    }

    const std::vector<CallCase> cases = make_cases(200, 20260612, Widths::kWide);
    std::vector<uint64_t> digests;
    Workspace w;
    for (const CallCase& c : cases) {
        w.prepare(c);
        w.invoke(stack4);
        digests.push_back(digest(w.outcome()));
    }

    FILE* f = std::fopen(argv[2], write ? "w" : "r");
    if (f == nullptr) {
        std::fprintf(stderr, "cannot open %s\n", argv[2]);
        return 2;
    }
    size_t differing = 0, i = 0;
    for (uint64_t want = 0; i < digests.size(); ++i) {
        if (write) {
            std::fprintf(f, "%016" PRIx64 "\n", digests[i]);
            continue;
        }
        if (std::fscanf(f, "%" SCNx64, &want) != 1) break;
        if (want != digests[i] && ++differing <= 20) describe(cases[i], i);
    }
    uint64_t extra = 0;
    const bool longer = !write && std::fscanf(f, "%" SCNx64, &extra) == 1;
    const char* name = pixmill::isa_name(level);
    if (std::fclose(f) != 0 || i < digests.size() || longer) {
        std::printf("%s: %s holds other than %zu digests (written by another build?)\n", name, argv[2], digests.size());
        return 1;
    }
    if (differing) {
        std::printf("%s: %zu of %zu calls differ from the scalar level's bytes%s\n", name, differing, cases.size(),
                    stack4 ? " (stack at 4 mod 16)" : "");
        return 1;
    }
    std::printf("%s: %zu calls of %d exports %s%s\n", name, cases.size(), export_count(),
                write ? "written" : "give the scalar level's bytes", stack4 ? " from a stack at 4 mod 16" : "");
    return 0;
}
