# The release package of one architecture: a zip, made by CPack, holding the stripped Tuvo.exe
# and the readme for Windows users. The debug information goes into a file of its own beside
# the build (Tuvo-<version>-<arch>.debug); the program names it in a debug link so a debugger
# finds it when it is put beside Tuvo.exe.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    set(TUVO_PACKAGE_ARCH win64)
    set(TUVO_PACKAGE_BITS 64)
else()
    set(TUVO_PACKAGE_ARCH win32)
    set(TUVO_PACKAGE_BITS 32)
endif()
set(TUVO_PACKAGE_NAME Tuvo-${PROJECT_VERSION}-${TUVO_PACKAGE_ARCH})
set(TUVO_DEBUG_FILE ${CMAKE_BINARY_DIR}/${TUVO_PACKAGE_NAME}.debug)

# objcopy stamps the header of each PE file it writes with SOURCE_DATE_EPOCH, or else with the
# current time; 0 leaves both files without a time, as the linker does.
set(objcopy ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=0 ${CMAKE_OBJCOPY})
add_custom_command(TARGET Tuvo POST_BUILD
    COMMAND ${objcopy} --only-keep-debug $<TARGET_FILE:Tuvo> ${TUVO_DEBUG_FILE}
    COMMAND ${objcopy} --strip-all --add-gnu-debuglink=${TUVO_DEBUG_FILE} $<TARGET_FILE:Tuvo>
    COMMENT "Moving the debug information of Tuvo.exe to ${TUVO_PACKAGE_NAME}.debug"
    VERBATIM)

# Notepad wants CRLF line ends; the readme names the version it ships with.
configure_file(${CMAKE_SOURCE_DIR}/res/README.txt.in ${CMAKE_BINARY_DIR}/README.txt
               @ONLY NEWLINE_STYLE CRLF)

install(TARGETS Tuvo RUNTIME DESTINATION .)
install(FILES ${CMAKE_BINARY_DIR}/README.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Tuvo)
set(CPACK_PACKAGE_VENDOR Quillbarrow)
set(CPACK_PACKAGE_FILE_NAME ${TUVO_PACKAGE_NAME})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
include(CPack)
