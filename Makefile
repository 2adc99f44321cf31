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

.PHONY: all bootstrap build test run bench fuzz compare dist gallery install-linux clean $(addprefix build-,$(PRESETS)) $(addprefix test-,$(PRESETS))

all: build

bootstrap:
	@tools/bootstrap.sh

$(addprefix build-,$(PRESETS)): build-%: bootstrap
	@cmake --preset $* >/dev/null
	@cmake --build --preset $*

build: $(addprefix build-,$(PRESETS))

$(addprefix test-,$(PRESETS)): test-%: build-%
	@cd build/$(subst native-asan,asan,$*) && ctest --output-on-failure

test: build
	@file build/win32/bin/fireworks.scr | grep -q 'PE32 executable (GUI) Intel 80386' || { echo "fireworks.scr is not a PE32 GUI program for i386"; exit 1; }
	@$(MAKE) --no-print-directory test-native test-native-asan test-win32 test-win64
	@tools/fuzz-all.sh 30

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
