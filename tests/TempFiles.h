// Files the tests write for the code under test to read.
#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

// Writes `content` to a file of that name in the test's temporary folder and returns its path.
inline std::string WriteTemp(const char* name, const std::string& content)
{
    std::string path = ::testing::TempDir() + name;
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(content.data(), 1, content.size(), f);
        std::fclose(f);
    }
    return path;
}
