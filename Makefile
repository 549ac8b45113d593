# Lumeo: build, test and run on Debian.
BUILD ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS ?= $(shell nproc)
# xvfb, openbox and libxcb1-dev: the real-display stage of the tests (tests/CMakeLists.txt);
# qt6-base-private-dev: tests that feed input through the window system's queue;
# qt6-translations-l10n: Qt's own texts (standard buttons, file dialog) in the desktop's language;
# sqlite3: the engine's own shell, which `make bench` starts beside the program.
PACKAGES := cmake g++ make pkg-config qt6-base-dev qt6-base-private-dev libqt6sql6-sqlite \
            qt6-translations-l10n fonts-liberation fonts-wine mdbtools mdbtools-dev libmdb3 \
            libsqlite3-dev xvfb openbox libxcb1-dev sqlite3 libssl-dev
FUZZ_PACKAGES := clang libclang-rt-14-dev
# dpkg-dev: dpkg-shlibdeps, which names the Debian package's dependencies, for `make package`
# and for the package's own test in `make test`.
PACKAGES += dpkg-dev
# What checks the package `make package` makes.
PACKAGE_TOOLS := desktop-file-utils appstream lintian

.PHONY: all deps configure build test sanitize fuzz bench run clean

all: build

# Installs what is missing when run as root; otherwise says what to install and stops.
deps:
	@missing=""; \
	for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  if [ "$$(id -u)" = 0 ]; then \
	    echo "Installing:$$missing"; \
	    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $$missing; \
	  else \
	    echo "Missing packages. Install them as root with:"; \
	    echo "  apt-get install -y$$missing"; \
	    exit 1; \
	  fi; \
	fi

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j$(JOBS)

# Every test headless; the same run takes the window tests a second time on a real X server
# (Xvfb with a window manager: the tests labelled "display"). Then the sanitized suite.
test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)
	$(MAKE) --no-print-directory sanitize

# The whole suite once more, built with AddressSanitizer and UndefinedBehaviorSanitizer in a
# folder of its own; any report fails the test that made it. The real-display stage is left
# to the normal build.
sanitize: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMEO_SANITIZE=ON -DLUMEO_DISPLAY_TESTS=OFF
	cmake --build $(ASAN_BUILD) -j$(JOBS)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

# Runs each fuzz target for FUZZ_SECONDS from its seeds; findings go to $(FUZZ_BUILD)/fuzz/artifacts.
fuzz: deps
	@$(MAKE) --no-print-directory deps PACKAGES="$(FUZZ_PACKAGES)"
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMEO_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j$(JOBS) --target lumeo_fuzz
	bash fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

# Times the program on three generated catalogues (made once and kept in build-bench) in a
# release build of its own; the table also goes to bench/results.md.
bench: deps
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release
	cmake --build build-bench -j$(JOBS) --target lumeo_bench
	build-bench/lumeo_bench

# Starts the program on the sample catalogue beside it, making the catalogue on first run.
# Builds only what it runs: the program, its import program and the sample maker.
run: configure
	cmake --build $(BUILD) -j$(JOBS) --target lumeo lumeo-access-import makecatalogue
	@test -f $(BUILD)/lumeo.kvl || $(BUILD)/makecatalogue $(BUILD)/lumeo.kvl
	$(BUILD)/lumeo

# The Debian package of the program as installed (packaging/), made in $(BUILD) from what
# it needs alone, then checked: the desktop entry, the AppStream metadata, the package.
.PHONY: package
package: configure
	@$(MAKE) --no-print-directory deps PACKAGES="$(PACKAGE_TOOLS)"
	cmake --build $(BUILD) -j$(JOBS) --target lumeo lumeo-access-import lumeo_desktop_icons lumeo_package_documents
	cd $(BUILD) && cpack -G DEB
	desktop-file-validate packaging/com.korvel.Lumeo.desktop
	appstreamcli validate --no-net packaging/com.korvel.Lumeo.metainfo.xml
	lintian --fail-on error $(BUILD)/lumeo_*.deb

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) build-bench
