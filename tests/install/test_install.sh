#!/usr/bin/env bash
# The installed program: installs the build into a staging root as a package would (prefix /usr,
# DESTDIR), checks what goes where and that the desktop files validate, then runs the installed
# program headless on a small project as a user with an empty home would. The staging root must
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
for file in usr/bin/tavrel usr/bin/tavrel-inspect usr/share/tavrel/settings.ini usr/share/tavrel/Tavrel.hlp \
  usr/share/doc/tavrel/webpage.html "usr/share/applications/$app.desktop" \
  "usr/share/icons/hicolor/scalable/apps/$app.svg" "usr/share/metainfo/$app.metainfo.xml" \
  usr/share/man/man1/tavrel.1.gz usr/share/man/man1/tavrel-inspect.1.gz usr/share/doc/tavrel/copyright; do
  [ -f "$stage/$file" ] || fail "missing /$file"
done
[ ! -e "$stage/usr/bin/tavrel-screenshots" ] || fail "the screenshot tool was installed"
[ ! -e "$stage/usr/bin/settings.ini" ] || fail "settings.ini was installed beside the program"
grep -q "release version=\"$("$stage/usr/bin/tavrel" --version | cut -d' ' -f2)\"" \
  "$stage/usr/share/metainfo/$app.metainfo.xml" || fail "the metainfo names another version"

desktop-file-validate "$stage/usr/share/applications/$app.desktop" || fail "the desktop entry is invalid"
appstreamcli validate --no-net "$stage/usr/share/metainfo/$app.metainfo.xml" >"$work/appstream.log" ||
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
echo "install test: passed"
