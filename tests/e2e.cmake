# End-to-end tests: the real program under Xvfb, driven with xdotool. They
# skip (status 77) where no X server can be started. Screenshots land in
# e2e-artifacts/ of the build folder.
find_package(Python3 COMPONENTS Interpreter)
if(NOT Python3_Interpreter_FOUND)
  message(STATUS "Python 3 not found: the end-to-end tests are not registered")
  return()
endif()

set(PALITRA_E2E_ARTIFACTS ${CMAKE_BINARY_DIR}/e2e-artifacts)

add_test(NAME e2e_game
  COMMAND ${Python3_EXECUTABLE} -B ${CMAKE_CURRENT_SOURCE_DIR}/e2e/run-e2e.py
          $<TARGET_FILE:palitra> ${CMAKE_CURRENT_SOURCE_DIR}/data/e2e_words.pal ${PALITRA_E2E_ARTIFACTS})

add_test(NAME e2e_install
  COMMAND ${Python3_EXECUTABLE} -B ${CMAKE_CURRENT_SOURCE_DIR}/e2e/run-install.py
          ${CMAKE_COMMAND} ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR} ${PALITRA_E2E_ARTIFACTS})

set_tests_properties(e2e_game e2e_install PROPERTIES
  SKIP_RETURN_CODE 77
  TIMEOUT 120
  LABELS e2e)
