#include "output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "tool_error.h"

namespace pixmill_tool {

namespace {

std::string directory_of(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string base_of(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

[[noreturn]] void fail(const std::string& path, const char* what, int err)
{
    throw ToolError(path + ": " + what + " (" + std::strerror(err) + ")");
}

}  // namespace

void replace_file(const std::string& path, const std::vector<uint8_t>& data)
{
    if (path.empty() || path.back() == '/') throw ToolError("'" + path + "': not a file name");
    struct stat st {};
    if (stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) throw ToolError(path + ": is a directory");

    std::string temp = directory_of(path) + "/." + base_of(path) + ".XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd < 0) fail(path, "cannot create a file in its directory", errno);

    // mkstemp creates the file private to its owner; give it the permissions an
    // ordinary new file would have.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);

    size_t done = 0;
    int err = 0;
    while (done < data.size()) {
        const ssize_t n = write(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            err = errno;
            break;
        }
        done += static_cast<size_t>(n);
    }
    if (err == 0 && fsync(fd) != 0) err = errno;
    if (close(fd) != 0 && err == 0) err = errno;
    if (err == 0 && rename(temp.c_str(), path.c_str()) != 0) err = errno;
    if (err != 0) {
        unlink(temp.c_str());
        fail(path, "cannot write", err);
    }
}

bool same_existing_file(const std::string& a, const std::string& b)
{
    struct stat sa {}, sb {};
    if (stat(a.c_str(), &sa) != 0 || stat(b.c_str(), &sb) != 0) return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

}  // namespace pixmill_tool
