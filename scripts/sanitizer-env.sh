# Sourced before running anything from the sanitizer build.
# Debian's OGRE frees images from its PNG codec with a mismatched operator
# (theirs, not ours), so that one check is off; leaks are checked.
export ASAN_OPTIONS=alloc_dealloc_mismatch=0:detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export SDL_AUDIODRIVER=dummy
