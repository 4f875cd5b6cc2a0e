#include "support/TempDir.h"

#include <atomic>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

TempDir::TempDir() : previous(fs::current_path())
{
    static std::atomic<int> counter{0};
    path = fs::temp_directory_path() /
           ("qmtest-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    fs::remove_all(path);
    fs::create_directories(path);
    fs::current_path(path);
}

TempDir::~TempDir()
{
    std::error_code ignored;
    fs::current_path(previous, ignored);
    fs::remove_all(path, ignored);
}

void TempDir::Write(const std::string& relative, const std::string& bytes) const
{
    fs::path target = path / relative;
    fs::create_directories(target.parent_path());
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string TempDir::Read(const std::string& relative) const
{
    std::ifstream in(path / relative, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

bool TempDir::Exists(const std::string& relative) const
{
    return fs::exists(path / relative);
}
