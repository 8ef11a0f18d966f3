# `make run` plays the game, `make test` builds and runs every test.
# Both install the Debian packages they need when they are missing.
# `make run ARGS=--terminal` passes options to the game.
# `make pot` renews the translators' template po/velloxa.pot;
# `make package` builds the Debian package; `make format` formats the C++
# sources, `make format-check` only checks them.
# `make windows` cross-builds the Windows program, its zip and installer in dist/;
# `make windows-test` checks it under Wine.

BUILD    ?= build/release
ASAN     ?= build/asan
TSAN     ?= build/tsan
JOBS     ?= $(shell nproc)
PACKAGES := cmake g++ make pkg-config libgtest-dev libgmock-dev libbenchmark-dev libfftw3-dev \
            libsdl2-dev libsdl2-mixer-dev libsdl2-ttf-dev libespeak-ng-dev espeak-ng-data \
            fonts-dejavu-core xvfb xauth xdotool tmux
# The message catalogues: msgfmt compiles them, xgettext makes the template.
PACKAGES += gettext
# Formatting the sources (make format, make format-check).
PACKAGES += clang-format
# Braille through BRLTTY; its device-free drivers and xbrlapi's X focus
# tracking serve the checks.
PACKAGES += libbrlapi-dev brltty xbrlapi
# Installing and packaging, and their checks.
PACKAGES += dpkg-dev file desktop-file-utils appstream lintian man-db

WINDOWS  ?= build/windows
WINDOWS_PACKAGES := g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-tools wine64 \
            googletest zip unzip nsis librsvg2-bin icoutils xvfb xauth xdotool
# The window check's screenshots: xwd grabs the screen, netpbm makes a BMP.
WINDOWS_PACKAGES += x11-apps netpbm
VERSION  := $(shell sed -n 's/^set(VELLOXA_VERSION_TEXT "\(.*\)")/\1/p' CMakeLists.txt)
WINDOWS_ZIP := dist/velloxa-$(VERSION)-windows.zip
WINDOWS_SETUP := dist/velloxa-$(VERSION)-setup.exe

.PHONY: all deps windows-deps build asan tsan run test bench package clean windows windows-test \
        format format-check pot

# Installs the Debian packages named in $(1) that are missing.
define install_packages
	@missing=""; \
	for p in $(1); do \
	  dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  if [ "$$(id -u)" -ne 0 ]; then sudo=sudo; else sudo=; fi; \
	  $$sudo apt-get update -qq || true; \
	  DEBIAN_FRONTEND=noninteractive $$sudo apt-get install -y -qq --no-install-recommends $$missing; \
	fi
endef

all: build

deps:
	$(call install_packages,$(PACKAGES))

windows-deps:
	$(call install_packages,$(WINDOWS_PACKAGES))

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELLOXA_WERROR=ON
	cmake --build $(BUILD) -j $(JOBS)

asan: deps
	cmake -S . -B $(ASAN) -DCMAKE_BUILD_TYPE=Debug -DVELLOXA_WERROR=ON -DVELLOXA_SANITIZE=ON -DVELLOXA_BENCH=OFF
	cmake --build $(ASAN) -j $(JOBS)

# The platform code is where threads meet (speech, saves, keys, audio):
# its tests run once more under ThreadSanitizer. The kill test starts a
# writer thread in a forked child, which it allows.
tsan: deps
	cmake -S . -B $(TSAN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELLOXA_WERROR=ON -DVELLOXA_BENCH=OFF \
	  -DCMAKE_CXX_FLAGS="-fsanitize=thread" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread"
	cmake --build $(TSAN) -j $(JOBS) --target test_platform
	TSAN_OPTIONS="halt_on_error=1 exitcode=66 die_after_fork=0 suppressions=$(CURDIR)/tests/platform/tsan.supp" VELLOXA_BINARY=$(abspath $(TSAN))/velloxa \
	  VELLOXA_SOURCE=$(CURDIR) $(TSAN)/tests/test_platform --gtest_brief=1

run: build
	$(BUILD)/velloxa $(ARGS)

test: build asan tsan
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --test-dir $(ASAN) --output-on-failure -j $(JOBS)

# The sound generator runs on the build machine, so it comes from the Linux build.
windows: deps windows-deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELLOXA_WERROR=ON
	cmake --build $(BUILD) -j $(JOBS) --target velloxa velloxa_soundgen
	cmake -S . -B $(WINDOWS) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DVELLOXA_WERROR=ON
	cmake --build $(WINDOWS) -j $(JOBS) --target velloxa velloxa-cli
	bash packaging/windows/package.sh $(WINDOWS) $(BUILD)/velloxa_soundgen . $(VERSION) dist

# The window check reads pictures and sound with the Linux desktop checks' helper.
windows-test: windows
	cmake --build $(BUILD) -j $(JOBS) --target velloxa_desktop_probe
	cmake --build $(WINDOWS) -j $(JOBS) --target windows_unit_tests
	bash tests/windows/run.sh $(BUILD)/velloxa $(WINDOWS) $(WINDOWS_ZIP) . $(WINDOWS_SETUP)

# Every C++ file follows .clang-format; CI refuses a file that does not.
FORMATTED = $(shell git ls-files '*.cpp' '*.h')
format: deps
	clang-format -i $(FORMATTED)

format-check: deps
	clang-format --dry-run --Werror $(FORMATTED)

# Renews the translators' template from the sources and the content.
pot: build
	bash tools/make_pot.sh $(BUILD)/velloxa .

bench: build
	$(BUILD)/bench/velloxa_bench

# The Debian package, velloxa_0.5f_<arch>.deb in $(BUILD).
package: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf build
