# Puts the delivered files and the marker "TamzoFirst.txt" beside the executable
# unless the application folder is installed already (languages moved in, no marker).
if(EXISTS "${APP_DIR}/Languages" AND NOT EXISTS "${APP_DIR}/TamzoFirst.txt")
  return()
endif()
file(GLOB delivered "${SOURCE_DIR}/Links.*" "${SOURCE_DIR}/Lang_*.txt"
                    "${SOURCE_DIR}/template.doc" "${SOURCE_DIR}/templateh.doc"
                    "${SOURCE_DIR}/*.pdf" "${SOURCE_DIR}/*.html")
file(COPY ${delivered} DESTINATION "${APP_DIR}")
file(WRITE "${APP_DIR}/TamzoFirst.txt" "")
message(STATUS "Staged the first-run installation in ${APP_DIR}")
