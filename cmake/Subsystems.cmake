# One library per subsystem folder of src/, each seeing only its own folder
# and the folders of the subsystems below it.
#
#   kva_subsystem(<name> [FOLDER <folder>] [SEES <name>...])
#
# declares the library kva_<name> for src/<folder> (the folder defaults to
# the name; a subsystem's Windows-only part, such as platform_win32, names
# its folder). The library links the libraries of the subsystems it sees.
# Its include root, a folder in the build tree, holds one link per visible
# folder (platform -> src/platform, ...) and nothing else, so that an
# include that runs upward names a file that is not there and does not
# compile. Includes stay written from src/ ("platform/Text.h").
function(kva_subsystem name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "FOLDER" "SEES")
  if(NOT arg_FOLDER)
    set(arg_FOLDER "${name}")
  endif()

  set(folders "${arg_FOLDER}")
  foreach(seen IN LISTS arg_SEES)
    get_property(seen_folders GLOBAL PROPERTY "KVA_SUBSYSTEM_FOLDERS_${seen}")
    if(NOT seen_folders)
      message(FATAL_ERROR "kva_subsystem(${name}): declare ${seen} before the subsystems that see it")
    endif()
    list(APPEND folders ${seen_folders})
  endforeach()
  list(REMOVE_DUPLICATES folders)
  set_property(GLOBAL PROPERTY "KVA_SUBSYSTEM_FOLDERS_${name}" "${folders}")

  set(root "${CMAKE_BINARY_DIR}/include-roots/kva_${name}")
  file(REMOVE_RECURSE "${root}")
  file(MAKE_DIRECTORY "${root}")
  foreach(folder IN LISTS folders)
    file(CREATE_LINK "${PROJECT_SOURCE_DIR}/src/${folder}" "${root}/${folder}" SYMBOLIC)
  endforeach()

  list(TRANSFORM arg_SEES PREPEND kva_ OUTPUT_VARIABLE seen_libraries)
  add_library(kva_${name} STATIC)
  target_include_directories(kva_${name} PUBLIC "${root}")
  target_link_libraries(kva_${name} PUBLIC ${seen_libraries})
endfunction()
