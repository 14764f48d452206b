# Installs the build BUILD into the scratch root ROOT with DESTDIR and checks
# that every file lands where the desktop (freedesktop.org) looks for it.
# SHELL tells whether the editor was built. Run by CTest with cmake -P.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/InstalledLayout.cmake)

file(REMOVE_RECURSE ${ROOT})
execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${ROOT}
                        ${CMAKE_COMMAND} --install ${BUILD} --prefix /usr
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${status}")
endif()
check_installed_layout(${ROOT} "${SHELL}")
file(REMOVE_RECURSE ${ROOT})
message(STATUS "installed layout checked")
