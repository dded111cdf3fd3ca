# SPDX-License-Identifier: GPL-3.0-or-later
# Vorlix: build, run, test and benchmark.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)

.PHONY: all deps test-deps configure build run test test-sanitize fuzz bench assets clean package package-check

all: build

# Each task installs what it needs and is missing: `make run` what building
# and running take, `make test` also what the tests start.
deps:
	@./scripts/install-deps.sh run

test-deps:
	@./scripts/install-deps.sh test

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	./$(BUILD_DIR)/vorlix

test: test-deps build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The whole suite again, built with ASan, LSan and UBSan in a folder of its own.
test-sanitize: test-deps
	@cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DVORLIX_SANITIZE=ON >/dev/null
	@cmake --build build-sanitize -j $(JOBS)
	cd build-sanitize && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Each fuzz target for a minute, growing its corpus in build/fuzz/corpus.
FUZZ_SECONDS ?= 60
fuzz: test-deps build
	@for t in fuzz_playlist fuzz_song; do mkdir -p $(BUILD_DIR)/fuzz/corpus/$$t && \
	  $(BUILD_DIR)/fuzz/$$t -max_total_time=$(FUZZ_SECONDS) -artifact_prefix=$(BUILD_DIR)/fuzz/ \
	    $(BUILD_DIR)/fuzz/corpus/$$t $(BUILD_DIR)/fuzz/seeds/$$t || exit 1; done

bench: test-deps build
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target benches
	@./scripts/run-benches.sh $(BUILD_DIR)

# Redraws the pictures and sounds in assets/ from the generator in tools/artgen.
assets: configure
	@./scripts/install-deps.sh assets
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target artgen
	@./tools/artgen/make-assets.sh $(BUILD_DIR)/tools/artgen/artgen assets

# Builds vorlix_<version>_<arch>.deb and vorlix-dbgsym_<version>_<arch>.deb
# in their own build folder, for /usr and with Debian's hardening flags. The
# packages carry the time of the last commit, so two builds of one commit are
# the same bytes.
PACKAGE_DIR ?= build-package
SOURCE_DATE_EPOCH ?= $(shell git log -1 --format=%ct 2>/dev/null || echo 0)
export SOURCE_DATE_EPOCH
package:
	@./scripts/install-deps.sh package
	@export DEB_BUILD_MAINT_OPTIONS=hardening=+all; \
	  cmake -S . -B $(PACKAGE_DIR) -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr \
	    -DCMAKE_CXX_FLAGS="$$(dpkg-buildflags --get CXXFLAGS) $$(dpkg-buildflags --get CPPFLAGS)" \
	    -DCMAKE_EXE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)" \
	    -DCMAKE_MODULE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)" \
	    -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
	@cmake --build $(PACKAGE_DIR) -j $(JOBS) --target vorlix vorlix_docs
	@cd $(PACKAGE_DIR) && rm -f *.deb *.ddeb && cpack
	@./packaging/finish-dbgsym.sh $(PACKAGE_DIR)

# Builds the package twice from scratch in the same folder and compares the
# two: slow, so not part of `make test`.
package-check:
	@./scripts/install-deps.sh package-check
	@./scripts/check-package.sh $(PACKAGE_DIR)

clean:
	rm -rf $(BUILD_DIR) build-sanitize
