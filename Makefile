# OmbrixViewer — newcomer entry points: `make demo` and `make test`.

BUILD      ?= build
BUILD_ASAN ?= build-asan
JOBS       ?= $(shell nproc)
CMAKE_ARGS ?= -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

# Debian packages the project builds and tests with.
PACKAGES = cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools angelscript-dev \
           libgtest-dev libgmock-dev libbenchmark-dev fonts-liberation2 fontconfig xvfb xauth \
           libxlsxwriter-dev unzip locales-all

SUDO = $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps build test test-asan demo bench clean

all: build

deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_ARGS)
	cmake --build $(BUILD) -j $(JOBS)

# Every test: the normal build, then the display-free core again under ASan + UBSan.
test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	$(MAKE) test-asan

test-asan: deps
	cmake -S . -B $(BUILD_ASAN) $(CMAKE_ARGS) -DOMBRIX_SANITIZE=ON -DOMBRIX_CORE_ONLY=ON
	cmake --build $(BUILD_ASAN) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --test-dir $(BUILD_ASAN) --output-on-failure -j $(JOBS) -L core

demo: build
	@rm -rf $(BUILD)/demo
	$(BUILD)/ombrix sample $(BUILD)/demo
	@echo "Sample recordings:"; ls -1 $(BUILD)/demo/*.rec
	$(BUILD)/ombrix info $(BUILD)/demo/tkar_demo.rec
	@echo "Pictures:"; for f in $(BUILD)/demo/*.rec; do $(BUILD)/ombrix render $$f -o $${f%.rec}.png --cursors 0.3,0.6 || exit 1; done
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  echo "Opening $(BUILD)/demo/tkar_demo.rec in the viewer"; $(BUILD)/ombrixviewer $(BUILD)/demo/tkar_demo.rec; \
	else \
	  echo "No display here: open the pictures above, or run $(BUILD)/ombrixviewer $(BUILD)/demo/tkar_demo.rec on a desktop"; \
	fi

# Benchmarks need an optimised build of their own.
bench: deps
	cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DOMBRIX_CORE_ONLY=ON
	cmake --build build-bench -j $(JOBS) --target bench_passe bench_export
	build-bench/bench_passe
	build-bench/bench_export

clean:
	rm -rf $(BUILD) $(BUILD_ASAN)

# Installs the viewer and `ombrix` under PREFIX, with the desktop entry and the two file types,
# then refreshes the desktop's file-type and application caches when their tools are there.
PREFIX ?= /usr/local
.PHONY: install
install: build
	$(SUDO) cmake --install $(BUILD) --prefix $(PREFIX)
	@if command -v update-mime-database >/dev/null 2>&1; then \
	  $(SUDO) update-mime-database $(PREFIX)/share/mime; fi
	@if command -v update-desktop-database >/dev/null 2>&1; then \
	  $(SUDO) update-desktop-database $(PREFIX)/share/applications; fi
