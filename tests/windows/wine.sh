# Sourced by the Windows checks: runs programs under Wine. The prefix is
# VELLOXA_WINEPREFIX when given (run.sh makes one for all checks, as making
# a prefix is the slowest part), else a throw-away one in $tmp, a scratch
# folder the caller removes.
wine_loader=$(command -v wine64 || echo /usr/lib/wine/wine64)
wine_server=$(command -v wineserver || echo "${wine_loader%/*}/wineserver")
export WINEPREFIX="${VELLOXA_WINEPREFIX:-$tmp/wineprefix}" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# Wine turns the command line into UTF-16 by the locale's character set.
export LC_ALL=C.UTF-8
wine_start() {
    "$wine_loader" wineboot -i >/dev/null 2>&1 || return 1
    # One server for every run instead of a fresh one for each program.
    "$wine_server" -p >/dev/null 2>&1 || true
}
wine_stop() { "$wine_server" -k >/dev/null 2>&1 || true; }
wine_run() { "$wine_loader" "$@"; }
