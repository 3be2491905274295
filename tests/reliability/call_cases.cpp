#include "call_cases.h"

#include <cstring>
#include <limits>
#include <random>

namespace pixmill_reliability {

namespace {

const int32_t kEdges[] = {0, -1, 1, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max(),
                          255, 256, -256};

int32_t case_int(std::mt19937& rng, int32_t span)
{
    if (rng() % 6 == 0) return kEdges[rng() % (sizeof kEdges / sizeof kEdges[0])];
    return static_cast<int32_t>(rng() % static_cast<uint32_t>(span + 6)) - 4;
}

Shape case_shape(std::mt19937& rng, int bits)
{
    return make_shape(bits, 1 + static_cast<int32_t>(rng() % 40), 1 + static_cast<int32_t>(rng() % 30),
                      static_cast<int32_t>(rng() % 4));
}

void fill(std::vector<uint8_t>& bytes, uint32_t seed)
{
    std::mt19937 rng(seed);
    for (uint8_t& b : bytes) b = static_cast<uint8_t>(rng());
}

}  // namespace

std::vector<CallCase> make_cases(int per_export, uint32_t seed)
{
    std::mt19937 rng(seed);
    const auto& table = pixmill_tool::export_table();
    std::vector<CallCase> cases;
    for (int k = 0; k < export_count(); ++k) {
        for (int n = 0; n < per_export; ++n) {
            CallCase c;
            c.export_index = k;
            c.fill_seed = static_cast<uint32_t>(rng());
            if (k >= static_cast<int>(table.size())) {
                c.dest = case_shape(rng, 32);
                c.ints = {case_int(rng, 4)};  // a dimension for the bound queries
                cases.push_back(c);
                continue;
            }
            const ExportEntry& e = table[k];
            const SurfaceNeeds needs = surface_needs(e);
            c.dest = case_shape(rng, needs.dest_bits);
            if (needs.src_bits != 0) {
                c.same_surface = needs.src_bits == needs.dest_bits && rng() % 4 == 0;
                c.src = case_shape(rng, needs.src_bits);
            }
            if (needs.mask_bits != 0) c.mask = case_shape(rng, needs.mask_bits);
            const int32_t span = 2 * (c.dest.width > c.dest.rows ? c.dest.width : c.dest.rows);
            c.ints.resize(e.kinds.size());
            c.floats.resize(e.kinds.size());
            for (size_t i = 0; i < e.kinds.size(); ++i) {
                c.ints[i] = case_int(rng, span);
                c.floats[i] = static_cast<float>(static_cast<int32_t>(rng() % 64) - 16) / 16.0f;
            }
            cases.push_back(c);
        }
    }
    return cases;
}

const char* case_name(const CallCase& c)
{
    const auto& table = pixmill_tool::export_table();
    const int rows = static_cast<int>(table.size());
    return c.export_index < rows ? table[c.export_index].name.c_str() : service_name(c.export_index - rows);
}

void Workspace::prepare(const CallCase& c)
{
    case_ = &c;
    dest_bytes_.assign(array_bytes(c.dest), 0);
    src_bytes_.assign(array_bytes(c.src), 0);
    mask_bytes_.assign(array_bytes(c.mask), 0);
    fill(dest_bytes_, c.fill_seed);
    fill(src_bytes_, c.fill_seed + 1);
    fill(mask_bytes_, c.fill_seed + 2);
    dest_.bind(c.dest, dest_bytes_.data());
    src_.bind(c.src, src_bytes_.data());
    mask_.bind(c.mask, mask_bytes_.data());
    sums_[0] = sums_[1] = sums_[2] = -7;
    std::memset(text_, '#', sizeof text_);
    version_ = 0;
    result_ = 0;

    const auto& table = pixmill_tool::export_table();
    if (c.export_index >= static_cast<int>(table.size())) {
        // The array services read dest's descriptor; the copy moves bytes
        // within dest's array, overlapping when the seed says so.
        service_ = ServiceCall{};
        service_.array = dest_.descriptor();
        service_.dim = c.ints[0];
        service_.version = &version_;
        service_.text = text_;
        const size_t n = dest_bytes_.size();
        const size_t shift = n > 16 ? c.fill_seed % 16 : 0;
        service_.copy_dest = dest_bytes_.data() + (c.fill_seed & 16 ? shift : 0);
        service_.copy_src = dest_bytes_.data() + (c.fill_seed & 16 ? 0 : shift);
        service_.copy_count = static_cast<int32_t>(n - shift);
        return;
    }
    const ExportEntry& e = table[c.export_index];
    Roles roles{dest_.get(), c.same_surface ? dest_.get() : src_.get(), mask_.get()};
    args_ = make_args(e, roles, sums_, [&](size_t i) {
        ArgValue v;
        v.integer = c.ints[i];
        v.real = c.floats[i];
        return v;
    });
}

int64_t Workspace::invoke()
{
    const auto& table = pixmill_tool::export_table();
    const int rows = static_cast<int>(table.size());
    if (case_->export_index >= rows)
        result_ = call_service(case_->export_index - rows, service_);
    else
        result_ = table[case_->export_index].invoke(args_.data());
    // Pointers read back from the array services differ between workspaces;
    // whether one came back matters, not its value.
    if (case_->export_index == rows || case_->export_index == rows + 1)
        result_ = result_ == reinterpret_cast<intptr_t>(dest_bytes_.data()) ? 1 : result_;
    return result_;
}

std::vector<uint8_t> Workspace::outcome() const
{
    std::vector<uint8_t> out(dest_bytes_);
    out.insert(out.end(), src_bytes_.begin(), src_bytes_.end());
    out.insert(out.end(), mask_bytes_.begin(), mask_bytes_.end());
    const auto* sums = reinterpret_cast<const uint8_t*>(sums_);
    out.insert(out.end(), sums, sums + sizeof sums_);
    const auto* version = reinterpret_cast<const uint8_t*>(&version_);
    out.insert(out.end(), version, version + sizeof version_);
    out.insert(out.end(), text_, text_ + sizeof text_);
    const auto* result = reinterpret_cast<const uint8_t*>(&result_);
    out.insert(out.end(), result, result + sizeof result_);
    return out;
}

}  // namespace pixmill_reliability
