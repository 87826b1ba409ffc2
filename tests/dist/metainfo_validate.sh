#!/usr/bin/env bash
# The AppStream metainfo as software centres read it; skipped (77) without appstreamcli.
set -euo pipefail
command -v appstreamcli >/dev/null || { echo "appstreamcli not installed: skipped"; exit 77; }
# --no-net: the homepage is a placeholder and the tests must not need a network.
appstreamcli validate --no-net --pedantic "$1"
