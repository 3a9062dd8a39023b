#!/usr/bin/env bash
# The MSI under Wine, as a user meets it: installed quietly without administrator rights,
# Tessary started from where it was installed (its tray icon quits it), a later build
# installed over it, and the whole thing removed again, leaving only the user's layouts.
#
#   tests/e2e/install_e2e.sh BUILD_DIR MSI VERSION ICON
#
# MSI is the package target's installer of version VERSION ("major.minor.patch.build");
# the later build is made here from the same files with the build number one higher.
# Needs an X display (CTest runs it through tools/with-xvfb.sh).
set -euo pipefail

# shellcheck source=../../tools/e2e/story.sh
source "$(dirname "$0")/../../tools/e2e/story.sh"

[ $# -eq 4 ] || { echo "usage: $0 BUILD_DIR MSI VERSION ICON" >&2; exit 2; }
msi=$2
version=$3
icon=$4
e2e_story install "$1"
# Shortcuts stay inside the prefix: no menu entries for the Linux desktop.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"

user=${USER:-$(id -un)}
profile=$WINEPREFIX/drive_c/users/$user
installed_exe=$profile/AppData/Local/Programs/Tessary/Tessary.exe
install_folder="C:\\users\\$user\\AppData\\Local\\Programs\\Tessary\\"
shortcut="$profile/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Tessary.lnk"
state=$profile/AppData/Local/Quillfrost/Tessary
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'

run_msiexec() {
  local action=$1 package=$2
  "$E2E_WINE" msiexec "$action" "$(e2e_winpath "$package")" /qn \
    >>"$E2E_WORK/msiexec.wine.txt" 2>&1 || e2e_fail "msiexec $action $(basename "$package") failed ($?)"
}

run_value_present() { "$E2E_WINE" reg query "$run_key" /v Tessary >/dev/null 2>&1; }

# "version publisher folder" of each Tessary in Installed apps, one a line.
installed_apps() {
  local export=$E2E_WORK/uninstall.reg
  rm -f "$export"
  "$E2E_WINE" reg export 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' \
    "$(e2e_winpath "$export")" /y >/dev/null 2>&1 || true
  [ -f "$export" ] || return 0
  iconv -f UTF-16 -t UTF-8 "$export" | tr -d '\r' | awk -F'"' '
    function show() { if (name == "Tessary") print version, publisher, folder }
    /^\[/ { show(); name = version = publisher = folder = "" }
    $2 == "DisplayName" { name = $4 }
    $2 == "DisplayVersion" { version = $4 }
    $2 == "Publisher" { publisher = $4 }
    $2 == "InstallLocation" { folder = $4 }
    END { show() }'
}

# A run of this story that was cut short left Tessary installed: start from nothing.
"$E2E_WINE" reg delete "$run_key" /v Tessary /f >/dev/null 2>&1 || true
rm -rf "$state"
newer_version=${version%.*}.$((${version##*.} + 1))
newer_msi=$E2E_WORK/Tessary-$newer_version.msi
cmake -DVERSION="$newer_version" -DEXE="$(dirname "$msi")/stage/Tessary.exe" -DICON="$icon" \
  -DCLEANUP_DLL="$(dirname "$msi")/uninstall_cleanup.dll" -DOUTPUT="$newer_msi" \
  -P "$root/installer/make_msi.cmake" >"$E2E_WORK/make_msi.txt" 2>&1 ||
  e2e_fail "could not build the later MSI: $(tail -n 5 "$E2E_WORK/make_msi.txt")"
if [ -n "$(installed_apps)" ]; then
  "$E2E_WINE" msiexec /x "$(e2e_winpath "$newer_msi")" /qn >/dev/null 2>&1 || true
  "$E2E_WINE" msiexec /x "$(e2e_winpath "$msi")" /qn >/dev/null 2>&1 || true
fi

# Beside the MSI, the portable zip: the program and its README, nothing else.
zip=${msi%.msi}-portable.zip
[ "$(cmake -E tar tf "$zip" | sort | xargs)" = "README.txt Tessary.exe" ] ||
  e2e_fail "the portable zip holds: $(cmake -E tar tf "$zip" | xargs)"

# Installed for this user alone: the program, its shortcut, its entry in Installed apps.
run_msiexec /i "$msi"
[ -f "$installed_exe" ] || e2e_fail "no Tessary.exe in the user's programs folder"
[ -f "$shortcut" ] || e2e_fail "no Tessary shortcut in the user's Start menu"
folder=${install_folder//\\/\\\\}  # as exported registry text writes it
[ "$(installed_apps)" = "$version Quillfrost $folder" ] ||
  e2e_fail "Installed apps shows '$(installed_apps)', not '$version Quillfrost $folder'"
icons=("$profile"/AppData/Roaming/Microsoft/Installer/*/Tessary.ico)
[ -f "${icons[0]}" ] || e2e_fail "Installed apps has no icon for Tessary"

# Started from there with the user's own state folder; its tray icon's menu quits it.
E2E_TESSARY=$installed_exe
e2e_start_tessary installed TESSARY_STATE_DIR=
grep -q "^started ${version%.*}\$" "$(e2e_log_file installed)" ||
  e2e_fail "the installed Tessary did not start as version ${version%.*}"
e2e_wait_until 10 test -s "$state/settings.json" ||
  e2e_fail "the installed Tessary wrote no settings.json to $state"
e2e_click_tray_icon
e2e_quit_from_menu installed "clicking the installed Tessary's tray icon opened no menu"

# A later build replaces the installed one in place.
run_msiexec /i "$newer_msi"
[ "$(installed_apps)" = "$newer_version Quillfrost $folder" ] ||
  e2e_fail "after the upgrade Installed apps shows '$(installed_apps)', not only $newer_version"
[ -f "$installed_exe" ] || e2e_fail "the upgrade left no Tessary.exe"

# The user's layouts, and start at sign-in turned on as Tessary itself does it. (Only
# now: Wine's installer does not tell the version it removes for an upgrade that it is
# being upgraded, so there the upgrade drops the entry, which Windows keeps.)
printf '{"layouts.v2":"{}"}' >"$state/layouts.json"
"$E2E_WINE" reg add "$run_key" /v Tessary /d "\"${install_folder}Tessary.exe\"" /f >/dev/null 2>&1 ||
  e2e_fail "could not write the Run value"
run_value_present || e2e_fail "the Run value was not written"

# Uninstalled: program, shortcut, Run value and entry gone; the layouts stay.
run_msiexec /x "$newer_msi"
[ ! -e "$(dirname "$installed_exe")" ] || e2e_fail "the program's folder is still there"
[ ! -e "$shortcut" ] || e2e_fail "the Start-menu shortcut is still there"
! run_value_present || e2e_fail "the start-at-sign-in entry outlived the uninstall"
[ -z "$(installed_apps)" ] || e2e_fail "Installed apps still shows Tessary: $(installed_apps)"
[ -f "$state/layouts.json" ] || e2e_fail "uninstalling removed the user's layouts.json"
[ -f "$state/settings.json" ] || e2e_fail "uninstalling removed the user's settings.json"
rm -rf "$state"
echo "PASS install"
