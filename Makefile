# OmbrixViewer — newcomer entry points: `make demo` and `make test`.

BUILD      ?= build
BUILD_ASAN ?= build-asan
BUILD_TSAN ?= build-tsan
JOBS       ?= $(shell nproc)
CMAKE_ARGS ?= -G Ninja -DCMAKE_BUILD_TYPE=Release
CLANG_ENV   = CC=clang-14 CXX=clang++-14
# The checking builds: clang's sanitizers and libFuzzer, lightly optimised, line tables only.
CHECK_FLAGS = -O1 -gline-tables-only
CHECK_ARGS ?= -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="$(CHECK_FLAGS)" \
              -DCMAKE_C_FLAGS_RELWITHDEBINFO="$(CHECK_FLAGS)" -DOMBRIX_TEST_OPTIONS="-O0;-gline-tables-only"

# Debian packages the project builds and tests with.
PACKAGES = cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools angelscript-dev \
           libgtest-dev libgmock-dev libbenchmark-dev fonts-liberation2 fontconfig xvfb xauth \
           libxlsxwriter-dev unzip locales-all \
           clang-14 libclang-rt-14-dev \
           librsvg2-bin dpkg-dev lintian desktop-file-utils shared-mime-info libglib2.0-bin \
           bash-completion man-db poppler-utils qt6-translations-l10n

SUDO = $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps build test test-asan tsan demo bench clean package package-chroot

all: build

deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi

# clang builds the tree in well under the time GCC takes.
build: deps
	$(CLANG_ENV) cmake -S . -B $(BUILD) $(CMAKE_ARGS)
	cmake --build $(BUILD) -j $(JOBS)

# Every test: the normal build, then the display-free core again under ASan + UBSan.
test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	$(MAKE) test-asan

# The sanitizer build also carries the fuzz targets (see `make fuzz`), which replay their seeds here.
test-asan: deps
	$(CLANG_ENV) cmake -S . -B $(BUILD_ASAN) $(CHECK_ARGS) -DOMBRIX_SANITIZE=ON -DOMBRIX_FUZZ=ON -DOMBRIX_CORE_ONLY=ON
	cmake --build $(BUILD_ASAN) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --test-dir $(BUILD_ASAN) --output-on-failure -j $(JOBS) -L core

# The threaded tests under ThreadSanitizer: the display pass and its stop/restart protocol, the
# export worker with its formatting thread, and the main window's timer protocol.
TSAN_TARGETS = test_graph test_export test_ui_tst_form_main
TSAN_TESTS   = ^(graph|export|ui_tst_form_main)$$
tsan: deps
	$(CLANG_ENV) cmake -S . -B $(BUILD_TSAN) $(CHECK_ARGS) -DOMBRIX_TSAN=ON
	cmake --build $(BUILD_TSAN) -j $(JOBS) --target $(TSAN_TARGETS)
	TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$(CURDIR)/cmake/tsan.supp" \
	  ctest --test-dir $(BUILD_TSAN) --output-on-failure -j $(JOBS) -R '$(TSAN_TESTS)'

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

# Benchmarks need an optimised build of their own, with the compiler of `make build`. A folder
# configured earlier with another compiler starts again (CMake keeps the compiler it first found).
BUILD_BENCH ?= build-bench
bench: deps
	@grep -qs '^CMAKE_CXX_COMPILER:[A-Z]*=.*clang++-14' $(BUILD_BENCH)/CMakeCache.txt || rm -rf $(BUILD_BENCH)/CMakeCache.txt $(BUILD_BENCH)/CMakeFiles
	$(CLANG_ENV) cmake -S . -B $(BUILD_BENCH) -G Ninja -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD_BENCH) -j $(JOBS) --target bench_passe bench_export bench_dessin bench_fenetre
	$(BUILD_BENCH)/bench_passe $(BUILD_BENCH)/bench.rec
	$(BUILD_BENCH)/bench_dessin $(BUILD_BENCH)/bench.rec
	$(BUILD_BENCH)/bench_fenetre $(BUILD_BENCH)/bench.rec
	$(BUILD_BENCH)/bench_export

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) $(BUILD_TSAN) $(BUILD_BENCH)

# Installs the viewer and `ombrix` under PREFIX, with the desktop entry, the two file types, the
# icons, the manual pages and the bash completion, then refreshes the desktop's file-type,
# application and icon caches when their tools are there.
PREFIX ?= /usr/local
.PHONY: install
install: build
	$(SUDO) cmake --install $(BUILD) --prefix $(PREFIX)
	@if command -v update-mime-database >/dev/null 2>&1; then \
	  $(SUDO) update-mime-database $(PREFIX)/share/mime; fi
	@if command -v update-desktop-database >/dev/null 2>&1; then \
	  $(SUDO) update-desktop-database $(PREFIX)/share/applications; fi
	@if command -v gtk-update-icon-cache >/dev/null 2>&1; then \
	  $(SUDO) gtk-update-icon-cache -q -t -f $(PREFIX)/share/icons/hicolor; fi

# The Debian package of the built programs: $(BUILD)/ombrixviewer_<version>_<arch>.deb, its
# dependencies computed from the programs (paquet/construire-deb.sh). Install it with
# `sudo apt install ./$(BUILD)/ombrixviewer_*.deb`.
package: build
	paquet/construire-deb.sh $(BUILD) $(BUILD)

# The package installed, run and removed in a clean Debian 12 root made with debootstrap
# (kept in CHROOT between runs; the first run fetches a minimal system from the mirror).
CHROOT ?= /var/tmp/ombrixviewer-essai
package-chroot: package
	@command -v debootstrap >/dev/null 2>&1 || { $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq debootstrap; }
	$(SUDO) paquet/essai-chroot.sh $$(ls -t $(BUILD)/ombrixviewer_*.deb | head -n 1) $(CHROOT)

# ---- Fuzzing: libFuzzer targets in the sanitizer build ------------------------------------------
# `make fuzz` builds the targets in $(BUILD_ASAN), writes their seeds with fuzz_corpus, and runs each
# target for FUZZ_SECONDS (fuzz/lancer_cible.sh), FUZZ_PARALLEL targets at a time, each with
# FUZZ_JOBS worker processes (libFuzzer's -fork; 1 runs in-process). Crash, leak and timeout inputs
# go to $(BUILD_ASAN)/fuzz-artifacts/<target>/, logs to $(BUILD_ASAN)/fuzz-logs/. Prints the
# executions per target and fails when a target found anything.
FUZZ_SECONDS  ?= 60
FUZZ_JOBS     ?= 1
FUZZ_PARALLEL ?= $(JOBS)
FUZZ_TARGETS   = fuzz_entete fuzz_configuration fuzz_script fuzz_passe
FUZZ_DIR       = $(abspath $(BUILD_ASAN))
.PHONY: fuzz
fuzz: deps
	$(CLANG_ENV) cmake -S . -B $(BUILD_ASAN) $(CHECK_ARGS) -DOMBRIX_SANITIZE=ON -DOMBRIX_FUZZ=ON -DOMBRIX_CORE_ONLY=ON
	cmake --build $(BUILD_ASAN) -j $(JOBS) --target fuzz_corpus $(FUZZ_TARGETS)
	rm -rf $(FUZZ_DIR)/fuzz-seeds $(FUZZ_DIR)/fuzz-logs $(FUZZ_DIR)/fuzz-home
	HOME=$(FUZZ_DIR)/fuzz-home XDG_CONFIG_HOME=$(FUZZ_DIR)/fuzz-home/config $(FUZZ_DIR)/fuzz_corpus $(FUZZ_DIR)/fuzz-seeds
	@status=0; printf '%s\n' $(FUZZ_TARGETS) | \
	  xargs -P $(FUZZ_PARALLEL) -I{} fuzz/lancer_cible.sh $(FUZZ_DIR) {} $(FUZZ_SECONDS) $(FUZZ_JOBS) || status=1; \
	cat $(addprefix $(FUZZ_DIR)/fuzz-logs/,$(addsuffix .summary,$(FUZZ_TARGETS))); exit $$status
