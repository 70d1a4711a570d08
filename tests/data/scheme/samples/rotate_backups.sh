#!/bin/sh
# Keep the newest $KEEP backups of each library; delete the rest.
set -eu

KEEP=${KEEP:-5}
dir="${1:-$HOME/backups}"

if [ ! -d "$dir" ]; then
    echo "no backup folder: $dir" >&2
    exit 1
fi

count=0
for backup in $(ls -1t "$dir"); do
    count=$((count + 1))
    if [ "$count" -le "$KEEP" ]; then
        continue
    fi
    echo "removing $dir/$backup (older than the
newest $KEEP)"
    rm -rf -- "$dir/$backup"
done
echo 'done' `date +%H:%M` "status $?" 2>&1
