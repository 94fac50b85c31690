# Set-up entry points for a fresh Debian 12 machine (run as root so that missing
# packages can be installed): `make demo` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps configure build demo gui test clean

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

# The desktop program with the example town open.
gui: build
	$(BUILD)/bin/sonvale examples/town/town.svp

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD)
