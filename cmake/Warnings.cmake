# Warnings as an interface target: our own targets link it, third-party code never sees it.
add_library(trakmora_warnings INTERFACE)
target_compile_options(trakmora_warnings INTERFACE
  $<$<CXX_COMPILER_ID:GNU,Clang>:-Wall -Wextra -Wpedantic -Werror>
  # GCC 12 reports std::string's own insert as overlapping memcpy at -O2 (a false positive in
  # libstdc++, fixed in GCC 13).
  $<$<CXX_COMPILER_ID:GNU>:-Wno-restrict>)
