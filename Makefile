# make run   - install what is missing, build, and run the show under Wine
# make test  - install what is missing, build everything, run every test
# make bench - one table: the native benchmarks, then the real program's frame time under Wine
# make fuzz  - run the fuzzers (FUZZ_SECONDS each, default 600)
# make compare [BASE=rev] - fwsim and fwrender output of the working tree against BASE, byte for byte
# make dist  - the setup program BrelkoraFireworksSetup.exe and the release zip, in build/dist
# make gallery - the README's pictures of the show, made with fwrender
# make install-linux [PREFIX=/usr] [DESTDIR=] - the X11 saver and its settings where xscreensaver finds them
SHELL := /bin/bash
PRESETS := native native-asan win32 win64
FUZZ_SECONDS ?= 600
PREFIX ?= /usr

.PHONY: all bootstrap build test fuzz-briefly run bench fuzz compare dist gallery install-linux clean $(addprefix build-,$(PRESETS)) $(addprefix test-,$(PRESETS))

all: build

bootstrap:
	@tools/bootstrap.sh

$(addprefix build-,$(PRESETS)): build-%: bootstrap
	@cmake --preset $* >/dev/null
	@cmake --build --preset $*

build: $(addprefix build-,$(PRESETS))

$(addprefix test-,$(PRESETS)): test-%: build-%
	@cd build/$(subst native-asan,asan,$*) && ctest --output-on-failure

# Two presets build or test at a time, the slow Windows ones first: their suites mostly wait on Wine,
# and each has its own Wine prefix and private X server, so they run while the other builds compile.
test: bootstrap
	@$(MAKE) --no-print-directory -j2 --output-sync=target test-win32 test-native test-win64 test-native-asan fuzz-briefly
	@file build/win32/bin/fireworks.scr | grep -q 'PE32 executable (GUI) Intel 80386' || { echo "fireworks.scr is not a PE32 GUI program for i386"; exit 1; }
	@tools/test-ratio.sh || true

fuzz-briefly: bootstrap
	@tools/fuzz-all.sh 15

run: build-win32 build-win64
	@tools/run-show.sh

bench: bootstrap
	@tools/bench.py

fuzz: bootstrap
	@tools/fuzz-all.sh $(FUZZ_SECONDS)

compare: bootstrap
	@tools/compare-reference.sh --wine $(BASE)

# The 32-bit build makes them (tools/installer) whenever makensis is there, and the bootstrap installs it.
dist: build-win32
	@ls -l build/dist/BrelkoraFireworksSetup.exe build/dist/BrelkoraFireworks-*.zip

gallery: build-native
	@tools/make-gallery.sh

# Debian's xscreensaver runs display modes from $(PREFIX)/libexec/xscreensaver and reads their
# settings dialogs from $(PREFIX)/share/xscreensaver/config.
install-linux: build-native
	@DESTDIR="$(DESTDIR)" cmake --install build/native --prefix "$(PREFIX)" --component linux-saver --strip

clean:
	rm -rf build
