# Extra targets of libKTUtilEx: the generator of the stations' empty database.
#
# Programs under tools/ are build helpers, not part of the library: take them out of the
# library's sources (which are collected from every folder) and build them on their own.
get_target_property(_ktutilex_sources KTUtilEx SOURCES)
list(FILTER _ktutilex_sources EXCLUDE REGEX "/tools/[^/]*\\.cpp$")
set_property(TARGET KTUtilEx PROPERTY SOURCES ${_ktutilex_sources})

add_executable(ktutilex_make_database ${CMAKE_CURRENT_SOURCE_DIR}/tools/MakeDatabase.cpp)
set_target_properties(ktutilex_make_database PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
target_include_directories(ktutilex_make_database PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(ktutilex_make_database PRIVATE KTUtilEx)

# The empty database the programs copy into their data folder, beside the programs. The
# password is the stations' database password; the file keeps only its hash.
set(KTUTILEX_DATABASE_PASSWORD "vam38216")
set(_ktutilex_schema ${CMAKE_CURRENT_SOURCE_DIR}/schema/TarvicII.sql)
add_custom_command(
  OUTPUT ${WARD_BIN_DIR}/TarvicII.mdb
  COMMAND ktutilex_make_database ${WARD_BIN_DIR}/TarvicII.mdb ${_ktutilex_schema} ${KTUTILEX_DATABASE_PASSWORD}
  DEPENDS ktutilex_make_database ${_ktutilex_schema}
  COMMENT "Creating the empty database TarvicII.mdb"
  VERBATIM)
add_custom_target(ktutilex_template_database ALL DEPENDS ${WARD_BIN_DIR}/TarvicII.mdb)
# The test of the empty database reads the file itself; the test targets are made later in
# this folder's list file.
function(_ktutilex_tests_need_database)
  if(TARGET ktutilex_TemplateDatabaseTest)
    add_dependencies(ktutilex_TemplateDatabaseTest ktutilex_template_database)
  endif()
endfunction()
cmake_language(DEFER CALL _ktutilex_tests_need_database)
