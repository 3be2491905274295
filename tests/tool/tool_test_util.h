// Helpers for the tool's tests: scratch directories, files, hand-built bitmap
// files, and running the pixmill program.
#pragma once

#include <sys/wait.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "image.h"

namespace tool_test {

namespace fs = std::filesystem;

// A fresh directory, removed with everything in it at the end of the scope.
struct TempDir {
    std::string path_ = (fs::temp_directory_path() / "pixmill-tool-XXXXXX").string();
    TempDir() { if (!mkdtemp(path_.data())) std::abort(); }
    ~TempDir() { fs::remove_all(path_); }
    TempDir(const TempDir&) = delete;
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }
    const std::string& path() const { return path_; }
};

inline std::vector<uint8_t> read_file(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

inline void write_file(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

inline std::vector<uint8_t> pixel_bytes(const pixmill_tool::Image& i) { return {i.bytes(), i.bytes() + i.byte_count()}; }

// Every entry of dir by name, with the bytes of the files.
inline std::map<std::string, std::vector<uint8_t>> snapshot(const TempDir& dir)
{
    std::map<std::string, std::vector<uint8_t>> entries;
    for (const auto& e : fs::directory_iterator(dir.path())) entries[e.path().filename()] = read_file(e.path());
    return entries;
}

inline void put_le(std::vector<uint8_t>& b, size_t at, uint32_t v, int n = 4)
{
    for (int i = 0; i < n; ++i) b.at(at + i) = static_cast<uint8_t>(v >> (8 * i));
}

// A bitmap file assembled field by field, independently of the tool's writer.
// file_rows are the pixel rows in file order, each already padded.
struct BmpLayout {
    int32_t width = 1, height = 1;  // height negative: top-down
    uint16_t bits = 24, planes = 1;
    uint32_t compression = 0, info_size = 40;
    std::vector<uint32_t> masks;  // written at offset 54 (inside or after the header)
    std::vector<std::vector<uint8_t>> file_rows;
};

inline std::vector<uint8_t> build_bmp(const BmpLayout& s)
{
    const size_t offset = std::max<size_t>(14 + s.info_size, 54 + 4 * s.masks.size());
    std::vector<uint8_t> b(offset, 0);
    b[0] = 'B', b[1] = 'M';
    const uint32_t fields[][3] = {{10, static_cast<uint32_t>(offset), 4}, {14, s.info_size, 4},
                                  {18, static_cast<uint32_t>(s.width), 4}, {22, static_cast<uint32_t>(s.height), 4},
                                  {26, s.planes, 2}, {28, s.bits, 2}, {30, s.compression, 4}};  // offset, value, bytes
    for (const auto& f : fields) put_le(b, f[0], f[1], static_cast<int>(f[2]));
    for (size_t i = 0; i < s.masks.size(); ++i) put_le(b, 54 + 4 * i, s.masks[i]);
    for (const auto& row : s.file_rows) b.insert(b.end(), row.begin(), row.end());
    put_le(b, 2, static_cast<uint32_t>(b.size()));
    return b;
}

struct RunResult {
    int status;
    std::string out, err;
};

// Runs the pixmill program with args in directory dir, each word quoted for the shell.
inline RunResult run_pixmill(const std::string& dir, const std::vector<std::string>& args)
{
    TempDir capture;
    std::string line = "cd '" + dir + "' && '" PIXMILL_EXE "'";
    for (const std::string& a : args) {
        line += " '";
        for (char c : a) line += c == '\'' ? std::string("'\\''") : std::string(1, c);
        line += "'";
    }
    const int status = std::system((line + " >" + (capture / "out") + " 2>" + (capture / "err")).c_str());
    const auto out = read_file(capture / "out"), err = read_file(capture / "err");
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, {out.begin(), out.end()}, {err.begin(), err.end()}};
}

}  // namespace tool_test
