# Shared by the scripts that run Windows programs: the project's Wine prefix
# (VELTRIN_WINEPREFIX names another), quiet logs, and wine64 for the 64-bit
# builds the tests run. The plain `wine` command runs the shipped 32-bit programs.
export WINEPREFIX="${VELTRIN_WINEPREFIX:-$PWD/build/wineprefix64}" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine64() { WINELOADER=/usr/lib/wine/wine64 /usr/lib/wine/wine64 "$@"; }
