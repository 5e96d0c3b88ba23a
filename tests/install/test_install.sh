#!/usr/bin/env bash
# The installed program: installs the build into a staging root as a package would (prefix /usr,
# DESTDIR), checks what goes where and that the desktop files validate, then runs the installed
# program headless on a small project as a user with an empty home would, and its window on a
# virtual display. Last, it makes the Debian package from a Release build and checks it with
# lintian and hardening-check. The staging root must
# come out unchanged: the program reads its shipped files there and writes the user's own
# settings into the home folder only (the preferences' Ok, run through their window test).
# Arguments: the build folder and the source folder.
set -euo pipefail
build="$1"
source="$2"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
stage="$work/stage"
fail() {
  echo "install test: $*" >&2
  exit 1
}

DESTDIR="$stage" cmake --install "$build" --prefix /usr >"$work/install.log" || {
  cat "$work/install.log" >&2
  fail "cmake --install failed"
}

app=org.tavrel.swftavreltool
for file in usr/bin/tavrel usr/libexec/tavrel/tavrel-window usr/bin/tavrel-inspect usr/share/tavrel/settings.ini \
  usr/share/tavrel/Tavrel.hlp usr/share/doc/tavrel/webpage.html "usr/share/applications/$app.desktop" \
  "usr/share/icons/hicolor/scalable/apps/$app.svg" "usr/share/metainfo/$app.metainfo.xml" \
  usr/share/man/man1/tavrel.1.gz usr/share/man/man1/tavrel-inspect.1.gz usr/share/doc/tavrel/copyright \
  usr/share/tavrel/translations/tavrel_de.qm usr/share/tavrel/translations/tavrel_fr.qm; do
  [ -f "$stage/$file" ] || fail "missing /$file"
done
[ ! -e "$stage/usr/bin/tavrel-screenshots" ] || fail "the screenshot tool was installed"
# A run without a window loads no window library: only the window program links them.
! readelf -d "$stage/usr/bin/tavrel" | grep -E 'lib(Qt6Gui|Qt6Widgets)\.' ||
  fail "tavrel links a window library"
[ ! -e "$stage/usr/bin/settings.ini" ] || fail "settings.ini was installed beside the program"
grep -q "release version=\"$("$stage/usr/bin/tavrel" --version | cut -d' ' -f2)\"" \
  "$stage/usr/share/metainfo/$app.metainfo.xml" || fail "the metainfo names another version"

desktop-file-validate "$stage/usr/share/applications/$app.desktop" || fail "the desktop entry is invalid"
# File managers offer the program for the sound files it converts.
grep -qE '^MimeType=(.*;)?audio/x-wav;(.*;)?audio/mpeg;' "$stage/usr/share/applications/$app.desktop" ||
  fail "the desktop entry names no sound type"
# The installed program finds its translations from its own folder.
LANG=de_DE.UTF-8 LC_ALL='' LC_MESSAGES='' LANGUAGE='' "$stage/usr/bin/tavrel" --help >"$work/help-de.txt"
grep -q '^Aufruf: tavrel' "$work/help-de.txt" || fail "the installed program does not speak German"
appstreamcli validate --no-net --pedantic "$stage/usr/share/metainfo/$app.metainfo.xml" >"$work/appstream.log" &&
  ! grep -qE '^[EWIP]: ' "$work/appstream.log" ||
  {
    cat "$work/appstream.log" >&2
    fail "the metainfo is invalid"
  }

# Sizes, times and modes of everything staged, to compare after the runs.
listing() { (cd "$stage" && find . -printf '%p %y %s %T@ %m\n' | LC_ALL=C sort); }
listing >"$work/before"

mkdir -p "$work/home" "$work/in"
cp "$source/demo/sounds/beep.wav" "$work/in/a.wav"
cp "$source/tests/data/mp3/mpeg1-44100-stereo.mp3" "$work/in/b.mp3"
# The values of the shipped preset "Music (128 kbps)".
{
  printf '<TavrelProject>\r\n<ProjectName>%s</ProjectName>\r\n' "$work/p.xml"
  printf '<Quality>5</Quality>\r\n<Mode>j</Mode>\r\n<Bitrate>128</Bitrate>\r\n'
  printf '<OutputFolder>%s/out/</OutputFolder>\r\n' "$work"
  printf '<Files>\r\n<File>%s</File><File>%s</File></Files>\r\n' "$work/in/a.wav" "$work/in/b.mp3"
  printf '<StopAction>0</StopAction>\r\n<FramePerSeconds>12</FramePerSeconds>\r\n<FrameTuner>0</FrameTuner>\r\n'
  printf '</TavrelProject>\r\n'
} >"$work/p.xml"

# A user with an empty home and no display; a sanitizer build reports Qt's caches at exit.
status=0
env -i PATH="$PATH" HOME="$work/home" QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
  "$stage/usr/bin/tavrel" "-f:$work/p.xml" -hide 2>"$work/errors" || status=$?
[ "$status" -eq 0 ] || {
  cat "$work/errors" >&2
  fail "the installed program ended with status $status"
}
[ ! -s "$work/errors" ] || {
  cat "$work/errors" >&2
  fail "the installed program wrote to standard error"
}
[ "$(cd "$work/out" && ls | tr '\n' ' ')" = "a.swf b.swf p.txt " ] || fail "out/ holds: $(ls "$work/out")"
[ "$(grep -c ':Operation Successful.' "$work/out/p.txt")" -eq 2 ] || fail "the report says: $(cat "$work/out/p.txt")"
"$stage/usr/bin/tavrel-inspect" "$work/out/a.swf" | grep -q DefineSound || fail "a.swf holds no sound"
"$stage/usr/bin/tavrel-inspect" --help | grep -q '^Usage: tavrel-inspect FILE.swf' || fail "tavrel-inspect --help"
[ "$("$stage/usr/bin/tavrel-inspect" --version)" = "$("$stage/usr/bin/tavrel" --version | sed 's/^tavrel/tavrel-inspect/')" ] ||
  fail "tavrel-inspect --version names another version"
# Reading the settings makes no file of the user's.
[ -z "$(ls -A "$work/home")" ] || fail "the run wrote into the home folder: $(find "$work/home")"

# Ok in the preferences of the installed layout writes ~/.config/tavrel/settings.ini.
TAVREL_INSTALLED_PROGRAM_DIR="$stage/usr/bin" QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
  "$build/tests/gui_test_preferences" anInstalledProgramSavesIntoTheUsersOwnFile >"$work/preferences.log" 2>&1 ||
  {
    cat "$work/preferences.log" >&2
    fail "the preferences of the installed program failed"
  }

listing >"$work/after"
diff -u "$work/before" "$work/after" >&2 || fail "the staging root changed"

# The installed window on an X display, started through tavrel as the desktop entry does: its class
# is the desktop entry's StartupWMClass, and its icon is the shipped one (the left side of its dark
# frame, where no theme icon has that colour).
cat >"$work/window.sh" <<'SCRIPT'
"$1" & program=$!
for _ in $(seq 100); do
  id="$(xwininfo -root -tree | awk '/"Tavrel Tool v1.5 - Untitled.xml"/ { print $1; exit }')"
  [ -n "$id" ] && break
  sleep 0.2
done
xprop -id "$id" WM_CLASS
xprop -id "$id" -notype -f _NET_WM_ICON 32c ' $0+' _NET_WM_ICON
kill "$program"
SCRIPT
mkdir -m 700 "$work/runtime"
env -i PATH="$PATH" HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" ASAN_OPTIONS=detect_leaks=0 \
  timeout 120 xvfb-run -a bash "$work/window.sh" "$stage/usr/bin/tavrel" >"$work/window.log" 2>&1 || true
class="$(grep -m1 '^StartupWMClass=' "$stage/usr/share/applications/$app.desktop" | cut -d= -f2)"
grep -q "^WM_CLASS(STRING) = \"$class\", \"$class\"$" "$work/window.log" ||
  fail "the window's class is not the desktop entry's $class: $(cat "$work/window.log")"
# _NET_WM_ICON: width, height, then ARGB pixels, for each size; the pixel at 9 % across, half down
# of the largest one.
awk '/_NET_WM_ICON/ { sub(/^[^ ]* /, ""); gsub(/ /, ""); n = split($0, v, ",")
       for (i = 1; i < n; i += 2 + v[i] * v[i + 1]) if (v[i] > best) { best = v[i]; at = i }
       w = v[at]; h = v[at + 1]; printf "%x\n", v[at + 2 + int(h / 2) * w + int(w * 0.09)] % 16777216 }' \
  "$work/window.log" >"$work/pixel"
[ "$(cat "$work/pixel")" = "2d3e50" ] || fail "the window shows another icon (pixel $(cat "$work/pixel"))"

# The Debian package as scripts/package.sh makes it, from a Release build of its own with the
# distribution's hardening flags: lintian has no error or warning, hardening-check passes. Debian
# 12's C start files (Scrt1.o, crti.o) carry no control-flow marks, so no program linked there is
# marked as a whole: that one line is not asked for.
release="$build/package-check"
bash "$source/scripts/package.sh" "$release" "$release/package" >"$work/package.log" 2>&1 || {
  cat "$work/package.log" >&2
  fail "the package could not be made"
}
package="$(ls "$release"/package/tavrel_*.deb)"
lintian "$package" >"$work/lintian.log" 2>&1 || true
if grep -E '^[EW]: ' "$work/lintian.log" >&2; then fail "lintian finds the above in $package"; fi
dpkg-deb -x "$package" "$work/deb"
hardening-check --nocfprotection "$work/deb/usr/bin/tavrel" "$work/deb/usr/libexec/tavrel/tavrel-window" \
  "$work/deb/usr/bin/tavrel-inspect" >"$work/hardening.log" || {
  cat "$work/hardening.log" >&2
  fail "hardening-check fails"
}
echo "install test: passed"
