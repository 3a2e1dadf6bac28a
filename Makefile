# make test: install what is missing, build every preset, run every test.
# make dist: the two DLLs under dist/ (and lumvet-host.exe beside the 64-bit one).
# make demo: check and fly the plug-in on Windows (wine64) and Linux, draw it.
PRESETS := native linux-i386 win32 win64

.PHONY: all test dist demo deps clean $(addprefix build-,$(PRESETS))

all: dist

deps:
	@scripts/ensure-deps.sh

$(addprefix build-,$(PRESETS)): build-%: deps
	cmake --preset $* >/dev/null
	cmake --build --preset $*

test: deps
	@set -e; for preset in $(PRESETS); do \
	    echo "=== $$preset"; \
	    cmake --preset $$preset >/dev/null; \
	    cmake --build --preset $$preset; \
	    ctest --preset $$preset; \
	done

dist: build-win32 build-win64
	mkdir -p dist/win32 dist/win64
	cp build/win32/Lumvet.dll dist/win32/Lumvet.dll
	cp build/win64/Lumvet.dll dist/win64/Lumvet.dll
	cp build/win64/host/lumvet-host.exe dist/win64/lumvet-host.exe
	@ls -l dist/win32/Lumvet.dll dist/win64/Lumvet.dll dist/win64/lumvet-host.exe

demo: dist build-native
	scripts/demo.sh

clean:
	rm -rf build dist
