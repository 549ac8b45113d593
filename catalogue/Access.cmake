# Access-format (Jet 3 / Jet 4) catalogue files, read with the mdbtools library and copied
# into SQLite files written through SQLite's own interface.
find_package(PkgConfig REQUIRED)
pkg_check_modules(LIBMDB REQUIRED IMPORTED_TARGET libmdb)
find_package(SQLite3 REQUIRED)
target_link_libraries(lumeo_core PRIVATE PkgConfig::LIBMDB SQLite::SQLite3)

# The conversion runs in this program, placed beside lumeo, so that damage the library
# cannot cope with ends a child process instead of the catalogue program.
add_executable(lumeo-access-import ${CMAKE_CURRENT_LIST_DIR}/AccessImportTool/main.cpp)
target_link_libraries(lumeo-access-import PRIVATE lumeo_core)

# Writes Jet 4 files from SQLite catalogues, for the tests and benchmarks of the import.
add_subdirectory(${CMAKE_CURRENT_LIST_DIR}/../tools/jet4writer ${CMAKE_BINARY_DIR}/tools/jet4writer)

# The program and the Access tests are defined after this file is read.
get_filename_component(LUMEO_ACCESS_TESTS_DIR ${CMAKE_CURRENT_LIST_DIR}/../tests ABSOLUTE)
function(lumeo_access_link_late)
    if(TARGET lumeo)
        add_dependencies(lumeo lumeo-access-import)
    endif()
    # Access files open through the import program, which the program looks for beside
    # itself: tests get it beside them too, copied by one target so copies never race.
    file(GLOB tests CONFIGURE_DEPENDS ${LUMEO_ACCESS_TESTS_DIR}/tst_*.cpp)
    set(test_targets)
    set(copy_commands)
    foreach(test_source IN LISTS tests)
        get_filename_component(test_name ${test_source} NAME_WE)
        if(TARGET ${test_name})
            list(APPEND test_targets ${test_name})
            list(APPEND copy_commands COMMAND ${CMAKE_COMMAND} -E copy_if_different
                 $<TARGET_FILE:lumeo-access-import> $<TARGET_FILE_DIR:${test_name}>)
        endif()
    endforeach()
    if(test_targets)
        add_custom_target(lumeo-access-import-beside-tests ${copy_commands} DEPENDS lumeo-access-import)
        foreach(test_name IN LISTS test_targets)
            add_dependencies(${test_name} lumeo-access-import-beside-tests)
            if(test_name MATCHES "^tst_access")
                target_link_libraries(${test_name} PRIVATE jet4writer)
            endif()
        endforeach()
    endif()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR} CALL lumeo_access_link_late)
