# The release a user unzips: Tavrin-<version>-win64.zip with the stripped tavrin.exe,
# a README.txt for users and the licence, made by `cmake --build --preset mingw
# --target package`.
install(TARGETS tavrin RUNTIME DESTINATION .)
configure_file(${PROJECT_SOURCE_DIR}/packaging/README.txt ${PROJECT_BINARY_DIR}/packaging/README.txt @ONLY
               NEWLINE_STYLE CRLF)
configure_file(${PROJECT_SOURCE_DIR}/LICENSE.txt ${PROJECT_BINARY_DIR}/packaging/LICENSE.txt COPYONLY)
install(FILES ${PROJECT_BINARY_DIR}/packaging/README.txt ${PROJECT_BINARY_DIR}/packaging/LICENSE.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Tavrin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME Tavrin-${PROJECT_VERSION}-win64)
set(CPACK_STRIP_FILES ON)
include(CPack)
