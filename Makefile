# The two commands of the README:
#   make run    installs what is missing, builds, and starts Tarnwick
#   make test   installs what is missing, builds, and runs every test
# and for the Debian package:
#   make package   builds build/main/package/tarnwick_<version>_<arch>.deb
BUILD ?= build/main
GENERATOR_FLAGS = -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all setup configure build run test package bench fuzz clean

all: build

setup:
	scripts/bootstrap

configure: setup
	cmake -S . -B $(BUILD) $(GENERATOR_FLAGS)

build: configure
	cmake --build $(BUILD) -j2

run: build
	$(BUILD)/bin/tarnwick

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j2

# The package is made from the same build as the tests; the packaging tools
# (dpkg-shlibdeps, lintian, ...) come with `scripts/bootstrap --package`.
package: configure
	scripts/bootstrap --package
	cmake --build $(BUILD) -j2 --target package

# Benchmarks need the Pascal corpus; they run on a release build.
bench:
	scripts/bootstrap --bench
	cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release
	cmake --build build/bench -j2
	scripts/run-benchmarks build/bench

# Every fuzz target for FUZZ_TIME seconds over its seed corpus, built with
# clang, libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer.
FUZZ_TIME ?= 60
fuzz:
	scripts/bootstrap --fuzz
	CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DTARNWICK_FUZZ=ON -DTARNWICK_GUI=OFF -DTARNWICK_BENCH=OFF
	cmake --build build/fuzz -j2 --target fuzzers
	scripts/run-fuzzers build/fuzz $(FUZZ_TIME)

clean:
	rm -rf build
