#!/bin/sh
# Rewrites the reference files of the scheme golden tests: the reader's token
# dumps (tests/data/scheme/reader/*.expected) and the compiler's scheme dumps
# and error texts (tests/data/scheme/compile/*.expected). Review the diff
# before keeping it.
# Usage: regenerate.sh <build folder>
set -e
TARNWICK_REGENERATE=1 "${1:?build folder}/bin/test_scheme" \
    --gtest_filter='ReaderGolden.*:CompileGolden.*'
