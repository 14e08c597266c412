# kesma_add_program(<target> LEVEL asInvoker|highestAvailable|requireAdministrator
#                   FORMS <library> [DESCRIPTION <text>] [ICON <file.ico>] [CLASSIC_CONTROLS]
#                   SOURCES <src>...)
#
# A Windows GUI program (WIN32 subsystem): its portable forms library linked with the Win32
# backend and adapters, and its resources: the program icon as icon 1,
# a manifest (common controls 6, DPI aware, the execution level UAC starts it with) and a
# version resource 7.3. Every program names its level; docs/architecture.md says why.
# CLASSIC_CONTROLS leaves out common controls 6: the controls are drawn unthemed and the
# process never loads comctl32, which costs a resident program about 1.7 MB of private
# memory. The executable is named after the target ("Kesmapan" -> Kesmapan.exe).
include_guard(DIRECTORY)
enable_language(RC)

set(KESMA_PROGRAM_RES_DIR ${CMAKE_CURRENT_LIST_DIR}/../src/ui/win32/res)

function(kesma_add_program target)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "CLASSIC_CONTROLS" "DESCRIPTION;FORMS;ICON;LEVEL" "SOURCES")
  if(NOT ARG_DESCRIPTION)
    set(ARG_DESCRIPTION "TouchScreen ${target}")
  endif()
  if(NOT ARG_LEVEL MATCHES "^(asInvoker|highestAvailable|requireAdministrator)$")
    message(FATAL_ERROR "kesma_add_program(${target}): LEVEL asInvoker, highestAvailable or requireAdministrator")
  endif()
  if(NOT ARG_FORMS)
    message(FATAL_ERROR "kesma_add_program(${target}): FORMS names the program's forms library")
  endif()
  if(NOT ARG_ICON)
    set(ARG_ICON ${KESMA_PROGRAM_RES_DIR}/kesma.ico)
  endif()
  get_filename_component(icon "${ARG_ICON}" ABSOLUTE)

  if(ARG_CLASSIC_CONTROLS)
    set(KESMA_PROGRAM_CONTROLS "")
  else()
    set(KESMA_PROGRAM_CONTROLS [=[  <dependency>
    <dependentAssembly>
      <assemblyIdentity type="win32" name="Microsoft.Windows.Common-Controls" version="6.0.0.0"
                        processorArchitecture="*" publicKeyToken="6595b64144ccf1df" language="*"/>
    </dependentAssembly>
  </dependency>
]=])
  endif()
  set(KESMA_PROGRAM_NAME ${target})
  set(KESMA_PROGRAM_DESCRIPTION ${ARG_DESCRIPTION})
  set(KESMA_PROGRAM_LEVEL ${ARG_LEVEL})
  set(KESMA_PROGRAM_ICON ${icon})
  set(KESMA_PROGRAM_MANIFEST ${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest)
  configure_file(${KESMA_PROGRAM_RES_DIR}/program.manifest.in ${KESMA_PROGRAM_MANIFEST} @ONLY)
  configure_file(${KESMA_PROGRAM_RES_DIR}/program.rc.in ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc @ONLY)

  add_executable(${target} WIN32 ${ARG_SOURCES} ${ARG_UNPARSED_ARGUMENTS}
                 ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  # windres does not see the files the script names; rebuild when they change.
  set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/${target}.rc PROPERTIES
                              OBJECT_DEPENDS "${icon};${KESMA_PROGRAM_MANIFEST}")
  target_link_libraries(${target} PRIVATE ${ARG_FORMS} kesma_ui_win32 kesma_platform_win32)
endfunction()
