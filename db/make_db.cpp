// make_db PATH: writes the database the system is delivered with to PATH, for
// today's local date, creating the folder if needed. Never overwrites a file.
#include <ctime>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>

#include "db/delivered.h"

namespace {

// Local time now as `format` (strftime), e.g. "%Y-%m-%d".
std::string localNow(const std::tm& now, const char* format)
{
    char text[32];
    const std::size_t size = std::strftime(text, sizeof text, format, &now);
    return std::string(text, size);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: make_db PATH\n";
        return 1;
    }
    const std::filesystem::path path{argv[1]};

    std::error_code error;
    // symlink_status: a dangling link counts as existing too; writing through it is no better.
    if (std::filesystem::exists(std::filesystem::symlink_status(path, error))) {
        std::cerr << "make_db: " << path.string() << " exists already; it is left as it is.\n";
        return 1;
    }
    if (path.has_parent_path()) {
        std::filesystem::create_directories(path.parent_path(), error);
        if (error) {
            std::cerr << "make_db: cannot create the folder " << path.parent_path().string() << ": "
                      << error.message() << "\n";
            return 1;
        }
    }

    const std::time_t seconds = std::time(nullptr);
    std::tm now{};
    if (seconds == static_cast<std::time_t>(-1) || !localtime_r(&seconds, &now)) {
        std::cerr << "make_db: cannot read the local date and time.\n";
        return 1;
    }

    try {
        db::writeDeliveredFile(path.string(), localNow(now, "%Y-%m-%d"), localNow(now, "%Y-%m-%d %H:%M:%S"));
    } catch (const std::exception& e) {
        std::cerr << "make_db: " << path.string() << ": " << e.what() << "\n";
        return 1;
    }
    return 0;
}
