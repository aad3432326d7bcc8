# Puts the delivered files and the marker "TamzoFirst.txt" beside the executable
# unless the application folder is installed already (languages moved in, no marker).
if(EXISTS "${APP_DIR}/Languages" AND NOT EXISTS "${APP_DIR}/TamzoFirst.txt")
  return()
endif()
include(${CMAKE_CURRENT_LIST_DIR}/delivered.cmake)
list(TRANSFORM TAMZO_DELIVERED_PATTERNS PREPEND "${SOURCE_DIR}/" OUTPUT_VARIABLE patterns)
file(GLOB delivered ${patterns})
file(COPY ${delivered} DESTINATION "${APP_DIR}")
file(WRITE "${APP_DIR}/TamzoFirst.txt" "")
message(STATUS "Staged the first-run installation in ${APP_DIR}")
