# Shared by the run and test commands: package set-up, the private Wine prefix and the Xvfb display.
# Source it; it defines functions only.

TAVRIN_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
TAVRIN_BUILD=${TAVRIN_BUILD:-$TAVRIN_ROOT/build}

log() { printf '\033[1m== %s\033[0m\n' "$*" >&2; }

as_root() {
    if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs the Debian packages that are missing; does nothing when all are present.
ensure_packages() {
    local missing=() pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    log "installing ${missing[*]}"
    as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# fonts-wine brings Wine's own fonts (Marlett draws the caption buttons' symbols); unzip unpacks the
# release zip in its test.
TAVRIN_WINDOWS_PACKAGES=(cmake ninja-build g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev googletest
                         wine64 fonts-wine xvfb xauth fonts-noto-cjk imagemagick x11-utils unzip)
TAVRIN_NATIVE_PACKAGES=(cmake ninja-build g++ clang libclang-rt-dev googletest libbenchmark-dev ripgrep)

wine_loader() {
    if [ -x /usr/lib/wine/wine64 ]; then echo /usr/lib/wine/wine64; else command -v wine64 || command -v wine; fi
}
wine_server() {
    if [ -x /usr/lib/wine/wineserver ]; then echo /usr/lib/wine/wineserver; else command -v wineserver; fi
}

# The prefix of a screen DPI (96 when none is given): the default one in build/wineprefix, the others
# beside it in build/wineprefix-dpiN. Each is set up by wine_prefix_init in the same way; they differ
# only in LogPixels.
wine_prefix_for_dpi() {
    local dpi=${1:-96}
    if [ "$dpi" = 96 ]; then echo "$TAVRIN_BUILD/wineprefix"; else echo "$TAVRIN_BUILD/wineprefix-dpi$dpi"; fi
}

# The private prefix lives in the build tree; nothing outside it is touched. TAVRIN_DPI chooses the
# prefix of that screen DPI unless WINEPREFIX names one.
wine_setup_env() {
    export WINEPREFIX=${WINEPREFIX:-$(wine_prefix_for_dpi "${TAVRIN_DPI:-96}")}
    export WINEDEBUG=${WINEDEBUG:--all}
    export WINEARCH=win64
    # No Mono or Gecko installer dialogs: the program needs neither.
    export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
}

# Bump when the prefix settings below change, so existing prefixes get them too.
TAVRIN_PREFIX_VERSION=5

# Creates the prefix once, with the Japanese font names mapped to Noto Sans CJK JP. Wine's helper
# processes inherit our standard streams, so they are pointed away from any pipe.
#
# Windows are unmanaged and Wine draws their frames itself: there is no window manager on the test
# display, and a managed window waits two seconds for one each time it is hidden. A crashing program
# ends at once instead of waiting in the debugger until the test times out.
#
# The run command, the test command and the DPI tests all set up their prefixes here, so that they look
# the same; TAVRIN_DPI (96 by default) is written as the prefix's LogPixels.
wine_prefix_init() {
    wine_setup_env
    local dpi=${TAVRIN_DPI:-96}
    local ready="$TAVRIN_PREFIX_VERSION dpi$dpi"
    if [ "$(cat "$WINEPREFIX/.tavrin-ready" 2>/dev/null)" != "$ready" ]; then
        log "setting up the Wine prefix in $WINEPREFIX"
        mkdir -p "$WINEPREFIX"
        if [ ! -f "$WINEPREFIX/system.reg" ]; then
            "$(wine_loader)" wineboot -i </dev/null >/dev/null 2>&1 || true
            "$(wine_server)" -w </dev/null >/dev/null 2>&1 || true
        fi
        local reg="$WINEPREFIX/tavrin-fonts.reg"
        {
            printf '\xff\xfe'
            printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
                '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
                '"メイリオ"="Noto Sans CJK JP"' \
                '"Meiryo"="Noto Sans CJK JP"' \
                '"Meiryo UI"="Noto Sans CJK JP"' \
                '"ＭＳ Ｐゴシック"="Noto Sans CJK JP"' \
                '"ＭＳ ゴシック"="Noto Sans Mono CJK JP"' \
                '"MS PGothic"="Noto Sans CJK JP"' \
                '"MS UI Gothic"="Noto Sans CJK JP"' \
                '"Yu Gothic UI"="Noto Sans CJK JP"' \
                '"Tahoma"="Noto Sans CJK JP"' \
                '"MS Shell Dlg"="Noto Sans CJK JP"' \
                '"MS Shell Dlg 2"="Noto Sans CJK JP"' \
                '' \
                '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' \
                '"Decorated"="N"' \
                '"Managed"="N"' \
                '' \
                '[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\AeDebug]' \
                '"Debugger"=""' \
                '"Auto"="1"' \
                '' \
                '[HKEY_CURRENT_USER\Control Panel\Desktop]' \
                "\"LogPixels\"=dword:$(printf '%08x' "$dpi")" \
                '' | iconv -f UTF-8 -t UTF-16LE
        } >"$reg"
        "$(wine_loader)" regedit /S "$(winepath_of "$reg")" </dev/null >/dev/null 2>&1
        # Debian's Wine does not find its own fonts from the prefix: without Marlett the caption
        # buttons show letters. Its Tahoma is left out, so that window captions and dialogs use the
        # Japanese font named above, as they do on a Japanese Windows.
        cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
        rm -f "$WINEPREFIX"/drive_c/windows/Fonts/tahoma*.ttf
        # Wine reads LogPixels when its server starts: this one ends before anything runs.
        "$(wine_server)" -k </dev/null >/dev/null 2>&1 || true
        "$(wine_server)" -w </dev/null >/dev/null 2>&1 || true
        echo "$ready" >"$WINEPREFIX/.tavrin-ready"
    fi
}

# Wine maps the Unix root to drive Z:.
winepath_of() { printf 'Z:%s' "$(realpath "$1" | tr '/' '\\')"; }

# Starts a private Xvfb display unless one is already given in TAVRIN_DISPLAY. The screen is 1600 x 1000
# unless a size is given (a 200 % screen needs more room for the same window).
XVFB_PID=
xvfb_start() {
    local n size=${1:-1600x1000}
    for n in $(seq 91 140); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp -dpi 96 </dev/null >/dev/null 2>&1 &
        XVFB_PID=$!
        local i
        for i in $(seq 1 100); do
            if [ -e "/tmp/.X11-unix/X$n" ] || xdpyinfo -display ":$n" >/dev/null 2>&1; then
                # Another Xvfb may have taken the same number a moment earlier: ours then ends.
                sleep 0.3
                if kill -0 "$XVFB_PID" 2>/dev/null; then
                    export DISPLAY=":$n"
                    return 0
                fi
                break
            fi
            kill -0 "$XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
        kill "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=
    done
    log "cannot start Xvfb"
    return 1
}

wineserver_start() {
    wine_setup_env
    "$(wine_server)" -p </dev/null >/dev/null 2>&1 || true
}

# wine_screen_start DPI [SIZE]: the display, the prefix and the Wine server of a screen of that DPI,
# after stopping the ones started before. The screen is 1600 x 1000 scaled by DPI / 96 unless a size
# is given. Exports TAVRIN_DPI, WINEPREFIX and DISPLAY.
wine_screen_start() {
    local dpi=$1
    local size=${2:-$((1600 * dpi / 96))x$((1000 * dpi / 96))}
    wine_and_display_stop
    export TAVRIN_DPI=$dpi WINEPREFIX
    WINEPREFIX=$(wine_prefix_for_dpi "$dpi")
    xvfb_start "$size" || return 1
    wine_prefix_init
    wineserver_start
}

# Leaves nothing running: the Wine server of our prefix and our Xvfb.
wine_and_display_stop() {
    if [ -n "${WINEPREFIX:-}" ]; then
        "$(wine_server)" -k </dev/null >/dev/null 2>&1 || true
        "$(wine_server)" -w </dev/null >/dev/null 2>&1 || true
    fi
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=
    fi
}

# --- The audio sink of the tests ------------------------------------------------------------------
# Sounds the program plays under Wine go to a private PulseAudio server with one null sink; its
# monitor is the server's default recording source, so a test records what was played with the
# ordinary wave-in functions. The sink runs in real time (an ALSA file sink writes a whole sound at
# once, which hides every timing). Nothing outside the build tree is touched; Wine's processes reach
# the server through PULSE_SERVER.
TAVRIN_AUDIO_PACKAGES=(pulseaudio pulseaudio-utils)
AUDIO_SINK_DIR=${AUDIO_SINK_DIR:-$TAVRIN_BUILD/audio-sink}

# Starts the server, first ending one that an interrupted run left behind. Exports PULSE_SERVER and
# TAVRIN_AUDIO_SINK (which the tests that listen look for); without a server both stay unset and
# those tests skip.
audio_sink_start() {
    audio_sink_stop
    command -v pulseaudio >/dev/null || { log "no pulseaudio: the tests that listen will skip"; return 0; }
    mkdir -p "$AUDIO_SINK_DIR/runtime" "$AUDIO_SINK_DIR/home"
    chmod 700 "$AUDIO_SINK_DIR/runtime"
    head -c 256 /dev/urandom >"$AUDIO_SINK_DIR/cookie"
    local socket=$AUDIO_SINK_DIR/native
    (
        export HOME=$AUDIO_SINK_DIR/home XDG_RUNTIME_DIR=$AUDIO_SINK_DIR/runtime
        export PULSE_RUNTIME_PATH=$AUDIO_SINK_DIR/runtime PULSE_STATE_PATH=$AUDIO_SINK_DIR/home
        exec pulseaudio -n --daemonize=no --use-pid-file=no --exit-idle-time=-1 --log-target=stderr \
            -L "module-native-protocol-unix socket=$socket auth-anonymous=1" \
            -L "module-null-sink sink_name=tavrin_sink rate=48000 channels=2" \
            </dev/null >"$AUDIO_SINK_DIR/server.log" 2>&1
    ) &
    echo $! >"$AUDIO_SINK_DIR/server.pid"
    local i
    for i in $(seq 1 100); do
        if [ -S "$socket" ] && PULSE_SERVER="unix:$socket" PULSE_COOKIE="$AUDIO_SINK_DIR/cookie" \
            pactl info >/dev/null 2>&1; then
            export PULSE_SERVER="unix:$socket" PULSE_COOKIE="$AUDIO_SINK_DIR/cookie"
            export TAVRIN_AUDIO_SINK=pulse
            return 0
        fi
        kill -0 "$(cat "$AUDIO_SINK_DIR/server.pid")" 2>/dev/null || break
        sleep 0.1
    done
    log "the audio sink did not start (see $AUDIO_SINK_DIR/server.log): the tests that listen will skip"
    audio_sink_stop
}

# Ends the server this build tree started, if it runs, and forgets it. Safe to call at any time.
audio_sink_stop() {
    local pid
    pid=$(cat "$AUDIO_SINK_DIR/server.pid" 2>/dev/null) || true
    # Only our own server: a number left by an interrupted run may belong to another process by now.
    if [ -n "$pid" ] && tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | grep -qF "$AUDIO_SINK_DIR/native"; then
        kill "$pid" 2>/dev/null || true
        local i
        for i in $(seq 1 50); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -9 "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    fi
    rm -rf "$AUDIO_SINK_DIR"
    unset PULSE_SERVER PULSE_COOKIE TAVRIN_AUDIO_SINK
}
