# Sourced by the Wine helpers: one prefix per build tree, no debug noise, no
# Mono/Gecko installers.
: "${APPATLAS_WINEPREFIX:?APPATLAS_WINEPREFIX must name the build tree's Wine prefix}"
export WINEPREFIX="$APPATLAS_WINEPREFIX"
export WINEDEBUG=-all
case ",${WINEDLLOVERRIDES:-}," in
    *mscoree*) ;;
    *) export WINEDLLOVERRIDES="mscoree,mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}" ;;
esac
