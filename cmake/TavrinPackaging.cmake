# The portable release: "cmake --build --preset windows --target package" makes
# tavrin-<version>-win64.zip, holding tavrin.exe and the Japanese read-me (README.txt) at its top level:
# unpacked into a folder of its own, that folder is the portable installation.
configure_file("${PROJECT_SOURCE_DIR}/resources/release/README.txt.in" "${PROJECT_BINARY_DIR}/release/README.txt"
               @ONLY NEWLINE_STYLE CRLF)
install(TARGETS tavrin RUNTIME DESTINATION .)
install(FILES "${PROJECT_BINARY_DIR}/release/README.txt" DESTINATION .)

set(TAVRIN_RELEASE_NAME "tavrin-${PROJECT_VERSION}-win64")
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME tavrin)
set(CPACK_PACKAGE_VENDOR Tavrin)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_FILE_NAME "${TAVRIN_RELEASE_NAME}")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PACKAGE_DIRECTORY "${PROJECT_BINARY_DIR}")
set(CPACK_STRIP_FILES ON)
include(CPack)

# Where the zip lands, for its end-to-end test.
set(TAVRIN_RELEASE_ZIP "${PROJECT_BINARY_DIR}/${TAVRIN_RELEASE_NAME}.zip")
