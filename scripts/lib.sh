# Shared by the scripts: paths, the Wine environment and the display.
# Source it; it defines functions and exports nothing until asked.

KIVO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
KIVO_BUILD=${KIVO_BUILD:-$KIVO_ROOT/build}
KIVO_JOBS=${KIVO_JOBS:-$(nproc)}

# ccache: let builds of another clone of the repo on this machine hit the cache.
export CCACHE_BASEDIR=$KIVO_ROOT
export CCACHE_NOHASHDIR=1

kivo_generator() {
  if command -v ninja >/dev/null 2>&1; then echo Ninja; else echo "Unix Makefiles"; fi
}

# kivo_configure DIR [cmake args...]: configure DIR once; later calls only build.
kivo_configure() {
  local dir=$1; shift
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S "$KIVO_ROOT" -B "$dir" -G "$(kivo_generator)" "$@"
  fi
}

# Wine answers GetACP() with 936 only under a Chinese locale name, and it can
# name files in Chinese only when the host has that locale. The locale is built
# once into the build tree (LOCPATH points there) rather than installed
# system-wide, and it is set on each Wine command rather than in the shell.
kivo_locale() {
  local dir=$KIVO_BUILD/locale
  if [ ! -f "$dir/zh_CN.UTF-8/LC_CTYPE" ]; then
    mkdir -p "$dir"
    localedef -i zh_CN -f UTF-8 "$dir/zh_CN.UTF-8" >/dev/null 2>&1 || true
  fi
  KIVO_LOCPATH=$dir
}
kivo_wine() { env LOCPATH="$KIVO_LOCPATH" LC_ALL=zh_CN.UTF-8 "$KIVO_WINE" "$@"; }

# Some kernels run 64-bit user code only (IA-32 emulation off: a 32-bit ELF
# fails with "Exec format error"). Wine's 32-bit loader cannot start there, so
# only the x86_64 Windows build can be run; the i686 build is still compiled.
kivo_can_run_i386() {
  if [ -z "${KIVO_I386:-}" ]; then
    if [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
      KIVO_I386=yes
    else
      KIVO_I386=no
    fi
  fi
  [ "$KIVO_I386" = yes ]
}

# The Windows architecture whose binaries run under Wine on this machine.
kivo_windows_arch() { if kivo_can_run_i386; then echo i686; else echo x86_64; fi; }

# The build tree of that architecture.
kivo_windows_tree() { if kivo_can_run_i386; then echo "$KIVO_BUILD/win32"; else echo "$KIVO_BUILD/win64"; fi; }

kivo_wine_env() {
  kivo_locale
  if kivo_can_run_i386; then
    KIVO_WINE=wine
  else
    # Wine's launcher script would pick the 32-bit loader; name the 64-bit
    # loader and server directly.
    KIVO_WINE=/usr/lib/wine/wine64
    export WINELOADER=/usr/lib/wine/wine64
    export WINESERVER=/usr/lib/wine/wineserver64
  fi
  export WINEPREFIX=${WINEPREFIX:-$KIVO_BUILD/wineprefix}
  export WINEDEBUG=${WINEDEBUG:--all}
  # No Mono or Gecko installers: nothing here uses .NET or the HTML engine.
  export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
}

kivo_wineserver() { "${WINESERVER:-wineserver}" "$@"; }

KIVO_STARTED_XVFB=""
KIVO_STARTED_WINESERVER=""

# Start Xvfb on a free display unless a display is already set.
kivo_start_display() {
  if [ -n "${DISPLAY:-}" ]; then return 0; fi
  local d
  for d in $(seq 91 400); do
    if [ ! -e "/tmp/.X$d-lock" ] && [ ! -e "/tmp/.X11-unix/X$d" ]; then
      Xvfb ":$d" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
      KIVO_STARTED_XVFB=$!
      local i
      for i in $(seq 1 100); do
        [ -e "/tmp/.X11-unix/X$d" ] && break
        sleep 0.1
      done
      export DISPLAY=":$d"
      return 0
    fi
  done
  echo "no free X display" >&2
  return 1
}

# Create the project's Wine prefix once, then keep one wineserver for the run.
kivo_start_wine() {
  kivo_wine_env
  mkdir -p "$KIVO_BUILD"
  if [ ! -f "$WINEPREFIX/.kivo-ready" ]; then
    rm -rf "$WINEPREFIX"
    echo "creating Wine prefix $WINEPREFIX"
    kivo_wine wineboot -i >/dev/null 2>&1 || true
    kivo_wineserver -w
    if [ ! -d "$WINEPREFIX/drive_c/windows" ]; then
      echo "could not create the Wine prefix $WINEPREFIX" >&2
      return 1
    fi
    touch "$WINEPREFIX/.kivo-ready"
  fi
  kivo_wineserver -p >/dev/null 2>&1 &
  KIVO_STARTED_WINESERVER=1
  # With no window manager on the display, Wine waits about 2 s for one to
  # acknowledge each hidden top-level window; windows Wine manages itself are
  # hidden at once.
  kivo_wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null || true
  # Start Wine's own services now, detached from our output: a service started
  # by the first test would hold that test's output pipe open and ctest would
  # wait for it until the end of the run.
  kivo_wine cmd /c exit >/dev/null 2>&1 </dev/null || true
}

# Wine's own processes, which a run may start on demand and which belong to
# the wineserver rather than to any test.
KIVO_WINE_SYSTEM_PROCESSES=" services.exe winedevice.exe plugplay.exe svchost.exe rpcss.exe explorer.exe conhost.exe winemenubuilder.exe wineboot.exe start.exe "

# kivo_wine_processes VAR=VALUE [host]: the process ids (one per line, with
# their program names after a tab) of the Windows programs, Wine's own
# services left out, whose environment holds VAR=VALUE. With "host", the
# host programs with it count too (a server or reader a Windows test started
# by its Unix path), but for the shell tools the scripts themselves run.
kivo_wine_processes() {
  local needle=$1 host=${2:-} environ pid name exe
  # One grep over every process's environment.
  for environ in $(grep -lzx -- "$needle" /proc/[0-9]*/environ 2>/dev/null); do
    pid=${environ#/proc/}; pid=${pid%/environ}
    [ "$pid" = "$$" ] || [ "$pid" = "$BASHPID" ] && continue
    # Windows programs run in Wine's loader (its server does not count).
    exe=$(readlink "/proc/$pid/exe" 2>/dev/null) || continue
    case "$exe" in
      */wineserver*) continue ;;
      */wine|*/wine64|*/wine-preloader|*/wine64-preloader) ;;
      *)
        [ "$host" = host ] || continue
        case "${exe##*/}" in
          bash|sh|dash|tail|grep|tr|readlink|head|cat|sleep|timeout|env|ctest|cmake) continue ;;
        esac
        printf '%s\t%s\n' "$pid" "${exe##*/}"
        continue ;;
    esac
    name=$(tr '\0' '\n' <"/proc/$pid/cmdline" 2>/dev/null | head -n 1)
    name=${name##*\\}; name=${name##*/}
    case "$KIVO_WINE_SYSTEM_PROCESSES" in *" ${name,,} "*) continue ;; esac
    printf '%s\t%s\n' "$pid" "$name"
  done
}

# kivo_sweep VAR=VALUE [host]: kills the programs kivo_wine_processes finds
# and prints their names on one line (nothing when none was left).
kivo_sweep() {
  local found names="" pid name
  found=$(kivo_wine_processes "$1" "${2:-}")
  [ -z "$found" ] && return 0
  while IFS=$'\t' read -r pid name; do
    kill -9 "$pid" 2>/dev/null
    names+="$name (pid $pid) "
  done <<<"$found"
  echo "$names"
}

kivo_sweep_tagged() { kivo_sweep "KIVO_RUN_TAG=$1" host; }

kivo_stop_all() {
  if [ -n "$KIVO_STARTED_WINESERVER" ]; then
    kivo_wineserver -k >/dev/null 2>&1 || true
    KIVO_STARTED_WINESERVER=""
  fi
  if [ -n "$KIVO_STARTED_XVFB" ]; then
    kill "$KIVO_STARTED_XVFB" >/dev/null 2>&1 || true
    wait "$KIVO_STARTED_XVFB" 2>/dev/null || true
    KIVO_STARTED_XVFB=""
  fi
}
