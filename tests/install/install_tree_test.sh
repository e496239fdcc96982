#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the build tree into a scratch DESTDIR, component by component, and checks that what
# lands there is complete, valid for the desktop's own tools, and runs.
# Usage: install_tree_test.sh BUILD_DIR HAVE_VIEWER(0|1)
set -euo pipefail
build_dir=$1
have_viewer=$2
app_id=org.qzdviewer.QzdViewer

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
# Runs a checker quietly; its report is shown only when it fails.
check() {
  local report
  report=$("$@" 2>&1) || { echo "$report" >&2; fail "$*"; }
}

scratch=$(mktemp -d "${TMPDIR:-/tmp}/qzd-install-test.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
stage=$scratch/stage
usr=$stage/usr

components=(tool)
[ "$have_viewer" = 1 ] && components+=(viewer)
for component in "${components[@]}"; do
  DESTDIR=$stage cmake --install "$build_dir" --prefix /usr --component "$component" >/dev/null
done

# A file that no component claims would be missing from a component install but present in a
# plain one.
DESTDIR=$scratch/whole cmake --install "$build_dir" --prefix /usr >/dev/null
diff <(cd "$stage" && find . | sort) <(cd "$scratch/whole" && find . | sort) >&2 ||
  fail "installing every component does not give the same tree as a plain install"

expected=(
  bin/qzd
  share/man/man1/qzd.1.gz
  share/bash-completion/completions/qzd
  share/doc/qzd-viewer/copyright
)
if [ "$have_viewer" = 1 ]; then
  expected+=(
    bin/qzd-viewer
    share/man/man1/qzd-viewer.1.gz
    share/applications/$app_id.desktop
    share/metainfo/$app_id.metainfo.xml
    share/mime/packages/$app_id.xml
  )
  for size in 16 22 24 32 48 64 128 256; do
    expected+=(share/icons/hicolor/${size}x${size}/apps/$app_id.png)
  done
fi
for file in "${expected[@]}"; do
  [ -f "$usr/$file" ] || fail "not installed: /usr/$file"
done
for program in "$usr"/bin/*; do
  [ -x "$program" ] || fail "not executable: $program"
  ! ldd "$program" | grep 'not found' || fail "unresolved libraries in $program"
done

# The installed tool on the installed sample models.
mapfile -t examples < <(find "$usr/share/doc/qzd-viewer/examples" -name '*.qzd' 2>/dev/null | sort)
if [ ${#examples[@]} -eq 0 ]; then
  fail "no sample models installed"
else
  json=$("$usr/bin/qzd" json "${examples[@]}") || fail "installed qzd json exits non-zero"
  [ "$(grep -c '"load_error":null' <<<"$json")" -eq ${#examples[@]} ] ||
    fail "installed qzd json did not load every sample model: $json"
  sheet=$("$usr/bin/qzd" show "${examples[0]}") || fail "installed qzd show exits non-zero"
  [ -n "$sheet" ] || fail "installed qzd show printed nothing"
fi
usage=$("$usr/bin/qzd" --help) || fail "installed qzd --help exits non-zero"
[ -n "$usage" ] || fail "installed qzd --help printed nothing"

# The completion offers exactly the subcommands that the tool knows, and model files in any case.
completion_dir=$scratch/completion
mkdir -p "$completion_dir/models"
touch "$completion_dir/a.qzd" "$completion_dir/GLIDER.QZD" "$completion_dir/notes.txt"
offered=$(cd "$completion_dir" && bash -c '
  source "$1"
  COMP_WORDS=(qzd ""); COMP_CWORD=1; _qzd; echo "subcommands: ${COMPREPLY[*]}"
  COMP_WORDS=(qzd show ""); COMP_CWORD=2; _qzd; printf "%s\n" "${COMPREPLY[@]}" | LC_ALL=C sort | tr "\n" " "
' _ "$usr/share/bash-completion/completions/qzd")
for word in show json diff help; do
  grep -q "^subcommands:.* $word\b" <<<"$offered" || fail "completion does not offer '$word': $offered"
  "$usr/bin/qzd" help "$word" >/dev/null 2>&1 || [ "$word" = help ] ||
    fail "completion offers '$word' but 'qzd help $word' fails"
done
grep -q 'GLIDER.QZD a.qzd models $' <<<"$offered" ||
  fail "completion of model files offers: $offered"

# Debian's own python3 holds the DEP-5 parser (python3-debian).
metainfo=()
[ "$have_viewer" = 1 ] && metainfo=("$usr/share/metainfo/$app_id.metainfo.xml")
check /usr/bin/python3 "$(dirname "$0")/check_copyright.py" "$usr/share/doc/qzd-viewer/copyright" \
  "${metainfo[@]}"

for page in "$usr"/share/man/man1/*.1.gz; do
  gzip -t "$page" || fail "broken man page archive $page"
  warnings=$(zcat "$page" | groff -man -Tutf8 -ww -z 2>&1)
  [ -z "$warnings" ] || fail "groff warns about $(basename "$page"): $warnings"
  rendered=$(man -l "$page" 2>&1) || true
  grep -q '^SYNOPSIS' <<<"$rendered" || fail "man -l does not render $(basename "$page"): $rendered"
done

if [ "$have_viewer" = 1 ]; then
  # The viewer's completion: its options, the pages, image files after --export, model files
  # otherwise. Rows: the words before the cursor | the word at the cursor | what is offered.
  touch "$completion_dir/shot.png" "$completion_dir/Sheet.PDF"
  while IFS='|' read -r words current want; do
    # shellcheck disable=SC2086  # the words are split on purpose
    offered=$(cd "$completion_dir" && bash -c '
      source "$1"; shift
      COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _qzd_viewer
      printf "%s\n" "${COMPREPLY[@]}" | LC_ALL=C sort | paste -sd " "
    ' _ "$usr/share/bash-completion/completions/qzd-viewer" $words "$current")
    [ "$offered" = "$want" ] ||
      fail "qzd-viewer completion of '$words $current' offers '$offered', not '$want'"
  done <<'EOF'
qzd-viewer||GLIDER.QZD a.qzd models
qzd-viewer|--|-- --export --help --page --scale --version
qzd-viewer --export||Sheet.PDF models shot.png
qzd-viewer --export shot.png --page||heli mixer mode servo
qzd-viewer --export shot.png --page =|m|mixer mode
qzd-viewer --export shot.png --page heli||GLIDER.QZD a.qzd models
qzd-viewer --|-|
EOF
  # Every option it offers is in the man page.
  viewer_page=$(man -l "$usr/share/man/man1/qzd-viewer.1.gz" 2>/dev/null)
  for option in --help --version --export --page --scale; do
    grep -q -- "$option" <<<"$viewer_page" || fail "qzd-viewer(1) does not describe $option"
  done

  check desktop-file-validate "$usr/share/applications/$app_id.desktop"
  check appstreamcli validate --no-net "$usr/share/metainfo/$app_id.metainfo.xml"
  # The tree check also ties the metainfo to its desktop entry.
  check appstreamcli validate-tree --no-net "$stage"

  for size in 16 22 24 32 48 64 128 256; do
    icon=$usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png
    [ -f "$icon" ] && { file "$icon" | grep -q "PNG image data, $size x $size," ||
      fail "$icon is not a $size x $size PNG: $(file -b "$icon")"; }
  done

  # The file manager's view: the desktop's caches built over the installed share folders, as the
  # package's triggers do.
  mime=$usr/share/mime
  check update-mime-database "$mime"
  check update-desktop-database "$usr/share/applications"
  # A case-sensitive glob is written with a ":cs" flag, beside its lower-case form.
  [ "$(grep -F 'application/x-qzd-model:' "$mime/globs2" | cut -d: -f2- | sort -u)" = \
    'application/x-qzd-model:*.qzd' ] ||
    fail "not one case-insensitive *.qzd glob: $(grep qzd "$mime/globs2")"
  grep -qx 'application/x-qzd-model text/plain' "$mime/subclasses" ||
    fail "the model type is not a sub-class of text/plain"
  grep -qx "application/x-qzd-model:$app_id" "$mime/icons" || fail "the model type has no icon"
  # What a file manager does on a double click: the model file's type, and that type's default
  # application, found in a clean desktop session (no user or system choices of its own) that
  # also sees the system's applications, so that a text editor for text/plain cannot win.
  session=$scratch/session
  mkdir -p "$session/home" "$session/config-dirs"
  desktop_env=(env -i HOME="$session/home" XDG_DATA_HOME="$session/home/data"
    XDG_CONFIG_HOME="$session/home/config" XDG_CONFIG_DIRS="$session/config-dirs"
    XDG_DATA_DIRS="$usr/share:/usr/share" PATH="$usr/bin:/usr/bin:/bin")
  printf '0\n' >"$scratch/GLIDER.QZD"
  type=$("${desktop_env[@]}" gio info -a standard::content-type "$scratch/GLIDER.QZD" |
    sed -n 's/.*standard::content-type: //p')
  [ "$type" = application/x-qzd-model ] || fail "GLIDER.QZD is seen as '$type'"
  applications=$("${desktop_env[@]}" gio mime application/x-qzd-model 2>&1) || true
  [[ ${applications%%$'\n'*} == "Default application for "*": $app_id.desktop" ]] ||
    fail "the model type's default application is not the viewer: $applications"
fi

if [ $failures -ne 0 ]; then
  echo "$failures install check(s) failed" >&2
  exit 1
fi
echo "install tree complete and valid (${#expected[@]} files checked)"
