#include "exports.h"

#include <cctype>

namespace pixmill_tool {

// A row whose argument names do not match the function's parameters stops the
// build, naming the export (the generator and the header disagree).
#define PIXMILL_EXPORT_ROW(fn, names)                                            \
    static_assert(count_words(names) == Signature<decltype(&fn)>::arity,        \
                  #fn ": its generated row names a different number " \
                     "of arguments than the function takes");
#include "export_table.inc"
#undef PIXMILL_EXPORT_ROW

std::vector<std::string> split_words(const char* s)
{
    std::vector<std::string> words;
    std::string word;
    for (;; ++s) {
        if (*s == ' ' || *s == '\0') {
            if (!word.empty()) words.push_back(word);
            word.clear();
            if (*s == '\0') break;
        } else {
            word += *s;
        }
    }
    return words;
}

namespace {

// The depth written right after position i of name ("24" or "32"), or 0.
int depth_at(std::string_view name, size_t i)
{
    if (name.substr(i, 2) == "24") return 24;
    if (name.substr(i, 2) == "32") return 32;
    return 0;
}

}  // namespace

const std::vector<ExportEntry>& export_table()
{
    static const std::vector<ExportEntry> table = {
#define PIXMILL_EXPORT_ROW(fn, names) make_export_entry<&fn>(#fn, names),
#include "export_table.inc"
#undef PIXMILL_EXPORT_ROW
    };
    return table;
}

const ExportEntry* find_export(std::string_view name)
{
    for (const ExportEntry& e : export_table())
        if (e.name == name) return &e;
    return nullptr;
}

int required_bits(std::string_view export_name, std::string_view arg_name)
{
    if (arg_name == "mask") return export_name.find("Mask24") != std::string_view::npos ? 24 : 0;

    // The first depth in the name: a source-to-destination pair ("24to32",
    // "32Maskto24") or the one depth of a single-format operation ("Blur24").
    size_t i = 0;
    while (i < export_name.size() && depth_at(export_name, i) == 0) ++i;
    if (i == export_name.size()) return 0;
    const int first = depth_at(export_name, i);
    std::string_view rest = export_name.substr(i + 2);
    if (rest.substr(0, 4) == "Mask") rest.remove_prefix(4);
    if (rest.substr(0, 2) == "to" && depth_at(rest, 2) != 0) {
        if (arg_name == "src") return first;
        if (arg_name == "dest") return depth_at(rest, 2);
        return 0;
    }
    return first;
}

}  // namespace pixmill_tool
