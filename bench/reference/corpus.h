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

}  // namespace tarnwick_reference
