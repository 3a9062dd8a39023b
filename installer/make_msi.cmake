# Builds Tessary's MSI with wixl and writes the winget manifest for it. The package target
# runs it (cmake/packaging.cmake); the install test runs it again with a later build
# number to have an upgrade to install.
#
#   cmake -DVERSION=0.1.5.1 -DEXE=... -DICON=... -DCLEANUP_DLL=... -DOUTPUT=...msi
#         [-DMANIFEST_DIR=folder -DDOWNLOAD_URL=base] -P installer/make_msi.cmake
#
# VERSION is "major.minor.patch.build", the text of Tessary.exe's version resource.

foreach(required VERSION EXE ICON CLEANUP_DLL OUTPUT)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "make_msi.cmake needs -D${required}=...")
  endif()
endforeach()
find_program(WIXL wixl REQUIRED)
find_program(MSIINFO msiinfo REQUIRED)
find_program(MSIBUILD msibuild REQUIRED)

# Every version of Tessary shares the upgrade code: that is how a newer one finds the
# older one. The product code is made from the version, so the manifest knows it too.
set(upgrade_code 1BD881A5-144D-413D-8801-415D7315F966)
string(UUID product_code NAMESPACE ${upgrade_code} NAME "Tessary ${VERSION}" TYPE SHA1 UPPER)

get_filename_component(here "${CMAKE_CURRENT_LIST_FILE}" DIRECTORY)
# wixl takes the files it packs only by relative paths.
foreach(file EXE ICON CLEANUP_DLL)
  file(RELATIVE_PATH ${file}_relative ${here} ${${file}})
endforeach()
execute_process(
  COMMAND ${WIXL} --arch x64 --output ${OUTPUT}
          -D Version=${VERSION} -D ProductCode=${product_code} -D UpgradeCode=${upgrade_code}
          -D ExeFile=${EXE_relative} -D IconFile=${ICON_relative}
          -D CleanupDll=${CLEANUP_DLL_relative} tessary.wxs
  WORKING_DIRECTORY ${here}
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "wixl failed (${status})")
endif()

# The installer compares only major.minor.patch, so a later build of the same version
# would be installed beside this one; including the upper bound lets it replace it.
# (Attributes is part of the Upgrade table's key: the row is rewritten, not updated.)
execute_process(COMMAND ${MSIINFO} export ${OUTPUT} Upgrade OUTPUT_VARIABLE upgrade
  RESULT_VARIABLE status)
string(REPLACE "\t1\t\tWIX_UPGRADE_DETECTED" "\t513\t\tWIX_UPGRADE_DETECTED" same_version "${upgrade}")
if(NOT status EQUAL 0 OR same_version STREQUAL upgrade)
  message(FATAL_ERROR "the MSI's Upgrade table is not as expected:\n${upgrade}")
endif()
get_filename_component(work "${OUTPUT}" DIRECTORY)
file(WRITE ${work}/Upgrade.idt "${same_version}")
execute_process(COMMAND ${MSIBUILD} ${OUTPUT} -i ${work}/Upgrade.idt RESULT_VARIABLE status)
file(REMOVE ${work}/Upgrade.idt)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "msibuild could not rewrite the Upgrade table (${status})")
endif()

if(DEFINED MANIFEST_DIR)
  file(SHA256 ${OUTPUT} INSTALLER_SHA256)
  string(TOUPPER ${INSTALLER_SHA256} INSTALLER_SHA256)
  get_filename_component(INSTALLER_NAME "${OUTPUT}" NAME)
  set(PACKAGE_VERSION ${VERSION})
  set(PRODUCT_CODE "{${product_code}}")
  set(UPGRADE_CODE "{${upgrade_code}}")
  file(GLOB templates ${here}/winget/*.yaml.in)
  foreach(template ${templates})
    get_filename_component(name "${template}" NAME)
    string(REGEX REPLACE "\\.in$" "" name "${name}")
    configure_file(${template} ${MANIFEST_DIR}/${name} @ONLY)
  endforeach()
endif()
