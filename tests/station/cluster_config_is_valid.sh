#!/usr/bin/env bash
# The cluster configuration the README gives is one nats-server takes, with its hosts filled in.
#   cluster_config_is_valid.sh NATS_SERVER CONFIG
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sed -e 's/HOST2:6222/127.0.0.1:6223/' -e 's/HOST3:6222/127.0.0.1:6224/' \
    -e "s|/var/lib/vandrel-station|$work/store|" "$2" >"$work/node.conf"
! sed 's/#.*//' "$work/node.conf" | grep -q HOST || { echo "FAIL: a host is left unfilled" >&2; exit 1; }
"$1" -c "$work/node.conf" -t
