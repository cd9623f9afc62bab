# Target helpers shared by every folder.
#
# Each source folder is one static library made of the .cpp files in it (not its subfolders;
# those are added as folders of their own).
# Each test folder is one test program made of the .cpp files in it; every GoogleTest case becomes
# its own CTest test, so ctest runs them in parallel.

set(OSTREL_TEST_LAUNCHER "${CMAKE_SOURCE_DIR}/scripts/with-session-bus")

# ostrel_library(<name> [DEPS <targets...>])
function(ostrel_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp" "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC "${CMAKE_SOURCE_DIR}/src")
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  ostrel_use_precompiled_headers(${name} CODE)
  ostrel_add_subdirectories()
endfunction()

# ostrel_test(<name> [GUI] [BUS] [WEBENGINE] [DEPS <targets...>])
#   GUI: the program runs a QApplication (offscreen); otherwise a QCoreApplication.
#   BUS: every test runs under its own dbus-run-session and XDG_RUNTIME_DIR (scripts/with-session-bus).
#   WEBENGINE: the tests may start the browser engine: AddressSanitizer's new_delete_type_mismatch
#     check is off for them (Qt WebEngine 6.4 trips it inside its own code). The tests switch the
#     engine's sandbox off themselves (QTWEBENGINE_DISABLE_SANDBOX: they may run as root).
function(ostrel_test name)
  cmake_parse_arguments(ARG "GUI;BUS;WEBENGINE" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp" "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
  add_executable(${name} ${sources})
  if(ARG_GUI)
    target_link_libraries(${name} PRIVATE ostrel_test_main_gui)
  else()
    target_link_libraries(${name} PRIVATE ostrel_test_main_core)
  endif()
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} ostrel_test_support GTest::gtest GTest::gmock)
  ostrel_use_precompiled_headers(${name} TEST)
  if(ARG_BUS)
    set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR "${OSTREL_TEST_LAUNCHER}")
  endif()
  # Every property value is a single entry: gtest_discover_tests passes its properties on as one
  # flat list, so a value that is itself a list would be taken apart. (The programs find the build
  # tree's bin/ folder on their own: testing_paths::binDir.)
  set(properties ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120)
  if(ARG_WEBENGINE)
    list(APPEND properties ENVIRONMENT_MODIFICATION "ASAN_OPTIONS=string_append::new_delete_type_mismatch=0")
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ${properties})
  ostrel_add_subdirectories()
endfunction()

# ostrel_bench(<name> [DEPS <targets...>]): one Google Benchmark program from the folder's .cpp files.
function(ostrel_bench name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} benchmark::benchmark)
  ostrel_use_precompiled_headers(${name} CODE)
  ostrel_add_subdirectories()
endfunction()
