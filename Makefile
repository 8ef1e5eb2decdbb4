# The two commands of the README, and a few more.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: deps configure build run run-setup test bench fuzz clean

deps:
	@scripts/deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/editor/Tacklepad

# Tidesetup in a demo folder: CopyFiles with the built Tacklepad and labelled
# stand-ins, and a Wine prefix inside $(BUILD)/demo (C:\Tidebook lands in
# $(BUILD)/demo/wineprefix/drive_c/Tidebook). Nothing outside it is touched.
run-setup: build
	@scripts/stage-demo.sh $(BUILD) $(BUILD)/demo
	cd $(BUILD)/demo && WINEPREFIX="$$PWD/wineprefix" $(abspath $(BUILD))/setup/Tidesetup

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	@for b in $(BUILD)/bench/*_bench; do echo "== $$b"; QT_QPA_PLATFORM=offscreen $$b; done

# Fuzz the picture loaders (clang, libFuzzer + AddressSanitizer) for
# FUZZ_SECONDS each; not part of the tests.
FUZZ_SECONDS ?= 60
fuzz:
	@fuzz/run.sh $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD)
