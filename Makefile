# Set-up entry points for a fresh Debian 12 machine (run as root so that missing
# packages can be installed): `make demo` and `make test`; `make test-asan` runs the
# tests again in a build with the address and undefined-behaviour sanitizers.
BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= $(shell nproc)

.PHONY: all deps configure build demo test test-asan clean

all: build

deps:
	bash tools/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j $(JOBS)

DEMO_OUT ?= $(BUILD)/demo

demo: build
	$(BUILD)/bin/sonvale-cli info examples/town/town.svp
	mkdir -p $(DEMO_OUT)
	$(BUILD)/bin/sonvale-cli map examples/town/town.svp --out $(DEMO_OUT)/town.grd \
	  --diffr-barriers on --diffr-buildings on --png $(DEMO_OUT)/town_day.png
	@echo "Day and night noise maps of the example town: $(DEMO_OUT)/town_D.grd $(DEMO_OUT)/town_N.grd"
	@echo "Picture of the day map: $(DEMO_OUT)/town_day.png"

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# Optimised with debug information, like the normal build, so that the tests take
# minutes, not hours; the benchmarks are left out.
test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DSONVALE_SANITIZE=ON -DSONVALE_BENCHMARKS=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
