# Helpers shared by every folder's CMakeLists.

include_guard(GLOBAL)

# zemblo_library(<name> [QT] SOURCES <files...> [DEPS <targets...>])
# A static library of one subsystem. Core libraries must not link Qt; QT marks the Qt side.
function(zemblo_library name)
  cmake_parse_arguments(ARG "QT" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}/src")
  if(ARG_DEPS)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  endif()
  if(ARG_QT)
    target_link_libraries(${name} PUBLIC Qt6::Core Qt6::Gui Qt6::Widgets)
  else()
    set_target_properties(${name} PROPERTIES AUTOMOC OFF)
  endif()
endfunction()

# zemblo_add_resources(<target> <group> <NAME> <file> [<NAME> <file> ...])
# Compiles raw data files into <target> as named resources. The generated source defines
# `void zemblo::RegisterResources_<group>()`, which puts them into the registry read by
# FindResource(); the code that needs them calls it once, which also keeps the linker from
# dropping the data.
function(zemblo_add_resources target group)
  set(pairs ${ARGN})
  set(out "${CMAKE_CURRENT_BINARY_DIR}/res_${group}.cpp")
  set(files "")
  set(args "")
  while(pairs)
    list(POP_FRONT pairs rname rfile)
    get_filename_component(rfile "${rfile}" ABSOLUTE)
    list(APPEND files "${rfile}")
    list(APPEND args "${rname}=${rfile}")
  endwhile()
  string(REPLACE ";" "|" argtext "${args}")
  add_custom_command(
    OUTPUT "${out}"
    COMMAND ${CMAKE_COMMAND} "-DGROUP=${group}" "-DOUT=${out}" "-DITEMS=${argtext}"
            -P "${PROJECT_SOURCE_DIR}/cmake/EmbedResources.cmake"
    DEPENDS ${files} "${PROJECT_SOURCE_DIR}/cmake/EmbedResources.cmake"
    COMMENT "Embedding resources ${group}"
    VERBATIM)
  target_sources(${target} PRIVATE "${out}")
endfunction()

# zemblo_gtest(<name> SOURCES <files...> [LIBS <targets...>] [QT])
# A GoogleTest executable whose tests ctest discovers when it runs (never at build time:
# a test binary that makes a QApplication must not run without the test environment).
# QT gives it a main() that creates the QApplication (offscreen by default).
function(zemblo_gtest name)
  cmake_parse_arguments(ARG "QT" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  if(ARG_QT)
    target_link_libraries(${name} PRIVATE zemblo_testmain_qt ${ARG_LIBS} GTest::gtest Qt6::Test)
  else()
    target_link_libraries(${name} PRIVATE zemblo_testmain ${ARG_LIBS} GTest::gtest)
    set_target_properties(${name} PROPERTIES AUTOMOC OFF)
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    # One variable only: a list here is split into separate properties. The rest of the test
    # environment is set by the test mains (PrepareTestEnvironment).
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# zemblo_fuzz_target(<name> SOURCE <file> [LIBS <targets...>] [CORPUS <dir>])
# With ZEMBLO_FUZZ, a libFuzzer program fuzz_<name>. With ZEMBLO_TESTS, a plain program
# replay_<name> that feeds every file of the corpus to the same entry point, run by ctest.
function(zemblo_fuzz_target name)
  cmake_parse_arguments(ARG "" "SOURCE;CORPUS" "LIBS" ${ARGN})
  if(NOT ARG_CORPUS)
    set(ARG_CORPUS "${CMAKE_CURRENT_SOURCE_DIR}/corpus/${name}")
  endif()
  if(ZEMBLO_FUZZ)
    add_executable(fuzz_${name} ${ARG_SOURCE})
    target_link_libraries(fuzz_${name} PRIVATE ${ARG_LIBS})
    target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
    set_target_properties(fuzz_${name} PROPERTIES AUTOMOC OFF)
  endif()
  if(ZEMBLO_TESTS)
    add_executable(replay_${name} ${ARG_SOURCE} "${PROJECT_SOURCE_DIR}/fuzz/replay_main.cpp")
    target_link_libraries(replay_${name} PRIVATE ${ARG_LIBS})
    set_target_properties(replay_${name} PROPERTIES AUTOMOC OFF)
    add_test(NAME fuzz_replay_${name} COMMAND replay_${name} "${ARG_CORPUS}")
  endif()
endfunction()
