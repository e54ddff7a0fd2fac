# SPDX-License-Identifier: GPL-3.0-or-later
# make test      install what is missing, build everything and run every test
# make sanitize  core tests and the CLI built with address and undefined-behaviour sanitizers
# make fuzz      the fuzz targets, each for FUZZ_SECONDS (needs clang's libFuzzer)
# make run       install what is missing, build and start Quillary
# make bench     the benchmarks, in a Release build (PROCESS_PERSONS=1000000 for the whole-process
#                bench on a million persons)
# make package   the Debian package quillary_VERSION_ARCH.deb, installed with apt install ./quillary_*.deb
BUILD ?= build
JOBS ?= 2
FUZZ_SECONDS ?= 20
PROCESS_PERSONS ?= 100000

.PHONY: test run deps sanitize fuzz bench package clean

deps:
	@scripts/install-deps.sh

test: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLARY_WERROR=ON
	cmake --build $(BUILD) -j $(JOBS)
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

run: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS) --target quillary
	$(BUILD)/src/app/quillary

sanitize: deps
	cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUILLARY_SANITIZE=ON -DQUILLARY_BENCH=OFF -DQUILLARY_GUI=OFF
	cmake --build build-asan -j $(JOBS)
	ctest --test-dir build-asan --output-on-failure -j $(JOBS)

fuzz:
	@scripts/install-deps.sh --fuzz
	CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLARY_FUZZ=ON
	cmake --build build-fuzz -j $(JOBS)
	fuzz/run-fuzzers.sh $(FUZZ_SECONDS) build-fuzz

bench: deps
	@scripts/install-deps.sh --bench
	cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release
	cmake --build build-release -j $(JOBS) --target quillary-bench quillary-exchange-bench quillary-automation-bench \
		quillary-print-bench quillary-process-bench
	build-release/bench/quillary-process-bench $(PROCESS_PERSONS)
	build-release/bench/quillary-bench
	build-release/bench/quillary-exchange-bench
	build-release/bench/quillary-automation-bench
	build-release/bench/quillary-print-bench

clean:
	rm -rf build build-asan build-fuzz build-release build-package

package: deps
	cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
		-DQUILLARY_TESTS=OFF -DQUILLARY_BENCH=OFF
	cmake --build build-package -j $(JOBS)
	cd build-package && cpack
