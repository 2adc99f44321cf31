// Files the tests write for the code under test to read.
#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

// Writes `content` to a file of that name in the test's temporary folder and returns its path. The
// name is made this process's own: several builds' tests share one temporary folder and run at once.
inline std::string WriteTemp(const char* name, const std::string& content)
{
    static const std::string tag = std::to_string(std::random_device()());
    std::string path = ::testing::TempDir() + tag + "-" + name;
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(content.data(), 1, content.size(), f);
        std::fclose(f);
    }
    return path;
}
