# What keeps the build fast on a small machine (scripts/ci-time measures it):
#
# - Unity builds: each target's .cpp files are compiled as a few merged translation units
#   (CMAKE_UNITY_BUILD_BATCH_SIZE files each), so the headers they share are parsed once per batch.
#   Names in anonymous namespaces and file-local macros of the files of one folder must therefore
#   not clash; a file that cannot be merged gets the source property SKIP_UNITY_BUILD_INCLUSION.
#   AUTOMOC's output is compiled as AUTOMOC makes it.
# - Precompiled headers: the Qt, standard and GoogleTest headers most files include are compiled
#   once per build for each kind of target (no widgets, widgets, and the same two for tests) and
#   every target of that kind reuses them. -Winvalid-pch reports a target whose flags do not agree
#   with its kind's (the header would be parsed again in every file).
# - A faster linker (mold, else lld) when installed.
#
# -DCMAKE_UNITY_BUILD=OFF -DOSTREL_PCH=OFF gives the plain build, which checks that every file
# includes what it uses.

include_guard(GLOBAL)
include(CheckLinkerFlag)

# --- Linker
set(OSTREL_LINKER "auto" CACHE STRING "Linker: auto (mold, else lld, else the compiler's default), mold, lld or default")
set_property(CACHE OSTREL_LINKER PROPERTY STRINGS auto mold lld default)
set(_ostrel_linkers "${OSTREL_LINKER}")
if(OSTREL_LINKER STREQUAL "auto")
  set(_ostrel_linkers mold lld)
endif()
foreach(linker IN LISTS _ostrel_linkers)
  if(linker STREQUAL "default")
    break()
  endif()
  check_linker_flag(CXX "-fuse-ld=${linker}" OSTREL_LINKER_${linker}_WORKS)
  if(OSTREL_LINKER_${linker}_WORKS)
    add_link_options("-fuse-ld=${linker}")
    message(STATUS "Linking with ${linker}")
    break()
  elseif(NOT OSTREL_LINKER STREQUAL "auto")
    message(FATAL_ERROR "OSTREL_LINKER=${OSTREL_LINKER}, but the compiler cannot link with it")
  endif()
endforeach()

# --- Unity builds
set(CMAKE_UNITY_BUILD ON CACHE BOOL "Compile each target's sources as a few merged translation units")
set(CMAKE_UNITY_BUILD_BATCH_SIZE 8 CACHE STRING "Source files per merged translation unit (0: all of a target's)")
# A class deriving from a type in an anonymous namespace is only suspicious in a header; in a
# merged unit every .cpp looks like one (GoogleTest fixtures in anonymous namespaces).
add_compile_options("$<$<BOOL:$<TARGET_PROPERTY:UNITY_BUILD>>:-Wno-subobject-linkage>")

# --- Precompiled headers
option(OSTREL_PCH "Precompile the common Qt, standard and GoogleTest headers, once per kind of target" ON)

set(OSTREL_PCH_CORE_HEADERS
  <algorithm> <cstdint> <cstring> <functional> <memory> <optional> <vector>
  <QByteArray> <QCoreApplication> <QDateTime> <QDir> <QFile> <QFileInfo> <QHash> <QList>
  <QLoggingCategory> <QObject> <QPointer> <QString> <QStringList> <QTemporaryDir> <QTimer>
  <QVariant> <QVariantMap>)
set(OSTREL_PCH_WIDGETS_HEADERS
  <QAction> <QApplication> <QDialog> <QHBoxLayout> <QImage> <QLabel> <QLineEdit> <QMenu>
  <QPainter> <QPixmap> <QPushButton> <QTabWidget> <QVBoxLayout> <QWidget>)
set(OSTREL_PCH_TEST_HEADERS <gtest/gtest.h>)

# ostrel_use_precompiled_headers(<target> CODE|TEST): the target takes the precompiled headers of
# its kind (decided once every target exists: it is a widgets target when it links Qt widgets).
function(ostrel_use_precompiled_headers target role)
  if(OSTREL_PCH)
    set_property(GLOBAL APPEND PROPERTY OSTREL_PCH_USERS "${target}:${role}")
  endif()
endfunction()

# True in <out> when <target> links Qt6::Widgets, directly or through the libraries it links.
function(_ostrel_links_widgets target out)
  set(seen "")
  set(queue "${target}")
  while(queue)
    list(POP_FRONT queue current)
    if(current IN_LIST seen)
      continue()
    endif()
    list(APPEND seen "${current}")
    if(current STREQUAL "Qt6::Widgets")
      set(${out} TRUE PARENT_SCOPE)
      return()
    endif()
    if(NOT TARGET "${current}")
      continue()
    endif()
    get_target_property(imported "${current}" IMPORTED)
    if(imported)
      continue()
    endif()
    get_target_property(links "${current}" LINK_LIBRARIES)
    if(links)
      list(APPEND queue ${links})
    endif()
  endwhile()
  set(${out} FALSE PARENT_SCOPE)
endfunction()

# True in <out> when one of the target's headers declares a class for moc.
function(_ostrel_headers_have_meta_objects target out)
  get_target_property(sources "${target}" SOURCES)
  get_target_property(source_dir "${target}" SOURCE_DIR)
  foreach(source IN LISTS sources)
    if(source MATCHES "\\.h$")
      if(NOT IS_ABSOLUTE "${source}")
        set(source "${source_dir}/${source}")
      endif()
      file(STRINGS "${source}" hits REGEX "Q_OBJECT|Q_GADGET|Q_NAMESPACE")
      if(hits)
        set(${out} TRUE PARENT_SCOPE)
        return()
      endif()
    endif()
  endforeach()
  set(${out} FALSE PARENT_SCOPE)
endfunction()

# The target that compiles the headers of one kind; every other target of the kind reuses them.
function(_ostrel_pch_owner kind out)
  set(owner "ostrel_pch_${kind}")
  set(${out} "${owner}" PARENT_SCOPE)
  if(TARGET "${owner}")
    return()
  endif()
  set(source "${CMAKE_BINARY_DIR}/pch/${owner}.cpp")
  file(CONFIGURE OUTPUT "${source}" CONTENT "// The precompiled headers of ${owner}; no code.\n")
  add_library("${owner}" OBJECT "${source}")
  set_target_properties("${owner}" PROPERTIES UNITY_BUILD OFF AUTOMOC OFF)
  set(headers ${OSTREL_PCH_CORE_HEADERS})
  target_link_libraries("${owner}" PRIVATE Qt6::Core)
  if(kind MATCHES "widgets")
    list(APPEND headers ${OSTREL_PCH_WIDGETS_HEADERS})
    target_link_libraries("${owner}" PRIVATE Qt6::Widgets)
  endif()
  if(kind MATCHES "^test")
    list(APPEND headers ${OSTREL_PCH_TEST_HEADERS})
    target_link_libraries("${owner}" PRIVATE GTest::gtest)
  endif()
  target_precompile_headers("${owner}" PRIVATE ${headers})
endfunction()

function(_ostrel_assign_precompiled_headers)
  get_property(users GLOBAL PROPERTY OSTREL_PCH_USERS)
  foreach(entry IN LISTS users)
    string(REPLACE ":" ";" entry "${entry}")
    list(GET entry 0 target)
    list(GET entry 1 role)
    _ostrel_links_widgets("${target}" widgets)
    set(kind "core")
    if(widgets)
      set(kind "widgets")
    endif()
    if(role STREQUAL "TEST")
      set(kind "test_${kind}")
    endif()
    _ostrel_pch_owner("${kind}" owner)
    set_target_properties("${target}" PROPERTIES PRECOMPILE_HEADERS_REUSE_FROM "${owner}")
    # AUTOMOC's file that compiles the moc output of the target's headers is empty when no header
    # declares a meta-object; loading the precompiled headers would then cost more than the file.
    # (Only speed depends on this guess, so a header that gains a Q_OBJECT later is still fine.)
    _ostrel_headers_have_meta_objects("${target}" has_moc)
    if(NOT has_moc)
      get_target_property(binary_dir "${target}" BINARY_DIR)
      set_source_files_properties("${binary_dir}/${target}_autogen/mocs_compilation.cpp"
        TARGET_DIRECTORY "${target}" PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
    endif()
  endforeach()
endfunction()

if(OSTREL_PCH)
  add_compile_options(-Winvalid-pch)
  cmake_language(DEFER DIRECTORY "${CMAKE_SOURCE_DIR}" CALL _ostrel_assign_precompiled_headers)
endif()
