# The layers are libraries, and the build holds each to what it may use.
# - Each library compiles against an include root that holds only the folders it may see (symlinks),
#   so a logic file that includes a window, or a subsystem that includes another's windows, does
#   not compile.
# - Includes that leave a library's folders ("../", an absolute path, and in the core or a logic
#   library a window's header) are refused before it compiles.
# - The core and the logic libraries see no Qt module but Core and Sql, and each links on its own
#   (all its objects in one program against only what it declares, built by default), so a use of
#   a widget, a window or another subsystem's logic fails the build however it was reached.

function(vx_include_roots target)
  set(root ${CMAKE_BINARY_DIR}/include/${target})
  file(MAKE_DIRECTORY ${root})
  foreach(folder ${ARGN})
    if(NOT EXISTS ${root}/${folder})
      file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${folder} ${root}/${folder} SYMBOLIC)
    endif()
  endforeach()
  target_include_directories(${target} PRIVATE ${root})
endfunction()

# Runs the include check over a library's own files before any of them compiles.
function(vx_check_includes target)
  cmake_parse_arguments(ARG "LOGIC" "" "" ${ARGN})
  set(stamp ${CMAKE_BINARY_DIR}/include/${target}.checked)
  set(logic OFF)
  if(ARG_LOGIC)
    set(logic ON)
  endif()
  set(files)
  foreach(f ${ARG_UNPARSED_ARGUMENTS})
    get_filename_component(f ${f} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    list(APPEND files ${f})
  endforeach()
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DLOGIC=${logic} -DSTAMP=${stamp}
      -P ${CMAKE_SOURCE_DIR}/cmake/check_includes.cmake -- ${files}
    DEPENDS ${CMAKE_SOURCE_DIR}/cmake/check_includes.cmake ${files}
    COMMENT "Checking the includes of ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE ${stamp})
endfunction()

# Qt's include root holds every module, so <QtWidgets/QPushButton> finds its header beside
# <QString>. The core and the logic libraries search a folder first in which every header of
# another module stops the compile.
get_target_property(vx_qt_dirs Qt6::Core INTERFACE_INCLUDE_DIRECTORIES)
foreach(dir ${vx_qt_dirs})
  if(dir MATCHES "/QtCore$")
    get_filename_component(vx_qt_root ${dir} DIRECTORY)
  endif()
endforeach()
if(NOT vx_qt_root)
  message(FATAL_ERROR "Qt Core's include folder was not found among: ${vx_qt_dirs}")
endif()
set(VX_QT_CORE_SQL_ONLY ${CMAKE_BINARY_DIR}/include/qt_core_sql_only)
file(GLOB vx_qt_modules LIST_DIRECTORIES true ${vx_qt_root}/Qt*)
foreach(module ${vx_qt_modules})
  get_filename_component(name ${module} NAME)
  if(NOT IS_DIRECTORY ${module} OR name MATCHES "^Qt(Core|Sql)$")
    continue()
  endif()
  file(GLOB headers LIST_DIRECTORIES false RELATIVE ${module} ${module}/*)
  foreach(header ${headers})
    set(shadow ${VX_QT_CORE_SQL_ONLY}/${name}/${header})
    if(NOT EXISTS ${shadow})
      file(WRITE ${shadow}
        "#error \"<${name}/${header}>: the core and the logic libraries use Qt Core and Sql only\"\n")
    endif()
  endforeach()
endforeach()

# The core or a subsystem's logic: SEES the source folders it includes, LINKS the libraries it may
# use. The program <target>_linkcheck includes every header of it and links all of its objects.
function(vx_logic_library target)
  cmake_parse_arguments(ARG "EXCLUDE_FROM_ALL" "" "SOURCES;SEES;LINKS" ${ARGN})
  set(exclude)
  if(ARG_EXCLUDE_FROM_ALL)
    set(exclude EXCLUDE_FROM_ALL)
  endif()
  add_library(${target} STATIC ${exclude} ${ARG_SOURCES})
  target_link_libraries(${target} PUBLIC ${ARG_LINKS})
  target_include_directories(${target} PRIVATE ${VX_QT_CORE_SQL_ONLY})
  vx_include_roots(${target} ${ARG_SEES})
  vx_check_includes(${target} LOGIC ${ARG_SOURCES})

  set(includes)
  foreach(f ${ARG_SOURCES})
    file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR}/src ${f})
    if(f MATCHES "\\.h$" AND NOT rel MATCHES "^\\.\\.")
      string(APPEND includes "#include \"${rel}\"\n")
    endif()
  endforeach()
  set(main ${CMAKE_BINARY_DIR}/linkcheck/${target}.cpp)
  file(CONFIGURE OUTPUT ${main} CONTENT "${includes}int main() { return 0; }\n" @ONLY)
  add_executable(${target}_linkcheck ${exclude} ${main})
  set_target_properties(${target}_linkcheck PROPERTIES AUTOMOC OFF
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/linkcheck)
  target_include_directories(${target}_linkcheck PRIVATE
    $<TARGET_PROPERTY:${target},INCLUDE_DIRECTORIES>)
  target_link_libraries(${target}_linkcheck PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${target}>")
endfunction()
