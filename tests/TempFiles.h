// Files the tests write for the code under test to read.
#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

// Writes `content` to a file of that name in the test's temporary folder and returns its path. The
// name is made this process's own: several builds' tests share one temporary folder and run at once.
inline std::string WriteTemp(const char* name, const std::string& content)
{
#ifdef _WIN32
    std::string path = ::testing::TempDir() + std::to_string(_getpid()) + "-" + name;
#else
    std::string path = ::testing::TempDir() + std::to_string(getpid()) + "-" + name;
#endif
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(content.data(), 1, content.size(), f);
        std::fclose(f);
    }
    return path;
}
