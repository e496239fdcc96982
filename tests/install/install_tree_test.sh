#!/usr/bin/env bash
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

for page in "$usr"/share/man/man1/*.1.gz; do
  gzip -t "$page" || fail "broken man page archive $page"
  if command -v groff >/dev/null; then
    warnings=$(zcat "$page" | groff -man -Tutf8 -ww -z 2>&1)
    [ -z "$warnings" ] || fail "groff warns about $(basename "$page"): $warnings"
  fi
done

if [ "$have_viewer" = 1 ]; then
  check desktop-file-validate "$usr/share/applications/$app_id.desktop"
  check appstreamcli validate --no-net "$usr/share/metainfo/$app_id.metainfo.xml"
  # The tree check also ties the metainfo to its desktop entry.
  check appstreamcli validate-tree --no-net "$stage"

  for size in 16 22 24 32 48 64 128 256; do
    icon=$usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png
    [ -f "$icon" ] && { file "$icon" | grep -q "PNG image data, $size x $size," ||
      fail "$icon is not a $size x $size PNG: $(file -b "$icon")"; }
  done

  # The file manager's view: build the MIME database from the installed definition alone.
  mime=$scratch/mime-data/mime
  mkdir -p "$mime/packages"
  cp "$usr/share/mime/packages/$app_id.xml" "$mime/packages/"
  check update-mime-database "$mime"
  # A case-sensitive glob is written with a ":cs" flag, beside its lower-case form.
  [ "$(grep -F 'application/x-qzd-model:' "$mime/globs2" | cut -d: -f2- | sort -u)" = \
    'application/x-qzd-model:*.qzd' ] ||
    fail "not one case-insensitive *.qzd glob: $(grep qzd "$mime/globs2")"
  grep -qx 'application/x-qzd-model text/plain' "$mime/subclasses" ||
    fail "the model type is not a sub-class of text/plain"
  grep -qx "application/x-qzd-model:$app_id" "$mime/icons" || fail "the model type has no icon"
  if command -v gio >/dev/null; then
    printf '0\n' >"$scratch/GLIDER.QZD"
    type=$(XDG_DATA_DIRS="$scratch/mime-data:/usr/share" gio info -a standard::content-type \
      "$scratch/GLIDER.QZD" | sed -n 's/.*standard::content-type: //p')
    [ "$type" = application/x-qzd-model ] || fail "GLIDER.QZD is seen as '$type'"
  fi
fi

if [ $failures -ne 0 ]; then
  echo "$failures install check(s) failed" >&2
  exit 1
fi
echo "install tree complete and valid (${#expected[@]} files checked)"
