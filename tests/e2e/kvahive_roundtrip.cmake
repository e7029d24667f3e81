# kvahive.exe under Wine: a .reg file with every value type goes into a
# hive file and comes back as the expected export; that export imports into
# the same hive again; the built-in catalogue (UTF-16 with a mark) imports;
# bad files fail with their line and leave an existing hive file alone; no
# temporary key stays behind. Wine keeps values sorted by name, and so is
# the expected export.
#
#   cmake -DEMULATOR=<wine-run> -DKVAHIVE=<kvahive.exe> -DDATA=<tests/data>
#         -DCATALOGUE=<catalogue.reg> -DWORK=<folder> -DWINEPREFIX=<prefix>
#         -P kvahive_roundtrip.cmake

set(ENV{WINEPREFIX} "${WINEPREFIX}")
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(COPY "${DATA}/all_types.reg" "${DATA}/bad_dword.reg" "${DATA}/outside_base.reg"
     DESTINATION "${WORK}")
file(COPY_FILE "${CATALOGUE}" "${WORK}/catalogue.reg")

# Runs kvahive in WORK with the arguments after out (a file for standard
# output, or ""); sets rc and err. Output goes through files, not pipes: the
# wineserver that a run starts would hold a pipe open for seconds after.
function(kvahive out)
  if(NOT out)
    set(out stdout.txt)
  endif()
  execute_process(COMMAND "${EMULATOR}" "${KVAHIVE}" ${ARGN}
                  WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE rc
                  OUTPUT_FILE "${WORK}/${out}" ERROR_FILE "${WORK}/stderr.txt")
  file(READ "${WORK}/stderr.txt" err)
  set(rc "${rc}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

function(expect_success what)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${what}: exit code ${rc}\n${err}")
  endif()
endfunction()

function(expect_same_file actual expected)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${actual}" "${expected}"
                  RESULT_VARIABLE different)
  if(different)
    file(READ "${actual}" text)
    message(FATAL_ERROR "${actual} differs from ${expected}:\n${text}")
  endif()
endfunction()

kvahive("" import all_types.reg all_types.dat)
expect_success("import all_types.reg")
if(NOT EXISTS "${WORK}/all_types.dat" OR EXISTS "${WORK}/all_types.dat.new")
  message(FATAL_ERROR "import left no hive file, or its .new file")
endif()
kvahive(export.reg export all_types.dat)
expect_success("export all_types.dat")
expect_same_file("${WORK}/export.reg" "${DATA}/all_types.expected.reg")

kvahive("" import export.reg again.dat)
expect_success("import of the export")
kvahive(again.reg export again.dat --key "HKEY_LOCAL_MACHINE\\all_types")
expect_success("export again.dat --key")
expect_same_file("${WORK}/again.reg" "${DATA}/all_types.expected.reg")

kvahive("" import catalogue.reg catalogue.dat)
expect_success("import of the built-in catalogue")
kvahive(catalogue_export.reg export catalogue.dat)
expect_success("export of the built-in catalogue")

foreach(bad bad_dword outside_base)
  file(COPY_FILE "${WORK}/all_types.dat" "${WORK}/kept.dat")
  kvahive("" import ${bad}.reg kept.dat)
  if(rc EQUAL 0 OR NOT err MATCHES "kvahive: ${bad}.reg line [0-9]+: ")
    message(FATAL_ERROR "import ${bad}.reg: exit code ${rc}, message: ${err}")
  endif()
  expect_same_file("${WORK}/kept.dat" "${WORK}/all_types.dat")
  if(EXISTS "${WORK}/kept.dat.new")
    message(FATAL_ERROR "import ${bad}.reg left kept.dat.new")
  endif()
endforeach()

foreach(parent HKLM HKLM\\SOFTWARE)
  execute_process(COMMAND "${EMULATOR}" reg query "${parent}" WORKING_DIRECTORY "${WORK}"
                  OUTPUT_FILE "${WORK}/keys.txt" ERROR_QUIET)
  file(READ "${WORK}/keys.txt" keys)
  if(keys MATCHES "kvahive_")
    message(FATAL_ERROR "a temporary key stayed under ${parent}:\n${keys}")
  endif()
endforeach()

kvahive("")
if(NOT rc EQUAL 2)
  message(FATAL_ERROR "kvahive without arguments: exit code ${rc}, not 2")
endif()
