# The two commands a fresh machine needs: `make run` and `make test`.
PRESET ?= dev
BUILD_DIR := build/$(PRESET)

.PHONY: run test build deps bench demo fuzz package check-fresh clean

FUZZ_SECONDS ?= 600

deps:
	@scripts/install-deps

build: deps
	@cmake --preset $(PRESET) >/dev/null
	@cmake --build --preset $(PRESET)

run: build
	$(BUILD_DIR)/app/corvane

demo: build
	$(BUILD_DIR)/app/corvane-demo

test: build
	QT_QPA_PLATFORM=offscreen ctest --preset $(PRESET)

bench: build
	@for b in $(BUILD_DIR)/bench/bench_*; do [ -x "$$b" ] && "$$b"; done

# Every fuzz target for FUZZ_SECONDS each; findings land in build/fuzz/findings/.
fuzz: deps
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz
	scripts/run-fuzzers $(FUZZ_SECONDS)

# The Debian package, corvane_<version>_amd64.deb, in the build folder.
package: build
	@cmake --build --preset $(PRESET) --target package

# The committed HEAD built, tested and packaged on a fresh Debian 12 root, and the
# package installed on another one (needs root; about 10 minutes).
check-fresh:
	scripts/check-fresh-machine

clean:
	rm -rf build
