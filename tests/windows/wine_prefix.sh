# Sourced by the Wine scripts of the tests: the private Wine prefix under the
# build folder, made once, with the Windows Japanese face names standing for
# the IPA fonts. Wine has no MS faces; its own replacements make Qt list the
# Windows names and draw the IPA glyphs. Needs STATE, the state folder.
export WINEPREFIX=$STATE/prefix
# Quiet, but for the loader's errors: a program that cannot start (a DLL not
# found or failing to load) otherwise ends at once without a word.
export WINEDEBUG=-all,err+module
# No Mono or Gecko: nothing here needs .NET or a browser, and Wine would ask.
# No menu builder: it writes menus and file types into the user's home.
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
export WINEARCH=win64
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
[ -x "$wine" ] || wine=$(command -v wine)

ensure_prefix() {
  mkdir -p "$STATE"
  (
    flock 9
    [ -f "$WINEPREFIX/.kakemaru-ready" ] && exit 0
    rm -rf "$WINEPREFIX"
    "$wine" wineboot -i >"$STATE/wineboot.log" 2>&1 || exit 1
    key='HKCU\Software\Wine\Fonts\Replacements'
    for face in 'ＭＳ 明朝' 'MS Mincho' 'ＭＳ Ｐ明朝' 'MS PMincho'; do
      "$wine" reg add "$key" /v "$face" /t REG_SZ /d IPAMincho /f >>"$STATE/wineboot.log" 2>&1 || exit 1
    done
    for face in 'ＭＳ ゴシック' 'MS Gothic' 'ＭＳ Ｐゴシック' 'MS PGothic' 'MS UI Gothic'; do
      "$wine" reg add "$key" /v "$face" /t REG_SZ /d IPAGothic /f >>"$STATE/wineboot.log" 2>&1 || exit 1
    done
    # Wine writes the registry out when its server ends.
    wineserver -w
    touch "$WINEPREFIX/.kakemaru-ready"
  ) 9>"$STATE/prefix.lock"
}
