#!/bin/sh
# Rewrites the reference dumps of the scheme reader's golden scripts
# (tests/data/scheme/reader/*.expected). Review the diff before keeping it.
# Usage: regenerate.sh <build folder>
set -e
TARNWICK_REGENERATE=1 "${1:?build folder}/bin/test_scheme" --gtest_filter='ReaderGolden.*'
