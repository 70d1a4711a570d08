// Reading back what a test printed to PDF, through poppler's pdftotext: the
// text of each page as -layout gives it, and the words with their boxes.
#pragma once

#include <cstdio>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace tarnwick::test {

inline std::string RunCommand(const std::string& command)
{
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return out;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    pclose(pipe);
    return out;
}

// The pages of `pdf` as pdftotext -layout gives them, each split into lines
// with trailing blanks removed.
inline std::vector<std::vector<std::string>> PdfPages(const std::filesystem::path& pdf)
{
    const std::string text = RunCommand("pdftotext -layout '" + pdf.string() + "' - 2>/dev/null");
    std::vector<std::vector<std::string>> pages(1);
    std::string line;
    for (const char c : text) {
        if (c == '\f') {
            pages.emplace_back();
        }
        else if (c == '\n') {
            line.erase(line.find_last_not_of(' ') + 1);
            pages.back().push_back(line);
            line.clear();
        }
        else {
            line += c;
        }
    }
    if (pages.back().empty())
        pages.pop_back();
    return pages;
}

// Lines with their indentation removed; empty lines kept.
inline std::vector<std::string> Trimmed(const std::vector<std::string>& lines)
{
    std::vector<std::string> out;
    for (const std::string& line : lines) {
        const size_t first = line.find_first_not_of(' ');
        out.push_back(first == std::string::npos ? std::string() : line.substr(first));
    }
    return out;
}

struct TPdfWord {
    int Page = 0;  // from 1
    double XMin = 0, YMin = 0;
    std::string Text;
};

// Every word with its box in points from the page's top-left corner.
inline std::vector<TPdfWord> PdfWords(const std::filesystem::path& pdf)
{
    const std::string html = RunCommand("pdftotext -bbox '" + pdf.string() + "' - 2>/dev/null");
    std::vector<TPdfWord> words;
    static const std::regex word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="[\d.]+">([^<]*)</word>)re");
    int page = 0;
    std::istringstream in(html);
    for (std::string line; std::getline(in, line);) {
        if (line.find("<page") != std::string::npos)
            ++page;
        std::smatch m;
        if (std::regex_search(line, m, word))
            words.push_back({page, std::stod(m[1].str()), std::stod(m[2].str()), m[3].str()});
    }
    return words;
}

}  // namespace tarnwick::test
