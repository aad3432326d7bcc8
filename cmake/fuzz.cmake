# -DTAMZO_FUZZ=ON (with clang) builds the program's library for libFuzzer, with AddressSanitizer
# and UndefinedBehaviorSanitizer, and the fuzz targets of tests/fuzz.
option(TAMZO_FUZZ "Build the fuzz targets (clang, libFuzzer)" OFF)
if(TAMZO_FUZZ)
  set(flags -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  # Light optimisation and line tables only, as in the sanitized build: it builds faster.
  add_compile_options(-fsanitize=fuzzer-no-link ${flags} -O1 -g1)
  add_link_options(${flags})
endif()
