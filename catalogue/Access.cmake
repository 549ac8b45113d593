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
    file(GLOB access_tests CONFIGURE_DEPENDS ${LUMEO_ACCESS_TESTS_DIR}/tst_access*.cpp)
    foreach(test_source IN LISTS access_tests)
        get_filename_component(test_name ${test_source} NAME_WE)
        if(TARGET ${test_name})
            target_link_libraries(${test_name} PRIVATE jet4writer)
            # Tests convert through the import program as the catalogue program does, so it
            # goes beside them too.
            add_custom_target(${test_name}_import_program
                COMMAND ${CMAKE_COMMAND} -E copy_if_different
                        $<TARGET_FILE:lumeo-access-import> $<TARGET_FILE_DIR:${test_name}>
                DEPENDS lumeo-access-import)
            add_dependencies(${test_name} ${test_name}_import_program)
        endif()
    endforeach()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR} CALL lumeo_access_link_late)
