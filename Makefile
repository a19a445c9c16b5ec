# The front door: every target does its own set-up first (scripts/setup.sh is
# quick when everything is in place).
.PHONY: run test setup build clean

run: setup
	@scripts/run.sh

test: setup
	@scripts/test.sh

setup:
	@scripts/setup.sh

build: setup
	@scripts/build.sh native win32 win64

clean:
	rm -rf build/native build/win32 build/win64 build/bench build/fuzz
