# cmake -DSCRIPT=<cmake/BuildVersion.cmake> -DWORK=<scratch folder> -P BuildVersionTest.cmake
#
# Runs the version script over three trees: a tarball's (no .git), the same tree unpacked inside
# another checkout (still no revision of its own), and a git checkout (its commit, "-dirty" once a
# tracked file changes). Each must give a header that names the version and the right revision.

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

function(expect_revision tree expected label)
  set(header "${WORK}/${label}.h")
  execute_process(COMMAND "${CMAKE_COMMAND}" -DSOURCE_DIR=${tree} -DVERSION=2.3.4 -DOUTPUT=${header} -P "${SCRIPT}"
                  RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${label}: the version script failed (${result})")
  endif()
  file(READ "${header}" text)
  if(NOT text MATCHES "#define OSTREL_VERSION \"2\\.3\\.4\"")
    message(FATAL_ERROR "${label}: no version in\n${text}")
  endif()
  if(NOT text MATCHES "#define OSTREL_REVISION \"${expected}\"")
    message(FATAL_ERROR "${label}: expected the revision ${expected} in\n${text}")
  endif()
endfunction()

# A tarball: no .git at all.
file(MAKE_DIRECTORY "${WORK}/tarball")
file(WRITE "${WORK}/tarball/CMakeLists.txt" "# tree\n")
expect_revision("${WORK}/tarball" "2\\.3\\.4" tarball)

find_program(GIT_PROGRAM git)
if(NOT GIT_PROGRAM)
  message("git is not installed: the checkout cases are skipped")
  cmake_language(EXIT 77)
endif()

function(git)
  execute_process(COMMAND "${GIT_PROGRAM}" ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out
                  OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_VARIABLE err)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "git ${ARGN}: ${err}")
  endif()
  set(git_output "${out}" PARENT_SCOPE)
endfunction()

set(checkout "${WORK}/checkout")
file(MAKE_DIRECTORY "${checkout}")
file(WRITE "${checkout}/CMakeLists.txt" "# tree\n")
git(-C "${checkout}" init -q)
git(-C "${checkout}" add CMakeLists.txt)
git(-C "${checkout}" -c user.name=Test -c user.email=test@example.invalid commit -q -m first)
git(-C "${checkout}" rev-parse --short=12 HEAD)
set(commit "${git_output}")

expect_revision("${checkout}" "${commit}" checkout)

# A tarball unpacked inside that checkout has no .git of its own: the version, not the commit.
file(MAKE_DIRECTORY "${checkout}/unpacked")
file(WRITE "${checkout}/unpacked/CMakeLists.txt" "# tree\n")
expect_revision("${checkout}/unpacked" "2\\.3\\.4" nested-tarball)

# A tracked file changed: the commit marked dirty.
file(APPEND "${checkout}/CMakeLists.txt" "# changed\n")
expect_revision("${checkout}" "${commit}-dirty" dirty)
