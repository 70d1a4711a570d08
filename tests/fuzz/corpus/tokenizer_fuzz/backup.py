#!/usr/bin/env python3
"""Copy library files into a dated backup folder.

Usage: backup.py LIBRARY.ini [DEST]
"""
import shutil
import sys
from datetime import date
from pathlib import Path


class Backup:
    '''One backup run: the files to copy and where they go.'''

    def __init__(self, index, dest=None):
        self.index = Path(index)
        self.dest = Path(dest or "backups") / date.today().isoformat()

    @property
    def files(self):
        # The index file and its data file go together.
        return [self.index, self.index.with_suffix(".dat")]

    def run(self, dry_run=False):
        self.dest.mkdir(parents=True, exist_ok=True)
        copied = 0
        for f in self.files:
            if not f.exists():
                print(f"missing: {f}", file=sys.stderr)
                continue
            if not dry_run:
                shutil.copy2(f, self.dest / f.name)
            copied += 1
        return copied


if __name__ == '__main__':
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    n = Backup(*sys.argv[1:3]).run()
    print('copied %d file%s' % (n, '' if n == 1 else 's'), 0x10, 1.5e-3, None)
