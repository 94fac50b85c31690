# Set-up entry points for a fresh Debian 12 machine (run as root so that missing
# packages can be installed): `make demo` and `make test`; `make test-asan` runs the
# tests again in a build with the address and undefined-behaviour sanitizers.
BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= $(shell nproc)

.PHONY: all deps configure build demo gui test test-asan clean

all: build

deps:
	bash tools/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j $(JOBS)

DEMO_OUT ?= $(BUILD)/demo

# The example town's coordinates read as UTM zone 33 N, for GIS programs.
DEMO_CRS ?= EPSG:32633

demo: build
	$(BUILD)/bin/sonvale-cli info examples/town/town.svp
	mkdir -p $(DEMO_OUT)
	$(BUILD)/bin/sonvale-cli map examples/town/town.svp --out $(DEMO_OUT)/town.grd \
	  --diffr-barriers on --diffr-buildings on --png $(DEMO_OUT)/town_day.png \
	  --geotiff --crs $(DEMO_CRS)
	$(BUILD)/bin/sonvale-cli draw examples/town/town.svp --grid $(DEMO_OUT)/town_D.grd \
	  --png $(DEMO_OUT)/town_din18005.png --scheme din18005 --lines
	$(BUILD)/bin/sonvale-cli contours $(DEMO_OUT)/town_D.grd --out $(DEMO_OUT)/town_D_isophones.gpkg \
	  --lines --scheme din18005 --crs $(DEMO_CRS)
	$(BUILD)/bin/sonvale-cli contours $(DEMO_OUT)/town_N.grd --out $(DEMO_OUT)/town_N_isophones.gpkg \
	  --lines --scheme din18005 --crs $(DEMO_CRS)
	@echo "Day and night noise maps of the example town: $(DEMO_OUT)/town_D.grd $(DEMO_OUT)/town_N.grd"
	@echo "The same as GeoTIFF: $(DEMO_OUT)/town_D.tif $(DEMO_OUT)/town_N.tif"
	@echo "Isophones for QGIS: $(DEMO_OUT)/town_D_isophones.gpkg $(DEMO_OUT)/town_N_isophones.gpkg"
	@echo "Pictures of the day map: $(DEMO_OUT)/town_day.png $(DEMO_OUT)/town_din18005.png"

# The desktop program with the example town open.
gui: build
	$(BUILD)/bin/sonvale examples/town/town.svp

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# Optimised with debug information, like the normal build, so that the tests take
# minutes, not hours; the benchmarks are left out. The sanitizers write their
# reports to files (tests/sanitizer_env.cmake.in): any report fails the target.
ASAN_REPORTS = $(ASAN_BUILD)/sanitizer-reports

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DSONVALE_SANITIZE=ON -DSONVALE_BENCHMARKS=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	status=0; ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS) || status=$$?; \
	if [ -n "$$(ls -A $(ASAN_REPORTS) 2>/dev/null)" ]; then \
	  for f in $(ASAN_REPORTS)/*; do echo "==== $$f"; cat "$$f"; done; \
	  echo "test-asan: the sanitizers reported the errors above" >&2; status=1; \
	fi; \
	exit $$status

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
