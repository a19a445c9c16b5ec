# The front door: every target does its own set-up first (scripts/setup.sh is
# quick when everything is in place).
.PHONY: run test setup build dist clean bench bench-show fuzz-long

run: setup
	@scripts/run.sh

test: setup
	@scripts/test.sh

setup:
	@scripts/setup.sh

build: setup
	@scripts/build.sh native win32 win64

# The zips and installers of both Windows builds, in dist/.
dist: setup
	@scripts/build.sh win32 win64
	@rm -rf dist && mkdir dist
	@cp build/win32/dist/* build/win64/dist/* dist/
	@ls -l dist

# The picture pipeline's benchmark, optimised build.
bench: setup
	@scripts/build.sh bench
	@build/bench/bench/pelloran_bench build/bench/bench-pictures

# The show's benchmark: the start to the first picture under Wine, and the
# picture list's ordering natively.
bench-show: setup
	@bench/show.sh

# The picture fuzz target for FUZZ_SECONDS (default an hour); `make test` runs it briefly.
FUZZ_SECONDS ?= 3600
fuzz-long: setup
	@scripts/build.sh fuzz
	@fuzz/fuzz-long.sh build/fuzz $(FUZZ_SECONDS)

clean:
	rm -rf build/native build/win32 build/win64 build/bench build/fuzz dist
