#!/usr/bin/env bash
# Checks that ./test.sh passes on a fresh machine: makes a minimal Debian 12
# tree with debootstrap in a temporary folder, copies the checkout into it
# (the files git knows of, no build folders) and runs ./test.sh there as
# root in a chroot with /proc, /dev and /sys mounted. Whatever happens, the
# mounts are undone and the tree removed afterwards.
#
# Needs root and debootstrap. Slow (a whole build and test run), so it is no
# part of CI: run it whenever the package list or a find_package changes.
#
#   scripts/check-fresh.sh [PROCESADORES]
#
# The build and the tests use every processor the script may run on, or only
# the first PROCESADORES of them (taskset), as on a CI machine with that many
# (scripts/check-fresh.sh 2). Choose which ones with taskset
# (taskset -c 2-7 scripts/check-fresh.sh 2 runs on processors 2 and 3).
#
# Settings from the environment:
#   MIRROR   Debian mirror (default: the first Debian mirror of apt's
#            sources, else http://deb.debian.org/debian)
#   TMPDIR   where the temporary tree is made (default /tmp)
set -euo pipefail
cd "$(dirname "$0")/.."
checkout=$(pwd)

if [ "$(id -u)" -ne 0 ]; then
  echo "check-fresh.sh necesita ejecutarse como root." >&2
  exit 1
fi
if ! command -v debootstrap >/dev/null; then
  echo "Falta debootstrap. Instálelo con: apt-get install debootstrap" >&2
  exit 1
fi

# The processors the run is limited to (all those allowed when none is asked).
procesadores=()
if [ $# -gt 1 ] || { [ $# -eq 1 ] && ! [[ "$1" =~ ^[1-9][0-9]*$ ]]; }; then
  echo "Uso: $0 [PROCESADORES]" >&2
  exit 2
fi
if [ $# -eq 1 ]; then
  permitidos=()
  for parte in $(sed -n 's/^Cpus_allowed_list:[[:space:]]*//p' /proc/self/status | tr ',' ' '); do
    if [[ "$parte" == *-* ]]; then
      for ((p = ${parte%-*}; p <= ${parte#*-}; p++)); do permitidos+=("$p"); done
    else
      permitidos+=("$parte")
    fi
  done
  if [ "$1" -gt "${#permitidos[@]}" ]; then
    echo "Se pidieron $1 procesadores y solo hay ${#permitidos[@]} disponibles." >&2
    exit 2
  fi
  lista=$(IFS=,; echo "${permitidos[*]:0:$1}")
  procesadores=(taskset -c "$lista")
fi

mirror=${MIRROR:-}
if [ -z "$mirror" ]; then
  mirror=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources 2>/dev/null |
    grep -oE '^[[:space:]]*(deb|URIs:)[[:space:]]+(\[[^]]*\][[:space:]]+)?[a-z]+://[^[:space:]]+' |
    grep -oE '[a-z]+://[^[:space:]]+' | grep -E '/debian/?$' | head -n 1 || true)
fi
mirror=${mirror:-http://deb.debian.org/debian}

tree=$(mktemp -d "${TMPDIR:-/tmp}/vorlan-fresh.XXXXXX")
mounted=()

# Mounts still under the tree, deepest first.
mounts_under_tree() {
  awk -v t="$tree" '$2 == t || index($2, t "/") == 1 { print $2 }' /proc/self/mounts | sort -r
}

cleanup() {
  local rc=$?
  trap - EXIT INT TERM
  local i
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
    umount -R "${mounted[$i]}" 2>/dev/null || umount -R -l "${mounted[$i]}" 2>/dev/null || true
  done
  # debootstrap may leave mounts of its own after a failure.
  local m
  for m in $(mounts_under_tree); do umount -l "$m" 2>/dev/null || true; done
  if [ -n "$(mounts_under_tree)" ]; then
    echo "Quedan montajes bajo $tree; no se borra:" >&2
    mounts_under_tree >&2
  else
    rm -rf --one-file-system "$tree"
  fi
  exit "$rc"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

start=$(date +%s)
echo "== Debian 12 mínimo en $tree (réplica $mirror)"
debootstrap --variant=minbase bookworm "$tree" "$mirror"

echo "== Copia del proyecto"
mkdir -p "$tree/root/vorlan"
if git -C "$checkout" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  git -C "$checkout" ls-files -z --cached --others --exclude-standard |
    (cd "$checkout" && xargs -0 -r sh -c 'for f; do [ -e "$f" ] && printf "%s\0" "$f"; done' sh) |
    tar -C "$checkout" --null -T - -cf - | tar -C "$tree/root/vorlan" -xf -
else
  tar -C "$checkout" --exclude='./build' --exclude='./build-*' -cf - . | tar -C "$tree/root/vorlan" -xf -
fi
cp -L /etc/resolv.conf "$tree/etc/resolv.conf"

mount -t proc proc "$tree/proc"
mounted+=("$tree/proc")
mount -t sysfs sysfs "$tree/sys"
mounted+=("$tree/sys")
mount --rbind /dev "$tree/dev"
mount --make-rslave "$tree/dev"
mounted+=("$tree/dev")

echo "== ./test.sh en el árbol nuevo${procesadores[*]:+ (procesadores ${procesadores[2]})}"
rc=0
"${procesadores[@]}" chroot "$tree" /usr/bin/env -i HOME=/root LANG=C.UTF-8 PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
  /bin/bash -c 'cd /root/vorlan && ./test.sh' || rc=$?

elapsed=$(($(date +%s) - start))
printf '== %s en %d min %02d s\n' "$([ "$rc" -eq 0 ] && echo "Pasó" || echo "Falló (código $rc)")" \
  $((elapsed / 60)) $((elapsed % 60))
exit "$rc"
