# A language module for the tests of the client library: LANG_KOR.so with Korean texts for a few
# ids of the library's string table (tests/modules/LANG_KOR.cpp); the tests copy it into the
# program folder they make.
ward_test_module(LANG_KOR LABEL nyraclient SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/tests/modules/LANG_KOR.cpp)

# The bed window's artwork: drawn at build time by a generator of our own into PNG files (kept in
# the build folder for people to look at) and a source file that carries them as resources of
# the library. The generator is a build helper, not part of the library.
get_target_property(_nyraclient_sources NyraClient SOURCES)
list(FILTER _nyraclient_sources EXCLUDE REGEX "/res/tools/[^/]*\\.cpp$")
set_property(TARGET NyraClient PROPERTY SOURCES ${_nyraclient_sources})

add_executable(nyraclient_make_artwork ${CMAKE_CURRENT_SOURCE_DIR}/res/tools/MakeBedArtwork.cpp)
set_target_properties(nyraclient_make_artwork PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
target_include_directories(nyraclient_make_artwork PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(nyraclient_make_artwork PRIVATE PkgConfig::PNG)

set(_nyraclient_artwork_dir ${CMAKE_CURRENT_BINARY_DIR}/artwork)
set(_nyraclient_artwork_source ${CMAKE_CURRENT_BINARY_DIR}/NyraClientBitmaps.cpp)
add_custom_command(
  OUTPUT ${_nyraclient_artwork_source}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${_nyraclient_artwork_dir}
  COMMAND nyraclient_make_artwork ${_nyraclient_artwork_source} ${_nyraclient_artwork_dir}
  DEPENDS nyraclient_make_artwork
  COMMENT "Drawing the bed window's artwork"
  VERBATIM)
target_sources(NyraClient PRIVATE ${_nyraclient_artwork_source})

# The alarm sound: a tone burst made at build time by a generator of our own into a source file
# that carries the wave as a resource of the library.
add_executable(nyraclient_make_sound ${CMAKE_CURRENT_SOURCE_DIR}/res/tools/MakeAlarmSound.cpp)
set_target_properties(nyraclient_make_sound PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
target_include_directories(nyraclient_make_sound PRIVATE ${PROJECT_SOURCE_DIR})

set(_nyraclient_sound_source ${CMAKE_CURRENT_BINARY_DIR}/NyraClientSounds.cpp)
add_custom_command(
  OUTPUT ${_nyraclient_sound_source}
  COMMAND nyraclient_make_sound ${_nyraclient_sound_source}
  DEPENDS nyraclient_make_sound
  COMMENT "Making the alarm sound"
  VERBATIM)
target_sources(NyraClient PRIVATE ${_nyraclient_sound_source})
