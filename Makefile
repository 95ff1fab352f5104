BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 300
ASAN_BUILD ?= build-asan
BENCH_BUILD ?= build-bench
SANITIZE := -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer

.PHONY: all build run package test test-asan fuzz bench clean

all: build

# The game alone: what building and playing needs.
build:
	@./scripts/bootstrap run
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DPALITRA_BUILD_TESTS=OFF -DPALITRA_BUILD_BENCH=OFF
	cmake --build $(BUILD) -j $(JOBS)

run: build
	cd $(BUILD) && ./palitra

# The Debian package of the game, palitra_<version>_<arch>.deb, made by CPack
# in $(BUILD) and copied here; "sudo apt install ./palitra_*.deb" installs it.
package:
	@./scripts/bootstrap package
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DPALITRA_BUILD_TESTS=OFF -DPALITRA_BUILD_BENCH=OFF
	cmake --build $(BUILD) -j $(JOBS)
	rm -f $(BUILD)/palitra_*.deb
	cd $(BUILD) && cpack -G DEB
	cp $(BUILD)/palitra_*.deb .

# The game and every test, with what the tests need besides.
test:
	@./scripts/bootstrap test
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DPALITRA_BUILD_TESTS=ON -DPALITRA_BUILD_BENCH=OFF
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The whole suite again, built with AddressSanitizer and UBSan.
test-asan:
	@./scripts/bootstrap test
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_FLAGS) -DPALITRA_BUILD_TESTS=ON -DPALITRA_BUILD_BENCH=OFF \
	  -DCMAKE_CXX_FLAGS="$(SANITIZE)" -DCMAKE_EXE_LINKER_FLAGS="$(SANITIZE)"
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

# Fuzzes the word-list core for FUZZ_SECONDS; the corpus grows in $(FUZZ_BUILD)/corpus.
fuzz:
	@./scripts/bootstrap test
	./tests/run-fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS) $(CURDIR)/$(FUZZ_BUILD)/corpus

# The benchmarks, in a Release build of their own; what the computer finds
# at each level on 100 boards; then the real program measured under Xvfb
# (skipped where there is none).
bench:
	@./scripts/bootstrap bench
	cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DPALITRA_BUILD_TESTS=OFF -DPALITRA_BUILD_BENCH=ON
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	cd $(BENCH_BUILD) && ./bench/palitra_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	$(BENCH_BUILD)/tools/palitra-balance data/Palitra.pal data/Comunes.pal 100
	python3 -B bench/desktop.py $(BENCH_BUILD)/palitra $(BENCH_BUILD)/tools/palitra-walk data || [ $$? -eq 77 ]

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(BENCH_BUILD)
