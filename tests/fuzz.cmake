# The word-list fuzzer runs for 30 seconds as part of the suite. It is built
# by clang in a folder of its own; without clang the test is skipped.
add_test(NAME fuzz_wordlist
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/run-fuzz.sh ${CMAKE_BINARY_DIR}/fuzz-build 30)
set_tests_properties(fuzz_wordlist PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 900)
