#!/usr/bin/env bash
# Builds a copy of the source tree from scratch, for the release tests: the sources (as the
# working tree has them, without ignored files) are copied to <folder>/source and built in
# <folder>/build, other paths than the main build's, at another time.
#
#   build_copy.sh [--sign] <source folder> <folder> <Windows targets> [host targets...]
#                 [-- cmake options...]
#
# <Windows targets> (a CMake list) are built in the Windows part, the host targets in the host
# part. With --sign, a throwaway certificate and key are made in <folder>/certificate (cert.pem,
# key.pem) and the build signs with them.
set -euo pipefail

sign=
if [ "${1:-}" = --sign ]; then sign=1; shift; fi
[ $# -ge 3 ] || { echo "build_copy.sh: usage: [--sign] SOURCE FOLDER WINDOWS_TARGETS [HOST_TARGETS...] [-- CMAKE_OPTIONS...]" >&2; exit 2; }
source_dir=$(cd "$1" && pwd)
folder=$2
windows_targets=$3
shift 3
host_targets=()
while [ $# -gt 0 ] && [ "$1" != -- ]; do host_targets+=("$1"); shift; done
[ "${1:-}" = -- ] && shift
cmake_options=("$@")

rm -rf "$folder"
mkdir -p "$folder/source"
folder=$(cd "$folder" && pwd)
inside=${folder#"$source_dir"/} # the copy's own folder, when it lies in the source tree

# Tracked and new files as the working tree has them; a tracked file deleted from the working
# tree is left out.
git -C "$source_dir" ls-files -z --cached --others --exclude-standard |
  while IFS= read -r -d '' file; do
    case $file in "$inside"/*) continue ;; esac
    if [ -f "$source_dir/$file" ]; then printf '%s\0' "$file"; fi
  done | (cd "$source_dir" && xargs -0 -r cp --parents -t "$folder/source" --)

if [ -n "$sign" ]; then
  mkdir -p "$folder/certificate"
  openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Flarvex test signing" \
    -keyout "$folder/certificate/key.pem" -out "$folder/certificate/cert.pem" 2>/dev/null ||
    { echo "build_copy.sh: openssl could not make a certificate" >&2; exit 1; }
  cmake_options+=(-DFLARVEX_SIGNING_CERT="$folder/certificate/cert.pem"
                  -DFLARVEX_SIGNING_KEY="$folder/certificate/key.pem")
fi

cmake -S "$folder/source" -B "$folder/build" "${cmake_options[@]}" \
  -DFLARVEX_WINDOWS_TARGETS="$windows_targets" >"$folder/configure.log" 2>&1 ||
  { cat "$folder/configure.log" >&2; echo "build_copy.sh: configuring $folder/build failed" >&2; exit 1; }
cmake --build "$folder/build" --target windows "${host_targets[@]}" >"$folder/build.log" 2>&1 ||
  { tail -n 60 "$folder/build.log" >&2; echo "build_copy.sh: building in $folder/build failed (log: $folder/build.log)" >&2; exit 1; }
echo "build_copy.sh: built $folder/build"
