# -DTAMZO_SANITIZE=ON builds everything with AddressSanitizer and UndefinedBehaviorSanitizer.
# Every finding ends the process; reports are written below the build folder, where the test
# script looks for them after the run (so a finding in a program a test starts is seen too).
option(TAMZO_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

set(TAMZO_SANITIZER_ENVIRONMENT "")
if(TAMZO_SANITIZE)
  set(flags -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  # Light optimisation and line tables only (they come after the build type's -O2 -g, so they win):
  # reports still name function, file and line, and the tree builds about 40% faster.
  add_compile_options(${flags} -O1 -g1)
  add_link_options(${flags})
  set(TAMZO_SANITIZER_REPORTS ${CMAKE_BINARY_DIR}/sanitizer-reports)
  # Allocation stacks are unwound by frame pointers: the program's own frames have them, so each
  # of its leaks is reported at the line that made it. The system's libraries have none, so a
  # stack that goes through one ends at it, and the suppressions name libraries, not functions.
  # (Unwinding in full at every allocation made the sanitized suite eight times slower.)
  # new_delete_type_mismatch is off: the web engine's own library (Chromium) frees some objects
  # through a base whose size differs, which the checker cannot tell apart by library. In the
  # program's code the same fault is a non-virtual destructor, which -Wall already reports.
  set(TAMZO_SANITIZER_ENVIRONMENT
    "ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:new_delete_type_mismatch=0:fast_unwind_on_malloc=1:malloc_context_size=30:log_path=${TAMZO_SANITIZER_REPORTS}/asan"
    "UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1:log_path=${TAMZO_SANITIZER_REPORTS}/ubsan"
    # On a display, Mesa's default software OpenGL (llvmpipe) compiles code at run time and
    # registers its unwind tables from inside the unwinder that a report's full stack uses, which
    # deadlocks: the sanitized programs use Mesa's software OpenGL that compiles nothing.
    "GALLIUM_DRIVER=softpipe"
    "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/sanitizer/leaks.supp:print_suppressions=0")
endif()
