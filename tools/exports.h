// The exports `pixmill run` can call. Each comes from one row of
// export_table.inc, generated from pixmill.h at configure time (the export's
// name and its parameters' names); the kind of each
// argument is deduced from the export's declaration in pixmill.h, and the call
// itself is an invoker generated from the function's type.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "pixmill.h"

namespace pixmill_tool {

enum class ArgKind {
    kSurface,  // Surface*: a BMP file
    kInt,      // int32_t
    kFloat,    // float
    kIntOut,   // int32_t*: an integer the export writes back
};

// One argument of a call, filled in according to its kind.
struct ArgValue {
    Surface* surface = nullptr;
    int32_t integer = 0;
    float real = 0.0f;
    int32_t* out = nullptr;
};

using Invoker = int32_t (*)(const ArgValue* args);

struct ExportEntry {
    std::string name;
    std::vector<std::string> arg_names;
    std::vector<ArgKind> kinds;  // same length as arg_names
    Invoker invoke = nullptr;
};

// Every row of the table, in table order.
const std::vector<ExportEntry>& export_table();
// The row for name, or null.
const ExportEntry* find_export(std::string_view name);

// The pixel depth an export's name fixes for one of its surface arguments, or
// 0 when the name leaves it open: "24to32" makes src 24-bit and dest 32-bit,
// a single "24"/"32" fixes every surface, "Mask24" the mask.
int required_bits(std::string_view export_name, std::string_view arg_name);

// Number of space-separated words in a row's argument list.
constexpr size_t count_words(const char* s)
{
    size_t n = 0;
    bool in_word = false;
    for (; *s != '\0'; ++s) {
        const bool space = *s == ' ';
        if (!space && !in_word) ++n;
        in_word = !space;
    }
    return n;
}

// ---- deducing argument kinds and building invokers from a declaration ----

template <class T>
struct ArgTraits;  // a parameter type the tool cannot supply fails to compile here

template <>
struct ArgTraits<Surface*> {
    static constexpr ArgKind kind = ArgKind::kSurface;
    static Surface* get(const ArgValue& v) { return v.surface; }
};
template <>
struct ArgTraits<int32_t> {
    static constexpr ArgKind kind = ArgKind::kInt;
    static int32_t get(const ArgValue& v) { return v.integer; }
};
template <>
struct ArgTraits<float> {
    static constexpr ArgKind kind = ArgKind::kFloat;
    static float get(const ArgValue& v) { return v.real; }
};
template <>
struct ArgTraits<int32_t*> {
    static constexpr ArgKind kind = ArgKind::kIntOut;
    static int32_t* get(const ArgValue& v) { return v.out; }
};

template <class F>
struct Signature;

template <class... A>
struct Signature<int32_t(PIXMILL_CALL*)(A...)> {
    static constexpr size_t arity = sizeof...(A);
    static std::vector<ArgKind> kinds() { return {ArgTraits<A>::kind...}; }

    template <auto Fn, size_t... I>
    static int32_t call(const ArgValue* args, std::index_sequence<I...>)
    {
        return Fn(ArgTraits<A>::get(args[I])...);
    }
};

template <auto Fn>
int32_t invoke_export(const ArgValue* args)
{
    using S = Signature<decltype(Fn)>;
    return S::template call<Fn>(args, std::make_index_sequence<S::arity>{});
}

// The table entry for export Fn: its name, the argument names of its row, the
// kinds its declaration gives and its invoker.
std::vector<std::string> split_words(const char* s);

template <auto Fn>
ExportEntry make_export_entry(const char* name, const char* arg_names)
{
    return {name, split_words(arg_names), Signature<decltype(Fn)>::kinds(), &invoke_export<Fn>};
}

}  // namespace pixmill_tool
