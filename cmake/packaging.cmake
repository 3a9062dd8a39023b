# What a Windows user downloads, made from the cross-built Tessary.exe by the target
# `package` (in build/windows/package/):
#
#   Tessary-<version>.msi            per-user installer (installer/tessary.wxs, wixl)
#   Tessary-<version>-portable.zip   Tessary.exe and a short README.txt
#   winget/*.yaml                    winget's manifest of the MSI, with its checksum
#   Tessary.debug                    the symbols, for crash analysis; never shipped
#
# The shipped exe is the build's Tessary.exe without its debug information. The tests
# package the `windows` preset's optimised build (-O2, NDEBUG): stripping it spares CI a
# second build of the program. Releases come from the `windows-release` preset (Release).
# Only the mingw-w64 cross-build packages; wixl and msibuild come from Debian's msitools.
if(NOT (MINGW AND CMAKE_CROSSCOMPILING))
  return()
endif()

set(TESSARY_DOWNLOAD_URL "https://quillfrost.example/tessary/download" CACHE STRING
  "Where the MSI is published: the winget manifest's download address, without the file name")

get_target_property(TESSARY_VERSION_TEXT Tessary TESSARY_VERSION_TEXT)
set(TESSARY_PACKAGE_DIR ${CMAKE_BINARY_DIR}/package)
set(TESSARY_MSI ${TESSARY_PACKAGE_DIR}/Tessary-${TESSARY_VERSION_TEXT}.msi)
set(TESSARY_ZIP ${TESSARY_PACKAGE_DIR}/Tessary-${TESSARY_VERSION_TEXT}-portable.zip)
# What ships: the stripped exe (and, in the zip, the README beside it).
set(TESSARY_SHIPPED_EXE ${TESSARY_PACKAGE_DIR}/stage/Tessary.exe)
set(TESSARY_ICON ${PROJECT_SOURCE_DIR}/src/platform/win32/resources/tessary.ico)
set(TESSARY_CLEANUP_DLL ${TESSARY_PACKAGE_DIR}/uninstall_cleanup.dll)
set(installer ${PROJECT_SOURCE_DIR}/installer)

# The installer's uninstall step (src/platform/win32/uninstall): built only for the MSI.
add_library(tessary_uninstall_cleanup MODULE EXCLUDE_FROM_ALL
  ${PROJECT_SOURCE_DIR}/src/platform/win32/uninstall/uninstall_cleanup_win32.cpp)
target_link_libraries(tessary_uninstall_cleanup PRIVATE tessary_platform_win32 tessary_warnings)

add_custom_command(OUTPUT ${TESSARY_SHIPPED_EXE} ${TESSARY_PACKAGE_DIR}/Tessary.debug
  COMMAND ${CMAKE_COMMAND} -E make_directory ${TESSARY_PACKAGE_DIR}/stage
  COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:Tessary> ${TESSARY_PACKAGE_DIR}/Tessary.debug
  COMMAND ${CMAKE_OBJCOPY} --strip-all --add-gnu-debuglink=${TESSARY_PACKAGE_DIR}/Tessary.debug
          $<TARGET_FILE:Tessary> ${TESSARY_SHIPPED_EXE}
  DEPENDS Tessary
  COMMENT "Stripping Tessary.exe (symbols kept in package/Tessary.debug)")

add_custom_command(OUTPUT ${TESSARY_CLEANUP_DLL}
  COMMAND ${CMAKE_OBJCOPY} --strip-all $<TARGET_FILE:tessary_uninstall_cleanup> ${TESSARY_CLEANUP_DLL}
  DEPENDS tessary_uninstall_cleanup)

file(GLOB winget_templates CONFIGURE_DEPENDS ${installer}/winget/*.yaml.in)
add_custom_command(OUTPUT ${TESSARY_MSI}
  COMMAND ${CMAKE_COMMAND} -DVERSION=${TESSARY_VERSION_TEXT} -DEXE=${TESSARY_SHIPPED_EXE}
          -DICON=${TESSARY_ICON} -DCLEANUP_DLL=${TESSARY_CLEANUP_DLL} -DOUTPUT=${TESSARY_MSI}
          -DMANIFEST_DIR=${TESSARY_PACKAGE_DIR}/winget -DDOWNLOAD_URL=${TESSARY_DOWNLOAD_URL}
          -P ${installer}/make_msi.cmake
  DEPENDS ${TESSARY_SHIPPED_EXE} ${TESSARY_CLEANUP_DLL} ${TESSARY_ICON} ${installer}/tessary.wxs
          ${installer}/make_msi.cmake ${winget_templates}
  COMMENT "Building Tessary-${TESSARY_VERSION_TEXT}.msi and its winget manifest")

configure_file(${installer}/README.txt.in ${TESSARY_PACKAGE_DIR}/stage/README.txt @ONLY)
add_custom_command(OUTPUT ${TESSARY_ZIP}
  COMMAND ${CMAKE_COMMAND} -E chdir ${TESSARY_PACKAGE_DIR}/stage
          ${CMAKE_COMMAND} -E tar cf ${TESSARY_ZIP} --format=zip Tessary.exe README.txt
  DEPENDS ${TESSARY_SHIPPED_EXE} ${TESSARY_PACKAGE_DIR}/stage/README.txt
  COMMENT "Building Tessary-${TESSARY_VERSION_TEXT}-portable.zip")

add_custom_target(package DEPENDS ${TESSARY_MSI} ${TESSARY_ZIP})

if(TESSARY_BUILD_TESTS)
  # The tests that look at the package build it first, once.
  add_test(NAME tessary_package_build
    COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target package)
  set_tests_properties(tessary_package_build PROPERTIES FIXTURES_SETUP tessary_package
    LABELS e2e TIMEOUT 300)
  # The built exe, the shipped one (stripping must not lose the hardening) and the DLL
  # that runs inside the installer.
  add_test(NAME tessary_unit_pe_hardening
    COMMAND ${CMAKE_COMMAND}
            "-DFILES=$<TARGET_FILE:Tessary>;${TESSARY_SHIPPED_EXE};${TESSARY_CLEANUP_DLL}"
            -P ${PROJECT_SOURCE_DIR}/tests/packaging/check_pe_hardening.cmake)
  set_tests_properties(tessary_unit_pe_hardening PROPERTIES FIXTURES_REQUIRED tessary_package
    LABELS unit TIMEOUT 60)
endif()
