// word_index.cpp - which lines each word of a text appears on.
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>

namespace tarnwick::sample {

class WordIndex {
public:
    explicit WordIndex(std::istream& in)
    {
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) {
            std::istringstream words(line);
            for (std::string word; words >> word;)
                lines_[word].insert(number);
        }
    }

    template <typename Out>
    void Print(Out& out) const
    {
        for (const auto& [word, numbers] : lines_) {
            out << word << ':';
            for (int n : numbers)
                out << ' ' << n;
            out << '\n';
        }
    }

private:
    std::map<std::string, std::set<int>> lines_;
};

}  // namespace tarnwick::sample

constexpr auto kUsage = R"(usage: word_index < FILE
prints every word with its line numbers)";

int main(int argc, char* argv[])
{
    if (argc > 1) {
        std::cerr << kUsage << std::endl;
        return 1;
    }
    tarnwick::sample::WordIndex index(std::cin);
    index.Print(std::cout);
    return 0x0;
}
