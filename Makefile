# Vorlix: build, run, test and benchmark.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test bench assets clean package

all: build

deps:
	@./scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	./$(BUILD_DIR)/vorlix

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target benches
	@./scripts/run-benches.sh $(BUILD_DIR)

# Redraws the pictures and sounds in assets/ from the generator in tools/artgen.
assets: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target artgen
	@./tools/artgen/make-assets.sh $(BUILD_DIR)/tools/artgen/artgen assets

# Builds vorlix_<version>_<arch>.deb in its own build folder, for /usr and
# with Debian's hardening flags.
PACKAGE_DIR ?= build-package
package: deps
	@export DEB_BUILD_MAINT_OPTIONS=hardening=+all; \
	  cmake -S . -B $(PACKAGE_DIR) -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr \
	    -DCMAKE_CXX_FLAGS="$$(dpkg-buildflags --get CXXFLAGS) $$(dpkg-buildflags --get CPPFLAGS)" \
	    -DCMAKE_EXE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)" \
	    -DCMAKE_MODULE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)" \
	    -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
	@cmake --build $(PACKAGE_DIR) -j $(JOBS) --target vorlix vorlix_docs
	@cd $(PACKAGE_DIR) && cpack

clean:
	rm -rf $(BUILD_DIR)
