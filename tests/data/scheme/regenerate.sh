#!/bin/sh
# Rewrites the reference files of the scheme golden tests: the reader's token
# dumps (tests/data/scheme/reader/*.expected) and the compiler's scheme dumps
# and error texts (tests/data/scheme/compile/*.expected), and the token runs
# of the shipped schemes' samples (tests/data/scheme/tokens/*.tokens).
# Review the diff before keeping it.
# Usage: regenerate.sh <build folder>
set -e
TARNWICK_REGENERATE=1 "${1:?build folder}/bin/test_scheme" \
    --gtest_filter='ReaderGolden.*:CompileGolden.*'
TARNWICK_REGENERATE=1 bash "$(dirname "$0")/../../cli/token_golden.sh" "$1/bin/tarnwick-cli"
