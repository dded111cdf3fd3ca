# SPDX-License-Identifier: GPL-3.0-or-later
# Vorlix: build, run, test and benchmark.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)

.PHONY: all deps test-deps configure build run test test-sanitize fuzz bench assets translations clean package package-check

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

# Only the player's own targets: the tests are built by `make test`.
run: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target vorlix
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
	@for t in fuzz_playlist fuzz_song fuzz_commandline fuzz_fileuri fuzz_urilist fuzz_request; do mkdir -p $(BUILD_DIR)/fuzz/corpus/$$t && \
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

# Brings translations/*.ts up to date with the texts the sources mark for
# translation (new ones come untranslated; gone ones are dropped).
translations: configure
	@cmake --build $(BUILD_DIR) --target translations

# Builds the Debian source package (debian/) from a copy of this tree, and
# from it vorlix_<version>_<arch>.deb and vorlix-dbgsym_<version>_<arch>.deb,
# all in build-package/. The packages carry the date of debian/changelog, so
# two builds of one version are the same bytes.
PACKAGE_DIR ?= build-package
package:
	@./scripts/install-deps.sh package
	@./scripts/build-package.sh $(PACKAGE_DIR)

# Builds the packages twice, the second time with the builder's umask,
# folder, time zone, language and user changed, and compares the two: slow,
# so not part of `make test`.
package-check:
	@./scripts/install-deps.sh package-check
	@./scripts/check-package.sh $(PACKAGE_DIR)

clean:
	rm -rf $(BUILD_DIR) build-sanitize
