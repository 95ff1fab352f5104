# Fails when an include runs against the layers: core/ includes nothing of
# ui/ or app/ and no widget or GUI header; ui/ includes nothing of app/; and
# inside core/, board/ and dictionary/ include neither each other nor what
# stands on them, and opponent/ includes nothing of game/.
#   cmake -DSOURCE_DIR=... -P layering.cmake
set(rules
  "core/board|#include [\"<]core/(dictionary|opponent|game)/"
  "core/dictionary|#include [\"<]core/(board|opponent|game)/"
  "core/opponent|#include [\"<]core/game/"
  "core|#include [\"<](ui|app)/|#include <Qt(Gui|Widgets)|#include <Q(Widget|Application|GuiApplication|Dialog|Color|Font|Pixmap|Icon)>"
  "ui|#include [\"<]app/")
set(broken "")
foreach(rule IN LISTS rules)
  string(REPLACE "|" ";" parts "${rule}")
  list(POP_FRONT parts folder)
  list(JOIN parts "|" forbidden)
  file(GLOB_RECURSE sources "${SOURCE_DIR}/${folder}/*.cpp" "${SOURCE_DIR}/${folder}/*.h")
  foreach(source IN LISTS sources)
    file(STRINGS "${source}" lines REGEX "${forbidden}")
    foreach(line IN LISTS lines)
      string(APPEND broken "\n  ${source}: ${line}")
    endforeach()
  endforeach()
endforeach()
if(broken)
  message(FATAL_ERROR "includes that run back up the layers:${broken}")
endif()
