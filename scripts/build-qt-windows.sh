#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds a static Qt for 64-bit Windows from Debian's own qt6-base source, of
# the version the host's qt6-base-dev has, with the mingw-w64 compilers
# (cmake/mingw-w64-x86_64.cmake) and the host's Qt tools (moc, rcc, uic).
# Usage: scripts/build-qt-windows.sh WORK_DIR [JOBS]
#
# Qt is installed in WORK_DIR/qt: pass that folder as CMAKE_PREFIX_PATH with
# the toolchain file. It is built again only when the source version, the
# configure options, the toolchain file or the compiler change; otherwise the
# script does nothing. The source comes through apt with a sources list, lists
# and cache of its own under WORK_DIR/apt: the machine's apt set-up is read
# (which archive carries the installed qt6-base-dev), never changed.
set -euo pipefail
work_dir=$(realpath -m "$1")
jobs=${2:-2}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
toolchain=$source_dir/cmake/mingw-w64-x86_64.cmake
prefix=$work_dir/qt
stamp=$prefix/quartet-build-key.txt
compiler=x86_64-w64-mingw32-g++-posix
host_cmake_dir=/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH 2>/dev/null)/cmake

binary=qt6-base-dev
read -r package version < <(dpkg-query -W -f='${source:Package} ${source:Version}\n' "$binary" 2>/dev/null) || {
    echo "build-qt-windows: $binary is not installed (make deps)" >&2
    exit 1
}

# Core, Gui, Widgets and Test, the windows platform plugin and the Windows
# styles; no other module, no OpenGL, no ICU. Beyond that, in Debian's source:
# - tabletevent: Debian removes the Wacom (Wintab) headers the plugin includes;
# - opengl_dynamic, dynamicgl: else the plugin's window code wants OpenGL;
# - directwrite3: else the plugin links against a font engine Gui did not build.
options=(
    -DCMAKE_BUILD_TYPE=Release
    -DBUILD_SHARED_LIBS=OFF
    -DQT_BUILD_EXAMPLES=OFF
    -DQT_BUILD_TESTS=OFF
    -DQT_HOST_PATH=/usr
    -DQT_HOST_PATH_CMAKE_DIR="$host_cmake_dir"
    -DFEATURE_sql=OFF
    -DFEATURE_network=OFF
    -DFEATURE_dbus=OFF
    -DFEATURE_opengl=OFF
    -DINPUT_opengl=no
    -DFEATURE_icu=OFF
    -DFEATURE_concurrent=OFF
    -DFEATURE_xml=OFF
    -DFEATURE_printsupport=OFF
    -DFEATURE_vulkan=OFF
    -DFEATURE_tabletevent=OFF
    -DFEATURE_opengl_dynamic=OFF
    -DFEATURE_dynamicgl=OFF
    -DFEATURE_directwrite3=OFF
)

key=$(
    echo "$package $version"
    printf '%s\n' "${options[@]}"
    sha256sum <"$toolchain"
    "$compiler" --version | head -n1
)
if [[ -f "$stamp" && "$(cat "$stamp")" == "$key" ]]; then
    echo "Qt $version for Windows is up to date in $prefix"
    exit 0
fi

# Downloads Debian's source of the installed version into WORK_DIR/apt/source
# (kept for the next build: apt checks the files it has against the archive's
# signed index and fetches only what is missing) and unpacks it afresh.
fetch_source() {
    # deb-src entries for the archives that carry the installed version, with
    # Debian's archive keys.
    local origins
    origins=$(apt-cache policy "$binary" | awk '
        $1 == "***" { mine = 1; next }
        /^ {5}[^ ]/ { mine = 0 }
        mine && $2 ~ /:\/\// { split($3, suite, "/"); print $2, suite[1], suite[2] }' | sort -u)
    [[ -n "$origins" ]] || {
        echo "build-qt-windows: no configured archive carries $binary $version" >&2
        exit 1
    }
    local apt_dir=$work_dir/apt
    mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$apt_dir/sources.list.d" "$apt_dir/source"
    while read -r uri suite component; do
        echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $uri $suite $component"
    done <<<"$origins" >"$apt_dir/sources.list"
    local apt=(apt-get -q -o Dir::Etc::SourceList="$apt_dir/sources.list"
        -o Dir::Etc::SourceParts="$apt_dir/sources.list.d" -o Dir::State::Lists="$apt_dir/lists"
        -o Dir::Cache="$apt_dir/cache" -o APT::Sandbox::User="$(id -un)")
    "${apt[@]}" update >"$apt_dir/update.log"
    (cd "$apt_dir/source" && "${apt[@]}" source --download-only "$package=$version" >/dev/null)
    rm -rf "$work_dir/source"
    mkdir -p "$work_dir/source"
    # apt checked the files against the archive; the maintainer's signature
    # of the .dsc would need the Debian developers' keyring.
    dpkg-source --no-check --no-copy -x "$apt_dir/source/${package}_${version#*:}.dsc" "$source_tree" >/dev/null
}

# Each step's time on the clock and in processor time (user and system, of
# all its processes): on a busy machine the second tells what the step costs.
times=$work_dir/times.txt
step() {
    local now=$SECONDS cpu
    # times runs in this shell, not in a subshell: it counts this shell's children.
    times >"$work_dir/cpu-times.txt"
    cpu=$(awk 'END { split($1, u, /[ms]/); split($2, s, /[ms]/); printf "%d", u[1] * 60 + u[2] + s[1] * 60 + s[2] }' \
        "$work_dir/cpu-times.txt")
    [[ -z "${step_name:-}" ]] ||
        printf '%5d s (%5d s processor)  %s\n' $((now - step_start)) $((cpu - step_cpu)) "$step_name" | tee -a "$times"
    step_name=$1 step_start=$now step_cpu=$cpu
    [[ -z "$step_name" ]] || echo "== Qt for Windows: $step_name"
}
mkdir -p "$work_dir"
: >"$times"

# The unpacked source and the build tree stay until Qt is installed, so that
# an interrupted build goes on where it stopped.
source_tree=$work_dir/source/$package
source_stamp=$work_dir/source/version.txt
if [[ ! -f "$source_stamp" || "$(cat "$source_stamp")" != "$package $version" ]]; then
    step "fetch $package $version"
    fetch_source
    echo "$package $version" >"$source_stamp"
fi

build_tree=$work_dir/build
if [[ ! -f "$build_tree/quartet-build-key.txt" || "$(cat "$build_tree/quartet-build-key.txt")" != "$key" ]]; then
    step "configure"
    rm -rf "$build_tree"
    mkdir -p "$build_tree"
    nice -n 19 cmake -S "$source_tree" -B "$build_tree" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_INSTALL_PREFIX="$prefix" "${options[@]}" >"$work_dir/configure.log" 2>&1 ||
        { tail -n 40 "$work_dir/configure.log" >&2; exit 1; }
    echo "$key" >"$build_tree/quartet-build-key.txt"
fi

step "build with $jobs jobs"
nice -n 19 cmake --build "$build_tree" -j "$jobs" >"$work_dir/build.log" ||
    { grep -B2 -A20 -m3 'FAILED\|error:' "$work_dir/build.log" >&2; exit 1; }

step "install"
rm -rf "$prefix"
cmake --install "$build_tree" >"$work_dir/install.log"
echo "$key" >"$stamp"
step ""
rm -rf "$work_dir/source" "$build_tree"
echo "Qt $version for Windows in $prefix: $(du -sh "$prefix" | cut -f1)" | tee -a "$times"
