// The Pascal corpus of bench_tokenizer and its reference highlighters
// (TARNWICK_CORPUS_FULL, then /tmp/pascal-corpus.pas), read as it is (LF line
// ends); without a corpus they stop with a message, since a comparison on
// different texts would mean nothing.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace tarnwick_reference {

inline const std::string& Corpus()
{
    static const std::string text = [] {
        const char* named = std::getenv("TARNWICK_CORPUS_FULL");
        for (const char* path : {named, "/tmp/pascal-corpus.pas"}) {
            if (path == nullptr)
                continue;
            std::ifstream in(path, std::ios::binary);
            std::stringstream buffer;
            buffer << in.rdbuf();
            if (!buffer.str().empty())
                return buffer.str();
        }
        std::fprintf(stderr, "no Pascal corpus: run bench/make-pascal-corpus.sh\n");
        std::exit(1);
    }();
    return text;
}

// The first 200,000 lines of the corpus, line ends as they are (LF): the text
// the editor-view benchmarks load.
inline const std::string& ViewCorpus()
{
    static const std::string text = [] {
        const std::string& all = Corpus();
        std::size_t at = 0;
        for (int n = 0; n < 200'000 && at != std::string::npos; ++n) {
            at = all.find('\n', at);
            if (at != std::string::npos)
                ++at;
        }
        return all.substr(0, at == std::string::npos ? all.size() : at);
    }();
    return text;
}

}  // namespace tarnwick_reference
