#include "util/safe_file.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <system_error>

namespace qzx {
namespace fs = std::filesystem;

std::optional<Bytes> readWholeFile(const fs::path& path) {
    std::error_code error;
    if (!fs::is_regular_file(path, error)) return std::nullopt;
    try {
        std::ifstream in(path, std::ios::binary);
        if (!in) return std::nullopt;
        Bytes data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (in.bad()) return std::nullopt;
        return data;
    } catch (const std::exception&) {
        // The stream library reports some read faults by throwing; to callers they are
        // simply an unreadable file.
        return std::nullopt;
    }
}

namespace {

std::string writeBytes(const fs::path& path, const char* data, std::size_t size) {
    fs::path temporary = path;
    temporary += ".tmp~";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return "Cannot create " + temporary.string();
        out.write(data, static_cast<std::streamsize>(size));
        out.flush();
        if (!out) {
            out.close();
            std::error_code ignored;
            fs::remove(temporary, ignored);
            return "Cannot write " + path.string();
        }
    }
    std::error_code error;
    fs::rename(temporary, path, error);
    if (error) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return "Cannot replace " + path.string() + ": " + error.message();
    }
    return {};
}

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

} // namespace

std::string writeFileSafely(const fs::path& path, const std::string& data) {
    return writeBytes(path, data.data(), data.size());
}

std::string writeFileSafely(const fs::path& path, const Bytes& data) {
    return writeBytes(path, reinterpret_cast<const char*>(data.data()), data.size());
}

fs::path findFileIgnoringCase(const fs::path& folder, const std::string& name) {
    std::error_code error;
    const fs::path exact = folder / name;
    if (fs::exists(exact, error)) return exact;
    const std::string wanted = lowerCase(name);
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (lowerCase(it->path().filename().string()) == wanted) return it->path();
    return exact;
}

} // namespace qzx
