# shellcheck shell=bash
# The opening every e2e story shares: the helpers of lib.sh and drag_lib.sh, `root` (the
# source tree), and the story's arguments checked before its work folder is made.
#
#   source "$(dirname "$0")/../../tools/e2e/story.sh"
#   e2e_story NAME "${1:-}"     # a story of one case, files in BUILD_DIR/e2e/NAME
#   ... the case's functions ...
#   e2e_story_case PREFIX "${1:-}" "${2:-}"   # last line of a story of cases

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# shellcheck source=../../tools/e2e/lib.sh
source "$root/tools/e2e/lib.sh"
# shellcheck source=../../tools/e2e/drag_lib.sh
source "$root/tools/e2e/drag_lib.sh"

# e2e_story NAME BUILD_DIR: stops with the usage line when BUILD_DIR is missing, then
# prepares the story's prefix and folder (e2e_init checks the programs every story needs).
e2e_story() {
  [ -n "$2" ] || { echo "usage: $0 BUILD_DIR" >&2; exit 2; }
  e2e_init "$2" "$1"
}

# e2e_story_case PREFIX CASE BUILD_DIR: runs the story's function case_CASE,
# with its files in BUILD_DIR/e2e/PREFIXCASE, and says PASS when it returns.
e2e_story_case() {
  local prefix=$1 name=$2 build=$3
  if [ -z "$name" ] || [ -z "$build" ]; then
    echo "usage: $0 CASE BUILD_DIR" >&2
    exit 2
  fi
  declare -F "case_$name" >/dev/null || { echo "unknown case: $name" >&2; exit 2; }
  e2e_story "$prefix$name" "$build"
  "case_$name"
  # A case's RETURN trap cleans up after that case; bash would run it again, with the
  # case's locals gone, when this function returns.
  trap - RETURN
  echo "PASS $name"
}
