# Helpers that give every deliverable the same shape:
#   ward_library(<target> DIRS <folders...> LINKS <targets...>)
#     a shared library from every .cpp below the folders (tests/ excluded);
#   ward_program(<target> DIRS <folders...> LINKS <targets...>)
#     a program, the same way;
#   ward_test_module(<name> LABEL <label> SOURCE <file>)
#     a module that tests load at run time (a language module, a resource or extension module):
#     <name>.so in build/test-modules/<label>/, never beside the programs, so no program picks
#     it up; tests find the folder with testkit::TestModuleFolder("<label>"). Every test program
#     of <label> is built after it. Call it before ward_tests of the same label.
#   ward_tests(<target> LABEL <label> [DIR <folder>] [LINKS <targets...>])
#     one test program per .cpp in <folder> (default tests/) or in its module subfolders, each
#     linked with the folder's support/ sources and the shared test kit (testkit/); support/ and
#     modules/ (the sources of test modules) hold no test programs; files named e2e_*.cpp also
#     carry the label e2e. Test programs land in build/tests/.

function(_ward_collect_sources out)
  set(sources)
  foreach(dir IN LISTS ARGN)
    file(GLOB_RECURSE found CONFIGURE_DEPENDS
         ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp)
    foreach(f IN LISTS found)
      file(RELATIVE_PATH rel ${CMAKE_CURRENT_SOURCE_DIR} ${f})
      if(NOT rel MATCHES "(^|/)tests/")
        list(APPEND sources ${f})
      endif()
    endforeach()
  endforeach()
  set(${out} ${sources} PARENT_SCOPE)
endfunction()

function(ward_library target)
  cmake_parse_arguments(W "" "" "DIRS;LINKS;PRIVATE" ${ARGN})
  if(NOT W_DIRS)
    set(W_DIRS .)
  endif()
  _ward_collect_sources(sources ${W_DIRS})
  add_library(${target} SHARED ${sources})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${target} PUBLIC ${W_LINKS} PRIVATE ${W_PRIVATE})
  target_link_options(${target} PRIVATE ${WARD_NO_UNDEFINED})
endfunction()

function(ward_program target)
  cmake_parse_arguments(W "" "" "DIRS;LINKS" ${ARGN})
  if(NOT W_DIRS)
    set(W_DIRS .)
  endif()
  _ward_collect_sources(sources ${W_DIRS})
  add_executable(${target} ${sources})
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${target} PRIVATE ${W_LINKS})
endfunction()

function(ward_test_module name)
  cmake_parse_arguments(W "" "LABEL;SOURCE" "" ${ARGN})
  set(target ${W_LABEL}_test_module_${name})
  add_library(${target} SHARED ${W_SOURCE})
  set_target_properties(${target} PROPERTIES PREFIX "" OUTPUT_NAME ${name}
                        LIBRARY_OUTPUT_DIRECTORY ${WARD_TEST_MODULE_DIR}/${W_LABEL})
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${target} PRIVATE Platform)
  target_link_options(${target} PRIVATE ${WARD_NO_UNDEFINED})
  set_property(GLOBAL APPEND PROPERTY WARD_TEST_MODULES_${W_LABEL} ${target})
endfunction()

function(ward_tests target)
  cmake_parse_arguments(W "" "LABEL;DIR" "LINKS" ${ARGN})
  if(NOT W_DIR)
    set(W_DIR tests)
  endif()
  set(dir ${CMAKE_CURRENT_SOURCE_DIR}/${W_DIR})
  file(GLOB_RECURSE tests CONFIGURE_DEPENDS ${dir}/*.cpp)
  list(FILTER tests EXCLUDE REGEX "/tests/(.*/)?(support|modules)/")
  get_property(test_modules GLOBAL PROPERTY WARD_TEST_MODULES_${W_LABEL})
  file(GLOB support CONFIGURE_DEPENDS ${dir}/support/*.cpp)
  set(support_lib "")
  if(support)
    set(support_lib ${W_LABEL}_test_support)
    add_library(${support_lib} STATIC ${support})
    target_include_directories(${support_lib} PUBLIC ${PROJECT_SOURCE_DIR} ${dir})
    target_link_libraries(${support_lib} PUBLIC ${target} ${W_LINKS} testkit GTest::gtest GTest::gmock)
  endif()
  foreach(test_src IN LISTS tests)
    get_filename_component(stem ${test_src} NAME_WE)
    set(exe ${W_LABEL}_${stem})
    add_executable(${exe} ${test_src} $<TARGET_OBJECTS:ward_test_environment>)
    set_target_properties(${exe} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    target_include_directories(${exe} PRIVATE ${PROJECT_SOURCE_DIR} ${dir})
    target_link_libraries(${exe} PRIVATE ${target} ${W_LINKS} ${support_lib} testkit
                          GTest::gtest_main GTest::gmock Threads::Threads)
    if(test_modules)
      add_dependencies(${exe} ${test_modules})
    endif()
    # NO_PRETTY_VALUES: a parameter without a printer would put its raw bytes (padding
    # included) into the test's name, which then changes from run to run.
    # The listing of a sanitizer build's tests on a busy machine may take longer than the
    # default 5 s, and a listing that times out fails every test of the program.
    gtest_discover_tests(${exe}
      NO_PRETTY_VALUES
      DISCOVERY_MODE PRE_TEST
      DISCOVERY_TIMEOUT 120
      WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/tests
      PROPERTIES LABELS ${W_LABEL})
    if(stem MATCHES "^e2e_")
      # The discovery script flattens list-valued properties, so the second label is set by a
      # script of our own that ctest runs after the discovered tests are known.
      set(label_script ${CMAKE_CURRENT_BINARY_DIR}/${exe}_labels.cmake)
      file(WRITE ${label_script}
        "if(DEFINED ${exe}_TESTS)\n  set_tests_properties(\${${exe}_TESTS} PROPERTIES LABELS \"${W_LABEL};e2e\")\nendif()\n")
      set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${label_script})
    endif()
  endforeach()
endfunction()
