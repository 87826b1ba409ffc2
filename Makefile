# The two commands a fresh machine needs: `make run` and `make test`.
PRESET ?= dev
BUILD_DIR := build/$(PRESET)

.PHONY: run test build deps bench demo clean

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

clean:
	rm -rf build
