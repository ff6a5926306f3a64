#pragma once
// The rows of a test table, split at `separator`: the lines starting with '#'
// are its header, which says where the values come from.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

inline std::vector<std::vector<std::string>> TableRows(const std::string& path, char separator) {
    std::ifstream in(path);
    std::vector<std::vector<std::string>> rows;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line + separator);  // keeps an empty last field
        rows.emplace_back();
        for (std::string field; std::getline(fields, field, separator);) rows.back().push_back(field);
    }
    EXPECT_FALSE(rows.empty()) << path;
    return rows;
}
