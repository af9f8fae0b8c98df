#!/bin/sh
# Installs what the builds and the tests need on a fresh Debian 12 machine, and only what is
# missing, so a second run costs a fraction of a second. Runs as root or through sudo.
#
#   tools/install-deps.sh            everything `make run` and `make test` need (clang and libFuzzer
#                                    included: `make test` builds the fuzz targets)
#   tools/install-deps.sh bench      plus the benchmark peers (Google Benchmark, SDL2, Allegro 4)
set -eu

want="cmake ninja-build make g++ googletest libgtest-dev python3
      g++-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64
      wine wine64 fonts-wine xvfb xauth xdotool x11-utils fonts-nanum locales
      pkg-config libspng-dev libgif-dev zlib1g-dev nlohmann-json3-dev libcli11-dev python3 python3-pil
      clang-14 libclang-rt-14-dev"
for extra in "$@"; do
    case "$extra" in
        bench) want="$want libbenchmark-dev libsdl2-dev liballegro4-dev pkg-config" ;;
        fuzz)  ;;  # part of everything now
        samples) want="$want imagemagick netpbm python3-pil" ;;
        *) echo "install-deps: unknown extra '$extra'" >&2; exit 2 ;;
    esac
done

missing=""
for p in $want; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    case "$status" in
        *" installed") ;;
        *) missing="$missing $p" ;;
    esac
done

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

if [ -n "$missing" ]; then
    echo "install-deps: installing$missing"
    $SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -q
    # shellcheck disable=SC2086
    $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
fi

# The program's texts are code page 949; Wine takes its ANSI code page from the locale.
if ! locale -a 2>/dev/null | grep -qi '^ko_KR\.utf-\?8$'; then
    echo "install-deps: generating the ko_KR.UTF-8 locale"
    $SUDO sed -i 's/^# *\(ko_KR\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ko_KR\.UTF-8 UTF-8' /etc/locale.gen || echo 'ko_KR.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
    $SUDO locale-gen >/dev/null
fi

# The engines whose own atlas parsers the command line's tests run under node (Phaser, PixiJS):
# npm packages, installed into tests/cli/engines/node_modules from the committed lock file, and
# again only when the lock file changes.
engines="$(cd "$(dirname "$0")/.." && pwd)/tests/cli/engines"
if ! command -v node >/dev/null 2>&1 || ! command -v npm >/dev/null 2>&1; then
    echo "install-deps: installing nodejs npm"
    $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends nodejs npm
fi
if ! cmp -s "$engines/package-lock.json" "$engines/node_modules/.installed-lock" 2>/dev/null; then
    echo "install-deps: installing the engines for the atlas tests (npm ci in tests/cli/engines)"
    (cd "$engines" && npm ci --no-audit --no-fund --loglevel=error)
    cp "$engines/package-lock.json" "$engines/node_modules/.installed-lock"
fi

# giflib for the Windows build's animated GIFs, built by CMake with the cross compiler from
# Debian's own source package (signed .dsc, checked by apt), into build/third-party/giflib/. Its
# sources are asked for through a private list of the machine's own Debian archives turned into
# deb-src entries, with private package lists, so the system's sources and lists stay as they are.
root="$(cd "$(dirname "$0")/.." && pwd)"
third="$root/build/third-party"
if [ ! -f "$third/giflib/egif_lib.c" ]; then
    echo "install-deps: fetching giflib's Debian source package for the Windows build"
    if ! command -v dpkg-source >/dev/null 2>&1; then
        $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends dpkg-dev
    fi
    apt_dir="$third/apt"
    rm -rf "$apt_dir" "$third/giflib" "$third"/giflib-* "$third"/giflib_*
    mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial" "$apt_dir/archives/partial"
    # The archives this machine already installs from: one-line entries whose path ends in /debian
    # or /debian-security, and deb822 stanzas signed with Debian's archive key.
    {
        cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
            awk '$1 == "deb" && $0 ~ /\/debian(-security)?\/? / { $1 = "deb-src"; print }'
    } > "$apt_dir/sources.list"
    for f in /etc/apt/sources.list.d/*.sources; do
        [ -f "$f" ] || continue
        awk 'BEGIN { RS = ""; ORS = "\n\n" }
             /debian-archive-keyring/ { sub(/Types:[^\n]*/, "Types: deb-src"); print }' "$f"
    done > "$apt_dir/sources.list.d/debian-src.sources"
    set -- -o Dir::Etc::SourceList="$apt_dir/sources.list" \
           -o Dir::Etc::SourceParts="$apt_dir/sources.list.d" \
           -o Dir::State::Lists="$apt_dir/lists" -o Dir::Cache::Archives="$apt_dir/archives" \
           -o Dir::Cache::pkgcache="" -o Dir::Cache::srcpkgcache="" -o APT::Sandbox::User=root
    apt-get "$@" update -q >/dev/null
    # apt checks the files against the signed archive's hashes; dpkg-source checks them against the
    # .dsc (and says it has no key for the uploader's signature: its words are shown on failure only).
    (cd "$third" && apt-get "$@" source --download-only -q giflib >/dev/null &&
        { dpkg-source -x giflib_*.dsc giflib >"$apt_dir/unpack.log" 2>&1 || { cat "$apt_dir/unpack.log" >&2; exit 1; }; })
    # Everything but the unpacked sources goes: the lists, the archives and the .dsc.
    rm -rf "$apt_dir" "$third"/giflib_*
    [ -f "$third/giflib/egif_lib.c" ] || { echo "install-deps: giflib's sources did not unpack" >&2; exit 1; }
fi
