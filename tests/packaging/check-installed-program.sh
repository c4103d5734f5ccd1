#!/usr/bin/env bash
# Installs the whole build tree into a scratch prefix and checks what a desktop finds there: both
# binaries start from the prefix without LD_LIBRARY_PATH, the desktop entry, AppStream metadata
# and manual pages pass their validators, the MIME package claims ".vmx" files and nothing else,
# the icons exist in every size, and the shell completion offers the tool's commands and options.
set -euo pipefail

if [ $# -ne 4 ]; then
  echo "usage: $0 CMAKE BUILD_DIR SCRATCH_DIR MIME_OF" >&2
  exit 2
fi
cmake_bin=$1 build_dir=$2 scratch=$3 mime_of=$4
here=$(cd "$(dirname "$0")" && pwd)
app_id=com.quindrel.Zentravolix

rm -rf "$scratch"
prefix="$scratch/prefix with blank"
mkdir -p "$scratch"
step() { echo "== $*"; }
fail() { echo "FAIL: $*" >&2; exit 1; }

step "install everything into $prefix"
"$cmake_bin" --install "$build_dir" --prefix "$prefix" >/dev/null

bin=$prefix/bin
[ -x "$bin/zentravolix" ] || fail "the program is not installed"
[ -x "$bin/zentravolix-cli" ] || fail "the tool is not installed"

step "both binaries start from the prefix, without LD_LIBRARY_PATH"
for b in "$bin/zentravolix" "$bin/zentravolix-cli"; do
  runpath=$(readelf -d "$b" | sed -n 's/.*(RUNPATH).*\[\(.*\)\]/\1/p')
  case $runpath in
    '$ORIGIN/'*) ;;
    *) fail "$b has no RUNPATH relative to itself (got '$runpath')" ;;
  esac
  resolved=$(env -u LD_LIBRARY_PATH ldd "$b")
  grep -q "libtarvonel\.so\.1 => $prefix/" <<<"$resolved" || { echo "$resolved" >&2; fail "$b does not load the installed library"; }
done
version=$(env -u LD_LIBRARY_PATH "$bin/zentravolix-cli" --version)
[[ $version == "zentravolix-cli "* ]] || fail "zentravolix-cli --version printed '$version'"
# Moved elsewhere the tree still works: nothing points back to the build or the first prefix.
mv "$prefix" "$scratch/moved"
prefix=$scratch/moved
bin=$prefix/bin
env -u LD_LIBRARY_PATH "$bin/zentravolix-cli" --version >/dev/null || fail "the moved tool does not start"
env -u LD_LIBRARY_PATH QT_QPA_PLATFORM=offscreen HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/home/.config" \
  TMPDIR="$scratch" ZENTRAVOLIX_QUIT_AFTER_SHOW=1 timeout 60 "$bin/zentravolix" >"$scratch/program.log" 2>&1 ||
  { cat "$scratch/program.log" >&2; fail "the installed program does not start"; }

share=$prefix/share
step "desktop entry"
desktop-file-validate "$share/applications/$app_id.desktop"
grep -q '^MimeType=application/x-vmware-vm;$' "$share/applications/$app_id.desktop" || fail "no MimeType line"

step "AppStream metadata"
appstreamcli validate --no-net --pedantic "$share/metainfo/$app_id.metainfo.xml"

step "icons"
[ -f "$share/icons/hicolor/scalable/apps/$app_id.svg" ] || fail "no scalable icon"
for size in 16 22 24 32 48 64 128 256; do
  png=$share/icons/hicolor/${size}x${size}/apps/$app_id.png
  [ -f "$png" ] || fail "no ${size}px icon"
  # PNG width and height, big-endian at bytes 16..23.
  dims=$(od -An -tu4 --endian=big -j16 -N8 "$png" | tr -s ' ')
  [ "$dims" = " $size $size" ] || fail "$png is not ${size}x${size} ($dims)"
done

step "MIME type of .vmx files"
update-mime-database "$share/mime" 2>/dev/null
[ -f "$share/mime/application/x-vmware-vm.xml" ] || fail "update-mime-database did not take the package"
export XDG_DATA_DIRS="$share:${XDG_DATA_DIRS:-/usr/local/share:/usr/share}"
probe=$scratch/probe
mkdir -p "$probe"
printf '.encoding = "UTF-8"\r\nconfig.version = "8"\r\nvirtualHW.version = "4"\r\n' >"$probe/machine.vmx"
printf '.encoding = "UTF-8"\nconfig.version = "8"\n' >"$probe/machine-without-extension"
printf 'Shopping list\nconfig is fine\nversion = 2\n' >"$probe/notes.txt"
printf 'Shopping list\nmilk\n' >"$probe/shopping"
types=$("$mime_of" "$probe/machine.vmx" "$probe/machine-without-extension" "$probe/notes.txt" "$probe/shopping")
expected=$'application/x-vmware-vm\napplication/x-vmware-vm\ntext/plain\ntext/plain'
[ "$types" = "$expected" ] || fail "MIME types: got
$types"

step "manual pages"
for page in zentravolix zentravolix-cli; do
  file=$share/man/man1/$page.1
  [ -f "$file" ] || fail "no manual page $page(1)"
  warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$file" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$page(1) renders with warnings: $warnings"
done

step "bash completion"
completion=$share/bash-completion/completions/zentravolix-cli
[ -f "$completion" ] || fail "no bash completion"
bash "$here/check-completion.sh" "$completion"

echo "== installed program OK"
