# make run   builds Trakmora and starts it (with no display: the demonstration rally on the command line)
# make test  builds everything and runs every test
# Both install the Debian packages that are missing first.

PACKAGES := cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools libgl1-mesa-dev \
  libxlsxwriter-dev libgtest-dev libgmock-dev libcli11-dev libfmt-dev libpugixml-dev \
  xvfb xauth imagemagick python3-openpyxl poppler-utils \
  libreoffice-calc-nogui fonts-crosextra-carlito clang libclang-rt-14-dev chromium
CORE_PACKAGES := cmake ninja-build g++ pkg-config libxlsxwriter-dev libgtest-dev libgmock-dev \
  libcli11-dev libfmt-dev libpugixml-dev python3-openpyxl
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
DATA_ROOT ?= $(HOME)/Trakmora

.PHONY: deps core-deps configure build run test test-core test-asan bench clean fuzz

define install_missing
	@missing=$$(for p in $(1); do dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing: $$missing"; \
	  $(SUDO) apt-get update -q && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -q $$missing; \
	fi
endef

deps:
	$(call install_missing,$(PACKAGES))

core-deps:
	$(call install_missing,$(CORE_PACKAGES))

configure: deps
	cmake --preset default

build: configure
	cmake --build --preset default -j $(JOBS)

# With a display: the desktop program with the demonstration rally open (made first if missing).
# Without one: the demonstration rally, made afresh and scored end to end on the command line.
run: build
	@cli=./build/default/src/cli/trakmora-cli; \
	if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  [ -d "$(DATA_ROOT)/Demo" ] || $$cli --data-root "$(DATA_ROOT)" demo; \
	  ./build/default/src/gui/trakmora --data-root "$(DATA_ROOT)" --rally Demo; \
	else \
	  $$cli --data-root "$(DATA_ROOT)" demo --replace; \
	fi

test: build
	ctest --preset default -j $(JOBS)

# The core and the command line alone, with no Qt installed.
test-core: core-deps
	cmake --preset core
	cmake --build --preset core -j $(JOBS)
	ctest --preset core -j $(JOBS)

test-asan: deps
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

bench: build
	./build/default/bench/trakmora_bench

clean:
	rm -rf build

# Each fuzz target for FUZZ_SECONDS (default 60); a finding stops with the crashing input under
# build/fuzz/findings/<target>/ (keep it under tests/regressions/<target>/ once fixed).
FUZZ_SECONDS ?= 60
fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS)
	@set -e; for t in $$(cat build/fuzz/fuzz-targets.txt | tr ';' ' '); do \
	  out=build/fuzz/findings/$$t; rm -rf $$out; mkdir -p build/fuzz/corpus/$$t $$out; \
	  seeds=; [ -d tests/regressions/$$t ] && seeds=tests/regressions/$$t; \
	  echo "== fuzz $$t for $(FUZZ_SECONDS) s"; \
	  ./build/fuzz/fuzz/fuzz_$$t build/fuzz/corpus/$$t $$seeds \
	    -max_total_time=$(FUZZ_SECONDS) -max_len=65536 -timeout=10 -rss_limit_mb=4096 \
	    -artifact_prefix=$$out/ -print_final_stats=1 > build/fuzz/$$t.log 2>&1 || true; \
	  grep -E '^(stat::number_of_executed_units|==[0-9]+==ERROR|SUMMARY)' build/fuzz/$$t.log || true; \
	  if find $$out -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' | grep -q .; then \
	    echo "finding in $$t (log: build/fuzz/$$t.log):"; ls $$out; exit 1; fi; \
	  if ! grep -q '^stat::number_of_executed_units' build/fuzz/$$t.log; then \
	    echo "fuzz_$$t did not run (log: build/fuzz/$$t.log)"; tail -5 build/fuzz/$$t.log; exit 1; fi; \
	done
