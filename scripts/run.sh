#!/bin/sh
# Installs what Ratiomat needs (once), builds it and starts it.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh dev
exec ./build/app/ratiomat
