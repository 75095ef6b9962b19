# What `cmake --install` puts where, and the two ways hosts find it: the CMake
# package Linkwatch (imported target Linkwatch::Linkwatch) and pkg-config's
# linkwatch.pc. Layout under the prefix (docs/packaging.md):
#   lib/libOSTLNK9.so*, lib/OSTLNK9.cfg        the library and its statistics file
#   include/linkwatch/<folder>/*.h              the headers, as in src/
#   share/linkwatch/mibs, share/linkwatch/catalog   the library's data
#   lib/cmake/Linkwatch, lib/pkgconfig/linkwatch.pc
#   bin/<host> (and bin/<host>.cfg for a host that carries the library inside)
include(CMakePackageConfigHelpers)

set(LINKWATCH_DATA_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/linkwatch)
set(LINKWATCH_CMAKE_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Linkwatch)
set(LINKWATCH_HEADER_INSTALL_DIR ${CMAKE_INSTALL_INCLUDEDIR}/linkwatch)

# The library with its statistics file beside it.
install(TARGETS OSTLNK9 EXPORT LinkwatchTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(FILES ${PROJECT_SOURCE_DIR}/data/OSTLNK9.cfg DESTINATION ${CMAKE_INSTALL_LIBDIR})

# Headers keep the source layout below include/linkwatch, so the library's own
# includes ("control/InterfaceList.h") resolve and hosts may write
# <linkwatch/control/InterfaceList.h>. Adapter headers come along: the host
# platform, the Qt services, the grid and the widgets are what a host places.
set(header_folders components common model statistics table control server library)
foreach(adapter ${LINKWATCH_ADAPTERS})
  if(TARGET linkwatch_${adapter})
    list(APPEND header_folders platform/${adapter})
  endif()
endforeach()
foreach(folder ${header_folders})
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/src/${folder}/
    DESTINATION ${LINKWATCH_HEADER_INSTALL_DIR}/${folder}
    FILES_MATCHING PATTERN "*.h")
endforeach()

# The MIB catalogue and the device catalogue's tables; the adapters look for them
# in ../share/linkwatch from the folder of the module that holds their code.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/mibs ${PROJECT_SOURCE_DIR}/data/catalog
  DESTINATION ${LINKWATCH_DATA_INSTALL_DIR})

# Host programs. One that links the shared library finds it through its run path;
# one that carries the library's code inside itself reads its statistics file
# beside itself under its own name (bin/linkwatch.cfg).
foreach(host linkwatch linkwatch-desktop linkwatch-exporter)
  if(NOT TARGET ${host})
    continue()
  endif()
  get_target_property(host_links ${host} LINK_LIBRARIES)
  if(OSTLNK9 IN_LIST host_links OR Linkwatch::Linkwatch IN_LIST host_links)
    file(RELATIVE_PATH bin_to_lib /${CMAKE_INSTALL_BINDIR} /${CMAKE_INSTALL_LIBDIR})
    set_target_properties(${host} PROPERTIES INSTALL_RPATH "$ORIGIN/${bin_to_lib}")
  else()
    get_target_property(host_name ${host} OUTPUT_NAME)
    if(NOT host_name)
      set(host_name ${host})
    endif()
    install(FILES ${PROJECT_SOURCE_DIR}/data/OSTLNK9.cfg
      DESTINATION ${CMAKE_INSTALL_BINDIR} RENAME ${host_name}.cfg)
  endif()
  install(TARGETS ${host} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endforeach()

# The Qt modules the library's link interface names, for both package files.
get_target_property(library_links OSTLNK9 INTERFACE_LINK_LIBRARIES)
set(LINKWATCH_QT_COMPONENTS)
foreach(link ${library_links})
  if(link MATCHES "^Qt6::(.+)$")
    list(APPEND LINKWATCH_QT_COMPONENTS ${CMAKE_MATCH_1})
  endif()
endforeach()

# The CMake package.
string(REPLACE ";" " " LINKWATCH_QT_COMPONENTS_LIST "${LINKWATCH_QT_COMPONENTS}")
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/LinkwatchConfig.cmake.in
  ${PROJECT_BINARY_DIR}/cmake/LinkwatchConfig.cmake
  INSTALL_DESTINATION ${LINKWATCH_CMAKE_INSTALL_DIR}
  PATH_VARS LINKWATCH_DATA_INSTALL_DIR CMAKE_INSTALL_LIBDIR)
# Before 1.0 a minor version may change the library's interface.
write_basic_package_version_file(${PROJECT_BINARY_DIR}/cmake/LinkwatchConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMinorVersion)
install(EXPORT LinkwatchTargets NAMESPACE Linkwatch::
  DESTINATION ${LINKWATCH_CMAKE_INSTALL_DIR})
install(FILES ${PROJECT_BINARY_DIR}/cmake/LinkwatchConfig.cmake
  ${PROJECT_BINARY_DIR}/cmake/LinkwatchConfigVersion.cmake
  DESTINATION ${LINKWATCH_CMAKE_INSTALL_DIR})

# pkg-config, relocatable: the prefix is found from the .pc file's own folder.
file(RELATIVE_PATH LINKWATCH_PC_TO_PREFIX /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
list(TRANSFORM LINKWATCH_QT_COMPONENTS PREPEND Qt6 OUTPUT_VARIABLE pc_qt_modules)
string(REPLACE ";" " " LINKWATCH_PC_QT_MODULES "${pc_qt_modules}")
configure_file(${PROJECT_SOURCE_DIR}/cmake/linkwatch.pc.in
  ${PROJECT_BINARY_DIR}/cmake/linkwatch.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/cmake/linkwatch.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

# Everything the install rules pick up from the build: the library and whatever
# the host programs' folders build (programs, the Designer plugin).
add_custom_target(linkwatch_installables)
add_dependencies(linkwatch_installables OSTLNK9)
file(GLOB app_dirs LIST_DIRECTORIES true ${PROJECT_SOURCE_DIR}/apps/*)
foreach(dir ${app_dirs})
  if(IS_DIRECTORY ${dir} AND EXISTS ${dir}/CMakeLists.txt)
    get_property(app_targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(app_target ${app_targets})
      get_target_property(app_type ${app_target} TYPE)
      if(NOT app_type STREQUAL "INTERFACE_LIBRARY")
        add_dependencies(linkwatch_installables ${app_target})
      endif()
    endforeach()
  endif()
endforeach()

# The install test installs this build, then builds the example host against it.
if(TARGET packaging_tests)
  add_dependencies(packaging_tests linkwatch_installables)
  find_program(LINKWATCH_PKG_CONFIG pkg-config)
  target_compile_definitions(packaging_tests PRIVATE
    LINKWATCH_BUILD_DIR="${PROJECT_BINARY_DIR}"
    LINKWATCH_CMAKE_COMMAND="${CMAKE_COMMAND}"
    LINKWATCH_CMAKE_GENERATOR="${CMAKE_GENERATOR}"
    LINKWATCH_CXX_COMPILER="${CMAKE_CXX_COMPILER}"
    LINKWATCH_PKG_CONFIG="${LINKWATCH_PKG_CONFIG}"
    LINKWATCH_INSTALL_LIBDIR="${CMAKE_INSTALL_LIBDIR}"
    LINKWATCH_HAS_CLI=$<BOOL:$<TARGET_EXISTS:linkwatch>>
    LINKWATCH_HAS_EXPORTER=$<BOOL:$<TARGET_EXISTS:linkwatch-exporter>>)
endif()
