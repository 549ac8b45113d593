# Lumeo: build, test and run on Debian.
BUILD ?= build
JOBS ?= $(shell nproc)
PACKAGES := cmake g++ make pkg-config qt6-base-dev libqt6sql6-sqlite \
            fonts-liberation fonts-wine mdbtools mdbtools-dev libmdb3

.PHONY: all deps build test run clean

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

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j$(JOBS)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

# Starts the program on the sample catalogue beside it, making the catalogue on first run.
run: build
	@test -f $(BUILD)/lumeo.kvl || $(BUILD)/makecatalogue $(BUILD)/lumeo.kvl
	$(BUILD)/lumeo

clean:
	rm -rf $(BUILD)
